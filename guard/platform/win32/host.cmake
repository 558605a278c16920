# Win32Host: the renderer of the control model (target qv_win32_host). adapters/ holds one
# adapter per kind of control.
add_library(qv_win32_host STATIC
    host/Canvas.cpp
    host/CloseSetText.cpp
    host/FormControls.cpp
    host/GdiCache.cpp
    host/HandCursor.cpp
    host/HostContext.cpp
    host/Layout.cpp
    host/Offscreen.cpp
    host/PictureArt.cpp
    host/PictureShapes.cpp
    host/Win32Host.cpp
    host/WindowServices.cpp
    host/adapters/ButtonAdapters.cpp
    host/adapters/ControlAdapter.cpp
    host/adapters/FrameAdapter.cpp
    host/adapters/ImageAdapter.cpp
    host/adapters/LabelAdapter.cpp
    host/adapters/ListAdapters.cpp
    host/adapters/MakeAdapter.cpp
    host/adapters/PaintedAdapter.cpp
    host/adapters/ProgressBarAdapter.cpp
    host/adapters/ShapeAdapter.cpp
    host/adapters/SystemWindowAdapter.cpp
    host/adapters/TextBoxAdapter.cpp)
target_link_libraries(qv_win32_host PUBLIC qv_ui PRIVATE qv_win32_toolkit qv_win32_skin qv_win32_common_controls gdi32 user32)
