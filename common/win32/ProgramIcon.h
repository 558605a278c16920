#pragma once
// The program's own icon, which the build compiles into its resources as icon 1 (the one
// Explorer shows), loaded at the size Windows uses for `metric`: SM_CXICON for the
// window's large icon (Alt+Tab), SM_CXSMICON for its caption and taskbar. LoadImage picks
// the nearest size the icon holds; a shared icon is never destroyed ("LoadImageW",
// learn.microsoft.com/windows/win32/api/winuser/nf-winuser-loadimagew).

#include <windows.h>

namespace qv::win32 {

inline constexpr int kProgramIconId = 1;

inline HICON programIcon(int metric) {
    const int size = GetSystemMetrics(metric);
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                         MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON, size, size,
                                         LR_SHARED));
}

}  // namespace qv::win32
