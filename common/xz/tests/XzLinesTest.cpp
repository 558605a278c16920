#include "common/xz/XzLines.h"

#include <gtest/gtest.h>

namespace qv::xz {
namespace {

using Lines = std::vector<std::string>;

TEST(XzLines, EndsLinesAtCrLfLfAndCr) {
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    // A CR LF pair is one terminator; LF CR is two.
    EXPECT_EQ(splitLines("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(splitLines("a\r\r\nb"), (Lines{"a", "", "b"}));
}

TEST(XzLines, TerminatorAtTheEndStartsNoLine) {
    EXPECT_EQ(splitLines(""), Lines{});
    EXPECT_EQ(splitLines("a\r\n"), Lines{"a"});
    EXPECT_EQ(splitLines("a\r"), Lines{"a"});
    EXPECT_EQ(splitLines("\r\n"), Lines{""});
    EXPECT_EQ(splitLines("\r\n\r\n"), (Lines{"", ""}));
    EXPECT_EQ(splitLines("a"), Lines{"a"});
}

TEST(XzLines, KeepsBlanksCaseAndOtherBytes) {
    EXPECT_EQ(splitLines(" [标题开始] \r\n\tX y\r\n"), (Lines{" [标题开始] ", "\tX y"}));
    const std::string withNul("a\0b\r\nc", 6);
    EXPECT_EQ(splitLines(withNul), (Lines{std::string("a\0b", 3), "c"}));
}

TEST(XzLines, JoinedLinesSplitBackAsTheyWere) {
    const Lines lines{"[标题开始]", "", " a b ", std::string("x\0y", 3), ""};
    EXPECT_EQ(joinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(splitLines(joinLines(lines)), lines);
    EXPECT_EQ(joinLines({}), "");
}

}  // namespace
}  // namespace qv::xz
