// What the shortcut-worm dialog writes out of a command: padding, and the characters that
// show as nothing.

#include <gtest/gtest.h>

#include <string>

#include "common/worms/VisibleText.h"

namespace qv::worms {
namespace {

TEST(VisibleTextTest, PaddingAndInvisibleCharactersAreWrittenOut) {
    EXPECT_EQ(visibleText("cmd.exe /c start __ & exit"), "cmd.exe /c start __ & exit");
    EXPECT_EQ(visibleText("/c" + std::string(100000, ' ') + "start x"), "/c[100000个空格]start x");
    EXPECT_EQ(visibleText("a  b"), "a  b") << "two blanks are no padding";
    EXPECT_EQ(visibleText("start \xC2\xA0 & explorer \xC2\xA0\xC2\xA0"),
              "start [U+00A0] & explorer [U+00A0×2]");
    EXPECT_EQ(visibleText("a\tb\r\nc"), "a[U+0009]b[U+000D][U+000A]c");
    EXPECT_EQ(visibleText("x\xE2\x80\xAEtxt.exe"), "x[U+202E]txt.exe") << "right-to-left override";
    EXPECT_EQ(visibleText("\xEF\xBB\xBFx\xE2\x80\x8B"), "[U+FEFF]x[U+200B]");
    EXPECT_EQ(visibleText("病毒\xE3\x80\x80文件"), "病毒[U+3000]文件");
    EXPECT_EQ(visibleText("bad\xFF\xC3"), "bad[0xFF][0xC3]");
    EXPECT_EQ(visibleText(""), "");
}

}  // namespace
}  // namespace qv::worms
