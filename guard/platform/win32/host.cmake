# Win32Host: the renderer of the control model (target qv_win32_host).
add_library(qv_win32_host STATIC
    host/Canvas.cpp
    host/HandCursor.cpp
    host/HostControls.cpp
    host/HostPainting.cpp
    host/Layout.cpp
    host/PictureArt.cpp
    host/Win32Host.cpp)
target_link_libraries(qv_win32_host PUBLIC qv_ui PRIVATE qv_win32_toolkit qv_win32_skin qv_win32_common_controls gdi32 user32)
