#pragma once
// The setup program's two pictures, drawn from the guard's shield in place of the setup
// maker's stock ones: the tall picture beside its welcome and finish pages and the small
// one in the header of its other pages. Each is a 24-bit Windows bitmap file drawn at
// twice the size the pages give it at 96 DPI, so that it stays sharp when the setup lays
// its pages out for 200%; the setup fits it to its place ("BITMAPFILEHEADER",
// "BITMAPINFOHEADER", learn.microsoft.com/windows/win32/api/wingdi).

#include <string>

namespace qv::icons {

// Beside the welcome and finish pages: 164 x 314 pixels at 96 DPI.
std::string setupSideBitmapFile();
// In the header of the other pages: 150 x 57 pixels at 96 DPI.
std::string setupHeaderBitmapFile();

}  // namespace qv::icons
