#pragma once
// Where the wizard's controls sit, in twips (1440 to the inch; 15 twips are one pixel at
// 96 dpi), and how twips become pixels on a screen of a given dpi.

#include <windows.h>

#include "uninstaller/wizard/Design.h"

namespace qv::uninst::win32 {

struct TwipsRect {
    int x, y, width, height;
};

// The designed client area; the designed window is 4935 high, so its caption and borders
// took 510 twips. A window height of the design is shown as the client height it left,
// inside this system's own caption and borders.
inline constexpr int kClientWidth = 6150;
inline constexpr int kClientHeight = 4425;
inline constexpr int kDesignedFrameHeight = kHeightDesigned - kClientHeight;
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
