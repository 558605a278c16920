#include "uninstaller/script/CommandScan.h"

#include <gtest/gtest.h>

#include "common/xz/XzFormat.h"

namespace qv::uninst {
namespace {

using Lines = std::vector<std::string>;

Lines scan(const Lines& lines) {
    auto commands = scanCommands(lines);
    EXPECT_TRUE(commands.has_value());
    return commands.value_or(Lines{});
}

TEST(CommandScan, SectionsWithAndWithoutEndMarker) {
    EXPECT_EQ(scan({"[命令开始]", "a", "b", "[命令结束]", "c"}), (Lines{"a", "b"}));
    EXPECT_EQ(scan({"x", "[命令开始]", "a", "", "b"}), (Lines{"a", "", "b"}));
    EXPECT_EQ(scan({"[命令开始]", "[命令结束]"}), Lines{});
    EXPECT_EQ(scan({"[命令开始]"}), Lines{});
    EXPECT_EQ(scan({"a", "[命令结束]", "b"}), Lines{});
}

TEST(CommandScan, SectionsRunInScriptOrder) {
    EXPECT_EQ(scan({"[命令开始]", "1", "[命令结束]", "[删除开始]", "f", "[删除结束]", "[命令开始]",
                    "2", "[命令结束]"}),
              (Lines{"1", "2"}));
}

TEST(CommandScan, MarkersMustMatchExactlyAndNestedMarkersRepeat) {
    EXPECT_EQ(scan({" [命令开始]", "a", "[命令开始] ", "b"}), Lines{});
    EXPECT_EQ(scan({"[命令开始]", "a", " [命令结束]", "b", "[命令结束]"}),
              (Lines{"a", " [命令结束]", "b"}));
    // The walk goes on inside a section, so a second begin marker repeats the rest.
    EXPECT_EQ(scan({"[命令开始]", "a", "[命令开始]", "b", "[命令结束]"}),
              (Lines{"a", "[命令开始]", "b", "b"}));
}

TEST(CommandScan, RefusesMoreCommandsThanTheBound) {
    Lines lines{"[命令开始]"};
    lines.resize(xz::kMaxCommands + 1, "echo");
    ASSERT_TRUE(scanCommands(lines).has_value());
    lines.push_back("echo");
    EXPECT_FALSE(scanCommands(lines).has_value());
    EXPECT_FALSE(scanCommands(Lines(500, "[命令开始]")).has_value());

    // The same bound on bytes: nested markers copying one long command.
    Lines nested(44, "[命令开始]");
    nested.push_back(std::string(xz::kMaxScriptBytes - 4096, 'x'));
    EXPECT_FALSE(scanCommands(nested).has_value());
    EXPECT_TRUE(scanCommands({"[命令开始]", std::string(xz::kMaxListBytes, 'x')}).has_value());
}

}  // namespace
}  // namespace qv::uninst
