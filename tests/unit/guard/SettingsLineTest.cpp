// The settings line: where the first line ends, which positions a loader sees, and what a
// saver writes.

#include "guard/main_window/SettingsLine.h"

#include <gtest/gtest.h>

namespace qv::settings {
namespace {

TEST(SettingsLineTest, TheFirstLineEndsAtTheFirstCarriageReturnOnly) {
    EXPECT_EQ(firstLine("011111\r\n000000\r\n"), "011111");
    EXPECT_EQ(firstLine("0111\r0000"), "0111");
    EXPECT_EQ(firstLine("01\n0"), "01\n0") << "a LF on its own does not end a line";
    EXPECT_EQ(firstLine(""), "");
    EXPECT_EQ(firstLine("\r\n111111"), "");
}

TEST(SettingsLineTest, APositionBeyondTheLineHoldsNoDigit) {
    EXPECT_TRUE(digitAt("10", 2, '0'));
    EXPECT_FALSE(digitAt("10", 1, '0'));
    EXPECT_FALSE(digitAt("10", 3, '0'));
    EXPECT_FALSE(digitAt("10", 0, '1')) << "positions count from 1";
}

TEST(SettingsLineTest, PositionsCountCharactersNotBytes) {
    // "中" is two bytes in GBK and three in UTF-8, and one character in either.
    EXPECT_TRUE(digitAt("中0", 2, '0'));
    EXPECT_TRUE(digitAt("中文01", 4, '1'));
    EXPECT_FALSE(digitAt("中文01", 5, '1')) << "no fifth character";
}

TEST(SettingsLineTest, ASaverWritesOneDigitPerOptionAndCrLf) {
    EXPECT_EQ(settingsLine({true, true, false, true}), "1101\r\n");
    EXPECT_EQ(settingsLine({}), "\r\n");
}

}  // namespace
}  // namespace qv::settings
