// The ignore list: its character rules alone, then the add, delete and clear buttons on
// the main window, with the entry box's one-character limit and the read-only list.

#include "guard/main_window/IgnoreList.h"

#include <gtest/gtest.h>

#include <string>

#include "guard/main_window/Form1.h"
#include "tests/support/GuardHarness.h"

namespace qv {
namespace {

TEST(IgnoreListRules, CharactersAreComparedExactlyAndWhole) {
    struct Case {
        const char* list;
        const char* entry;
        bool holds;
    };
    for (Case c : {Case{"fg", "g", true}, Case{"fg", "f", true}, Case{"e", "E", false},
                   Case{"E", "e", false}, Case{"", "e", false}, Case{"ab", "ab", false},
                   Case{"中e", "中", true}, Case{"\xE4\xB8\xAD", "\xE4", false}}) {
        EXPECT_EQ(ignoreListHolds(c.list, c.entry), c.holds) << c.list << " / " << c.entry;
    }
}

TEST(IgnoreListRules, RemovalTakesEveryCopyAndOnlyWholeCharacters) {
    struct Case {
        const char* list;
        const char* entry;
        const char* left;
    };
    for (Case c : {Case{"efef", "e", "ff"}, Case{"eEe", "e", "E"}, Case{"fg", "h", "fg"},
                   Case{"fg", "", "fg"}, Case{"中文中", "中", "文"}, Case{"abab", "ba", "ab"}}) {
        EXPECT_EQ(ignoreListWithout(c.list, c.entry), c.left) << c.list << " - " << c.entry;
    }
}

class IgnoreListTest : public ::testing::Test {
protected:
    void SetUp() override { h.guard.start(); }
    void add(const std::string& typed) {
        f.Text1.type(typed);
        f.Command1.click();
    }

    test::GuardHarness h;
    Form1& f = h.guard.form1();
};

TEST_F(IgnoreListTest, AddingAppendsInOrderAndRefusesWhatIsAlreadyThere) {
    add("f");
    add("g");
    EXPECT_EQ(f.Yhl.text(), "fg");
    EXPECT_EQ(f.Text1.text(), "");

    h.host.expectMessageBox("已存在的磁盘对象！", ui::MsgAnswer::Ok);
    add("f");
    ASSERT_EQ(h.host.boxes().size(), 1u);
    EXPECT_EQ(h.host.boxes()[0].title, "提示");
    EXPECT_EQ(h.host.boxes()[0].buttons, ui::MsgButtons::Ok);
    EXPECT_EQ(f.Yhl.text(), "fg");
    EXPECT_EQ(f.Text1.text(), "f") << "the entry box keeps the refused letter";

    f.Text1.setText("");
    add("F");  // another entry: case counts
    EXPECT_EQ(f.Yhl.text(), "fgF");

    f.Command1.click();  // an empty entry box adds nothing and says nothing
    EXPECT_EQ(f.Yhl.text(), "fgF");
    EXPECT_EQ(h.host.boxes().size(), 1u);
}

TEST_F(IgnoreListTest, TheEntryBoxTakesOneCharacterAndTheListNoneFromTheUser) {
    f.Text1.type("xyz");
    EXPECT_EQ(f.Text1.text(), "x");
    f.Text1.type("中文");
    EXPECT_EQ(f.Text1.text(), "中");
    f.Command1.click();
    EXPECT_EQ(f.Yhl.text(), "中");

    f.Yhl.type("abc");
    EXPECT_EQ(f.Yhl.text(), "中") << "read-only for the user";
}

TEST_F(IgnoreListTest, DeletingRemovesEveryCopyAppendedByTheDialogAndTheMonitor) {
    f.Yhl.setText("eferE");  // the threat dialog and the monitor append without a test
    f.Text1.type("e");
    f.Command2.click();
    EXPECT_EQ(f.Yhl.text(), "frE");
    EXPECT_EQ(f.Text1.text(), "");

    f.Text1.type("q");  // not on the list: nothing changes, nothing is said
    f.Command2.click();
    EXPECT_EQ(f.Yhl.text(), "frE");
    EXPECT_EQ(f.Text1.text(), "");

    f.Command2.click();  // with an empty entry box
    EXPECT_EQ(f.Yhl.text(), "frE");
    EXPECT_TRUE(h.host.boxes().empty());
}

TEST_F(IgnoreListTest, ClearingEmptiesTheListOnOkOnly) {
    f.Yhl.setText("fg");
    h.host.expectMessageBox("确认清空已被忽略的磁盘？", ui::MsgAnswer::Cancel);
    f.Command3.click();
    EXPECT_EQ(f.Yhl.text(), "fg");
    EXPECT_EQ(h.host.boxes().back().buttons, ui::MsgButtons::OkCancel);
    EXPECT_EQ(h.host.boxes().back().title, "提示");

    h.host.expectMessageBox("确认清空已被忽略的磁盘？", ui::MsgAnswer::Ok);
    f.Command3.click();
    EXPECT_EQ(f.Yhl.text(), "");
}

}  // namespace
}  // namespace qv
