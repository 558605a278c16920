#pragma once
// Screenshots for people to look at: the screen area of a window saved as a BMP file into
// the folder named by QV_ARTEFACTS (nothing when it is not set).

#include <windows.h>

#include <string>

namespace qv::uninst::test {

// Saves `name`.bmp; returns its path, or "" when nothing was saved.
std::wstring saveScreenshot(const std::wstring& name, HWND window);

// The colour of one screen pixel.
COLORREF screenPixel(int x, int y);

}  // namespace qv::uninst::test
