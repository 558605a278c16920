#pragma once
// Model colours to GDI colours. A model colour with the top bit set names a system colour
// by its index in the low byte (0x8000000F the button face, 0x80000012 the button text),
// as the classic form designer stores them; any other value is 0x00BBGGRR.

#include <windows.h>

#include "guard/platform/ui/Geometry.h"

namespace qv::win32 {

inline COLORREF resolveColour(ui::Color colour) {
    if (colour & 0x80000000u) return GetSysColor(static_cast<int>(colour & 0xFF));
    return static_cast<COLORREF>(colour & 0xFFFFFF);
}

}  // namespace qv::win32
