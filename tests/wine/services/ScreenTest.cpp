// A companion window is laid out for the screen's DPI as far as the work area holds it:
// at 200% on a screen whose work area is 960 pixels high, a window designed 740 x 478 at
// 96 takes fewer dots per inch, never fewer than 96.

#include <windows.h>

#include <gtest/gtest.h>

#include "common/win32/Screen.h"

namespace qv::win32 {
namespace {

TEST(ScreenTest, AWindowTakesTheMostDotsPerInchItsWorkAreaHolds) {
    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    auto frameHeight = [&](int dpi) {
        RECT frame{0, 0, MulDiv(740, dpi, 96), MulDiv(478, dpi, 96)};
        AdjustWindowRect(&frame, kStyle, FALSE);
        return frame.bottom - frame.top;
    };
    EXPECT_EQ(fittingDpi(740, 478, kStyle, 192, {3840, 2160}), 192) << "room enough";
    const int dpi = fittingDpi(740, 478, kStyle, 192, {1920, 960});
    EXPECT_LT(dpi, 192);
    EXPECT_GT(dpi, 96);
    EXPECT_LE(frameHeight(dpi), 960);
    EXPECT_GT(frameHeight(dpi + 1), 960) << "and no fewer than it must";
    EXPECT_EQ(fittingDpi(740, 478, kStyle, 144, {640, 480}), 96) << "never below 96";
    EXPECT_EQ(fittingDpi(740, 478, kStyle, 72, {640, 480}), 72);
}

}  // namespace
}  // namespace qv::win32
