# Our own skin engine: the palette the window host colours from, and the engine that
# applies a skin file to every window of the program (target qv_win32_skin).
add_library(qv_win32_skin STATIC skin/SkinEngine.cpp skin/SkinPalette.cpp)
target_link_libraries(qv_win32_skin PUBLIC qv_skin_file qv_options PRIVATE qv_win32_toolkit qv_win32_common_controls gdi32 user32)
