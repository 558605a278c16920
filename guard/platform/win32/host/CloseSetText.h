#pragma once
// A line of text whose wide (CJK) characters and spaces stand closer or further apart than
// the font sets them, while Latin letters and digits keep their own spacing: how a label
// fits a line that is a little too wide for it at the font's size.

#include <windows.h>

#include <string>

namespace qv::win32 {

// Draws `text` on one line from the top left of `area` (clipped to it) with `extra` pixels
// after each wide character and space, or only measures it when `draw` is false. Returns
// the line's width in pixels.
int setClose(HDC dc, const std::wstring& text, const RECT& area, int extra, bool draw);

// The spacing to set `text` with, for `wanted` pixels at 96 dots per inch: scaled to
// `dpi`, and where it sets the line closer, closer still a pixel at a time (to twice that
// at most) while the line is wider than `area`. Glyphs do not grow in proportion to the
// DPI, so a line that fits at one DPI may not at another.
int fittedSpacing(HDC dc, const std::wstring& text, const RECT& area, int wanted, int dpi);

}  // namespace qv::win32
