# Win32 back-ends of the platform services (target qv_win32_services).
