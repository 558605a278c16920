#pragma once
// The screen as a companion program's window meets it: its pixels per inch and the place
// that centres a window on the work area.

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
