// The skin file reader: the sample shipped beside the program, the defaults of keys left
// out, and the files that count as damaged (no skin at all).

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "guard/platform/skin/SkinFile.h"

namespace qv::skin {
namespace {

std::string shippedSkin() {
    std::ifstream in(QV_SHIPPED_SKIN, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(SkinFileTest, TheShippedSkinReadsWhole) {
    std::optional<Theme> theme = readSkin(shippedSkin());
    ASSERT_TRUE(theme);
    EXPECT_EQ(theme->name, "青翠");
    EXPECT_EQ(theme->windowFace, 0xEAF2E6u) << "#E6F2EA as 0x00BBGGRR";
    EXPECT_EQ(theme->buttonFace, 0x5C8B3Du);
    EXPECT_EQ(theme->buttonFont, (SkinFont{"宋体", 9, true}));
    EXPECT_EQ(theme->editText, 0x182010u);
}

TEST(SkinFileTest, KeysLeftOutFollowTheWindowsColours) {
    std::optional<Theme> theme =
        readSkin("\xEF\xBB\xBF[Skin]\r\n[WINDOW]\r\nFace = #010203 ; surface\r\ntext=#0A0B0C\r\n");
    ASSERT_TRUE(theme);
    EXPECT_EQ(theme->windowFace, 0x030201u);
    EXPECT_EQ(theme->buttonFace, 0x030201u);
    EXPECT_EQ(theme->buttonPressed, 0x030201u);
    EXPECT_EQ(theme->buttonText, 0x0C0B0Au);
    EXPECT_EQ(theme->frameLine, 0x0C0B0Au);
    EXPECT_EQ(theme->editFace, 0xFFFFFFu);
    EXPECT_EQ(theme->buttonFont, SkinFont{});
}

TEST(SkinFileTest, ADamagedFileGivesNoSkin) {
    const std::string good = "[skin]\n[window]\nface = #FFFFFF\ntext = #000000\n";
    ASSERT_TRUE(readSkin(good));
    const char* damaged[] = {
        "",
        "[window]\nface = #FFFFFF\ntext = #000000\n",  // no [skin] first
        "[skin]\n[window]\nface = #FFFFFF\n",          // text missing
        "[skin]\n[window]\nface = #FFFFF\ntext = #000000\n",
        "[skin]\n[window]\nface = FFFFFF\ntext = #000000\n",
        "[skin]\n[window]\nface = #GGFFFF\ntext = #000000\n",
        "[skin]\n[window]\nface = #FFFFFF\nface = #FFFFFF\ntext = #000000\n",
        "[skin]\n[window]\nface = #FFFFFF\ntext = #000000\nshadow = #000000\n",
        "[skin]\n[windows]\nface = #FFFFFF\ntext = #000000\n",
        "[skin]\n[window\nface = #FFFFFF\ntext = #000000\n",
        "[skin]\n[window]\nface #FFFFFF\ntext = #000000\n",
        "[skin]\nformat = 2\n[window]\nface = #FFFFFF\ntext = #000000\n",
        "[skin]\n[window]\nface = #FFFFFF\ntext = #000000\n[button]\nfont = 宋体\n",
        "[skin]\n[window]\nface = #FFFFFF\ntext = #000000\n[button]\nfont = 宋体, 99\n",
        "[skin]\n[window]\nface = #FFFFFF\ntext = #000000\n[button]\nfont = , 9\n",
        "[skin]\n[window]\nface = #FFFFFF\ntext = #000000\n[button]\nfont = a, 9, italic\n",
        "[skin]\nname = \xC7\xE0\xB4\xE4\n[window]\nface = #FFFFFF\ntext = #000000\n",  // GBK
        "[skin]\nformat = 1\nformat = 1\n[window]\nface = #FFFFFF\ntext = #000000\n",
    };
    for (const char* file : damaged) EXPECT_FALSE(readSkin(file)) << file;
    // A name that is not well-formed UTF-8 or holds a control character.
    auto named = [](std::string name) {
        return "[skin]\nname = " + name + "\n[window]\nface = #FFFFFF\ntext = #000000\n";
    };
    ASSERT_TRUE(readSkin(named("青翠 \xF0\x9F\x8C\xBF \xC2\xA0\xED\x9F\xBF\xF4\x8F\xBF\xBF")));
    for (const char* bad : {
             "\xED\xA0\x80",      // a surrogate
             "a\xE0\x80\x80z",    // an overlong form of NUL
             "a\xC0\xAFz",        // an overlong slash
             "\xF0\x8F\xBF\xBF",  // an overlong U+FFFF
             "\xF4\x90\x80\x80",  // past U+10FFFF
             "a\xC2\x85z",        // NEL, a C1 control
             "a\x7Fz",            // DEL
             "a\xE4\xB8z",        // cut short
         }) {
        EXPECT_FALSE(readSkin(named(bad))) << bad;
    }
    EXPECT_FALSE(readSkin(good + std::string("a\0b = 1\n", 8)));
    EXPECT_FALSE(readSkin(good + std::string(kMaxSkinBytes, ';')));
}

}  // namespace
}  // namespace qv::skin
