#include "uninstaller/script/ScriptParser.h"

#include <gtest/gtest.h>

#include "common/xz/XzFormat.h"

namespace qv::uninst {
namespace {

using Lines = std::vector<std::string>;

ParsedScript parse(const Lines& lines) {
    std::optional<ParsedScript> script = Dq(lines);
    EXPECT_TRUE(script.has_value());
    return script.value_or(ParsedScript{});
}

TEST(ScriptParser, FullScript) {
    ParsedScript s = parse({"注释", "[标题开始]", "QVu盘卫士", "[文本开始]", "第一行", "第二行",
                            "[文本结束]", "[删除开始]", "QVud.exe", "C:\\QVu\\Rz.log", "[删除结束]",
                            "[命令开始]", "del x", "[命令结束]"});
    EXPECT_EQ(s.title, "QVu盘卫士");
    EXPECT_EQ(s.text, "第一行\r\n第二行\r\n");
    EXPECT_EQ(s.deleteList, (Lines{"QVud.exe", "C:\\QVu\\Rz.log"}));
}

TEST(ScriptParser, TitleOnlyLeavesTextAndListAlone) {
    ParsedScript s = parse({"[标题开始]", "产品"});
    EXPECT_EQ(s.title, "产品");
    EXPECT_FALSE(s.text.has_value());
    EXPECT_TRUE(s.deleteList.empty());

    ParsedScript none = parse({"x", "[文本结束]", "[删除结束]"});
    EXPECT_FALSE(none.title.has_value());
    EXPECT_FALSE(none.text.has_value());
    EXPECT_TRUE(none.deleteList.empty());
}

TEST(ScriptParser, TitleMarkerOnTheLastLineGivesAnEmptyTitle) {
    ParsedScript s = parse({"[删除开始]", "a", "[删除结束]", "[标题开始]"});
    EXPECT_EQ(s.title, "");
    EXPECT_EQ(s.deleteList, Lines{"a"});
}

TEST(ScriptParser, WalkSkipsTheTitleLineAndChecksTheLineAfterIt) {
    // The line after the title is checked for text and delete markers in the same step.
    ParsedScript s = parse({"[标题开始]", "T", "[文本开始]", "x", "[文本结束]"});
    EXPECT_EQ(s.title, "T");
    EXPECT_EQ(s.text, "x\r\n");

    // A title that looks like a marker is just the title.
    ParsedScript m = parse({"[标题开始]", "[删除开始]", "a", "[删除结束]"});
    EXPECT_EQ(m.title, "[删除开始]");
    EXPECT_TRUE(m.deleteList.empty());

    // A title marker right after a title is looked at only for the other markers, so the
    // first title stays; a later one, met by the walk, replaces it.
    ParsedScript twice = parse({"[标题开始]", "A", "[标题开始]", "B"});
    EXPECT_EQ(twice.title, "A");
    ParsedScript later = parse({"[标题开始]", "A", "x", "[标题开始]", "B"});
    EXPECT_EQ(later.title, "B");
}

TEST(ScriptParser, LaterTextSectionReplacesEarlierOne) {
    ParsedScript s = parse({"[文本开始]", "旧", "[文本结束]", "[文本开始]", "新", "[文本结束]"});
    EXPECT_EQ(s.text, "新\r\n");
}

TEST(ScriptParser, TextSectionIsWalkedAgain) {
    // The walk does not skip the text: a delete marker inside it takes effect, and a text
    // marker inside it starts the text again from there.
    ParsedScript s = parse({"[文本开始]", "a", "[删除开始]", "f", "[删除结束]", "[文本结束]"});
    EXPECT_EQ(s.text, "a\r\n[删除开始]\r\nf\r\n[删除结束]\r\n");
    EXPECT_EQ(s.deleteList, Lines{"f"});

    ParsedScript nested = parse({"[文本开始]", "a", "[文本开始]", "b", "[文本结束]"});
    EXPECT_EQ(nested.text, "b\r\n");
}

TEST(ScriptParser, DeleteSectionsAppendInScriptOrder) {
    ParsedScript s =
        parse({"[删除开始]", "a", "b", "[删除结束]", "x", "[删除开始]", "c", "[删除结束]"});
    EXPECT_EQ(s.deleteList, (Lines{"a", "b", "c"}));
}

TEST(ScriptParser, DeleteMarkerInsideADeleteSectionRepeatsTheRest) {
    ParsedScript s = parse({"[删除开始]", "a", "[删除开始]", "b", "[删除结束]"});
    EXPECT_EQ(s.deleteList, (Lines{"a", "[删除开始]", "b", "b"}));
}

TEST(ScriptParser, MissingEndMarkersRunToTheLastLine) {
    ParsedScript t = parse({"[文本开始]", "a", "", "b"});
    EXPECT_EQ(t.text, "a\r\n\r\nb\r\n");
    ParsedScript d = parse({"[删除开始]", "a", "[删除结束 ]", "b"});
    EXPECT_EQ(d.deleteList, (Lines{"a", "[删除结束 ]", "b"}));
    ParsedScript empty = parse({"[文本开始]"});
    EXPECT_EQ(empty.text, "");
}

TEST(ScriptParser, MarkersMustMatchExactly) {
    ParsedScript s = parse({" [标题开始]", "x", "[标题开始] ", "y", "【删除开始】", "z",
                            "[删除开始]\t", "w", "[文本开始", "v"});
    EXPECT_FALSE(s.title.has_value());
    EXPECT_FALSE(s.text.has_value());
    EXPECT_TRUE(s.deleteList.empty());

    // A blank-led end marker does not end its section.
    ParsedScript e = parse({"[文本开始]", "a", " [文本结束]", "b", "[文本结束]"});
    EXPECT_EQ(e.text, "a\r\n [文本结束]\r\nb\r\n");
}

TEST(ScriptParser, EmptyLinesInsideSectionsAreKept) {
    ParsedScript s =
        parse({"[文本开始]", "", "a", "", "[文本结束]", "[删除开始]", "", "f", "", "[删除结束]"});
    EXPECT_EQ(s.text, "\r\na\r\n\r\n");
    EXPECT_EQ(s.deleteList, (Lines{"", "f", ""}));
}

TEST(ScriptParser, RefusesADeleteListPastTheBound) {
    // Nested markers make the list grow with the square of the line count.
    Lines markers(2000, "[删除开始]");
    EXPECT_FALSE(Dq(markers).has_value());

    Lines exact{"[删除开始]"};
    exact.resize(xz::kMaxDeleteEntries + 1, "f");
    ASSERT_TRUE(Dq(exact).has_value());
    EXPECT_EQ(Dq(exact)->deleteList.size(), xz::kMaxDeleteEntries);
    exact.push_back("g");
    EXPECT_FALSE(Dq(exact).has_value());
}

TEST(ScriptParser, RefusesNestedMarkersCopyingALongLine) {
    // 140 markers before one line of almost a MiB: each would copy the line again.
    Lines lines(140, "[删除开始]");
    lines.push_back(std::string(xz::kMaxScriptBytes - 4096, 'A'));
    EXPECT_FALSE(Dq(lines).has_value());

    // One list as long as a whole script of Chinese names converted is still read.
    Lines whole{"[删除开始]", std::string(xz::kMaxListBytes / 2, 'a'),
                std::string(xz::kMaxListBytes / 2, 'b'), "[删除结束]"};
    ASSERT_TRUE(Dq(whole).has_value());
    EXPECT_EQ(Dq(whole)->deleteList.size(), 2u);
    whole.insert(whole.begin() + 2, "c");
    EXPECT_FALSE(Dq(whole).has_value());
}

TEST(ScriptParser, ManyTextMarkersStayLinear) {
    // Each text marker would refill the text from there; only the last one counts.
    Lines lines(200000, "[文本开始]");
    lines.push_back("最后");
    ParsedScript s = parse(lines);
    EXPECT_EQ(s.text, "最后\r\n");
}

}  // namespace
}  // namespace qv::uninst
