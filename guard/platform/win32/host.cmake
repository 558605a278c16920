# Win32Host: the renderer of the control model (target qv_win32_host).
