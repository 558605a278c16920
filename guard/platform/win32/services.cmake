# Win32 back-ends of the platform services (target qv_win32_services).
add_library(qv_win32_services STATIC
    services/DispatchingWait.cpp
    services/Win32Clock.cpp
    services/Win32Elevation.cpp
    services/Win32FileSystem.cpp
    services/Win32Folders.cpp
    services/Win32Processes.cpp
    services/Win32Registry.cpp
    services/Win32SingleInstance.cpp
    services/Win32Skin.cpp
    services/Win32WebVisit.cpp)
target_link_libraries(qv_win32_services PUBLIC qv_common qv_platform PRIVATE qv_win32_toolkit qv_win32_skin advapi32 kernel32 ntdll)
