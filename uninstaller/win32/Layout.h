#pragma once
// Where the wizard's controls sit, in twips (1440 to the inch; 15 twips are one pixel at
// 96 dpi), and how twips become pixels on this screen.

#include <windows.h>

namespace qv::uninst::win32 {

struct TwipsRect {
    int x, y, width, height;
};

inline constexpr int kClientWidth = 6150;
inline constexpr TwipsRect kWenben{120, 120, 5895, 3735};
inline constexpr TwipsRect kCheck1{120, 3990, 3000, 270};
inline constexpr TwipsRect kImage1{3480, 3945, 1200, 375};  // cancel face
inline constexpr TwipsRect kImage2{4815, 3945, 1200, 375};  // uninstall face
// Below the designed height; the window grows to reveal it.
inline constexpr TwipsRect kShanchulb{120, 4560, 5895, 1500};

// The screen's pixels per inch, as GDI reports them for the whole desktop.
inline int screenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

inline int twipsToPixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

}  // namespace qv::uninst::win32
