#pragma once
// Saves what the screen shows inside a window, inside a rectangle of the screen, or on the
// whole screen, as a 24-bit BMP `name`.bmp in the folder named by the environment variable
// QV_ARTEFACTS; scripts/test turns them into PNG files to look at. Does nothing when
// QV_ARTEFACTS is not set.

#include <windows.h>

#include <string>

namespace qv::test {

// Returns the file written, or "" when nothing was saved.
std::wstring saveScreenshot(const std::wstring& name, HWND window = nullptr,
                            const RECT* area = nullptr);

}  // namespace qv::test
