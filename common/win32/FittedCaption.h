#pragma once
// A button's caption drawn so that it shows whole: on one line, wrapped as the system's
// multi-line buttons wrap it, or, when a skin's large font fits neither way, smaller.

#include <windows.h>

#include <string>

namespace qv::win32 {

// Draws `caption` centred in `box` on `dc` with `font` (the text colour and background mode
// already set): on one line when it fits, else wrapped with its lines centred as a block
// ("关闭自动播放CD功能" in a bold font), else in the largest smaller size of the same face
// that fits one of those ways (a 36 pt font), down to 8 pixels.
void drawFittedCaption(HDC dc, const std::wstring& caption, RECT box, HFONT font);

}  // namespace qv::win32
