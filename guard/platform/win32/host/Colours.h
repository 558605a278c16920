#pragma once
// Model colours to GDI colours. A model colour with the top bit set names a system colour
// by its index in the low byte (0x8000000F the button face, 0x80000012 the button text),
// as the classic form designer stores them; any other value is 0x00BBGGRR. While a skin
// is applied, the system colours it changes come from the skin.

#include <windows.h>

#include "guard/platform/ui/Geometry.h"
#include "guard/platform/win32/skin/SkinPalette.h"

namespace qv::win32 {

inline COLORREF resolveColour(ui::Color colour) {
    if (colour & 0x80000000u) {
        int index = static_cast<int>(colour & 0xFF);
        if (auto skinned = skin::systemColour(index)) return *skinned;
        return GetSysColor(index);
    }
    return static_cast<COLORREF>(colour & 0xFFFFFF);
}

}  // namespace qv::win32
