#pragma once
// The program's own icon, which the build compiles into its resources as icon 1 (the one
// Explorer shows), for a window class: `hIcon` loaded by LoadIconW, which takes the size of
// SM_CXICON from the resource, and `hIconSm` left null, so that Windows looks in the same
// resource for the image of the small size ("WNDCLASSEXW", learn.microsoft.com/windows/
// win32/api/winuser/ns-winuser-wndclassexw). Loading both as shared images would give the
// large one twice: a shared load takes "the first image in the cache with the requested
// resource name, regardless of the size requested" ("LoadImageW").

#include <windows.h>

namespace qv::win32 {

inline constexpr int kProgramIconId = 1;

inline void setProgramIcon(WNDCLASSEXW& windowClass) {
    windowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIconId));
    windowClass.hIconSm = nullptr;
}

}  // namespace qv::win32
