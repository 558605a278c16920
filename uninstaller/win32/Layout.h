#pragma once
// Where the wizard's controls sit, in twips (1440 to the inch; 15 twips are one pixel at
// 96 dpi), and how twips become pixels on a screen of a given dpi.

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

inline int twipsToPixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

}  // namespace qv::uninst::win32
