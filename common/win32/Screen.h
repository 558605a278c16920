#pragma once
// The screen as a companion program's window meets it: its pixels per inch, the pixels per
// inch a window can be laid out for and still fit, and the place that centres a window on
// the work area.

#include <windows.h>

#include <algorithm>

#include "common/win32/Gdi.h"

namespace qv::win32 {

// The screen's pixels per inch, as GDI reports them for the whole desktop; 96 when it
// cannot tell.
inline int screenDpi() {
    WindowDc screen(nullptr);
    int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    return dpi > 0 ? dpi : 96;
}

// The dots per inch to lay out a window with, whose client area is designed `width` x
// `height` pixels at 96 and whose frame has `style`: the screen's, or fewer where the window
// would not fit the work area at the screen's (a window designed 740 pixels wide at 200% on
// a 1920 x 1080 screen would reach under the taskbar), but never fewer than 96.
inline int layoutDpi(int width, int height, DWORD style) {
    const int screen = screenDpi();
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    for (int dpi = screen; dpi > 96; --dpi) {
        RECT frame{0, 0, MulDiv(width, dpi, 96), MulDiv(height, dpi, 96)};
        AdjustWindowRect(&frame, style, FALSE);
        if (frame.right - frame.left <= work.right - work.left &&
            frame.bottom - frame.top <= work.bottom - work.top) {
            return dpi;
        }
    }
    return std::min(screen, 96);
}

// The top-left corner of a window of `width` x `height` pixels centred on the work area
// (the screen without the taskbar); a window larger than the work area starts at its
// top-left corner.
inline POINT centredOnWorkArea(int width, int height) {
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left + std::max<LONG>(0, (work.right - work.left - width) / 2),
            work.top + std::max<LONG>(0, (work.bottom - work.top - height) / 2)};
}

}  // namespace qv::win32
