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

// The work area: the screen without the taskbar (the whole screen when it cannot be told).
inline RECT workArea() {
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// The most dots per inch, from `screenDpi` down to 96, at which a window whose client area
// is designed `width` x `height` pixels at 96 and whose frame has `style` fits `work`;
// 96 when none does (the screen's below 96).
inline int fittingDpi(int width, int height, DWORD style, int screenDpi, SIZE work) {
    for (int dpi = screenDpi; dpi > 96; --dpi) {
        RECT frame{0, 0, MulDiv(width, dpi, 96), MulDiv(height, dpi, 96)};
        AdjustWindowRect(&frame, style, FALSE);
        if (frame.right - frame.left <= work.cx && frame.bottom - frame.top <= work.cy) return dpi;
    }
    return std::min(screenDpi, 96);
}

// The dots per inch to lay out such a window with: the screen's, or fewer where the window
// would not fit the work area at the screen's (a window designed 740 pixels wide at 200% on
// a 1920 x 1080 screen would reach under the taskbar).
inline int layoutDpi(int width, int height, DWORD style) {
    const RECT work = workArea();
    return fittingDpi(width, height, style, screenDpi(),
                      {work.right - work.left, work.bottom - work.top});
}

// The top-left corner of a window of `width` x `height` pixels centred on the work area
// (the screen without the taskbar); a window larger than the work area starts at its
// top-left corner.
inline POINT centredOnWorkArea(int width, int height) {
    const RECT work = workArea();
    return {work.left + std::max<LONG>(0, (work.right - work.left - width) / 2),
            work.top + std::max<LONG>(0, (work.bottom - work.top - height) / 2)};
}

}  // namespace qv::win32
