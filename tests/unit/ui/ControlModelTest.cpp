// The rule the whole guard rests on: a value changed by code runs the control's event
// exactly as a user's action does, and setting the value a control already has runs
// nothing.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"
#include "tests/support/HeadlessHost.h"

namespace qv::ui {
namespace {

struct Counter {
    int count = 0;
    std::function<void()> handler() {
        return [this] { ++count; };
    }
};

class ControlModelTest : public ::testing::Test {
protected:
    test::HeadlessHost host;
    Form form{host, "Test"};
};

TEST_F(ControlModelTest, CheckBoxRunsItsClickOnEveryRealChangeWhoeverMakesIt) {
    CheckBox box{form, "Box"};
    Counter clicks;
    std::vector<int> seen;
    box.onClick = [&] {
        ++clicks.count;
        seen.push_back(box.value());
    };

    box.setValue(1);  // by code
    box.setValue(1);  // the value it already has
    box.click();      // by the user: clears
    box.click();      // ticks again
    box.setValue(2);  // greyed counts as a change, but not as ticked

    EXPECT_EQ(clicks.count, 4);
    EXPECT_EQ(seen, (std::vector<int>{1, 0, 1, 2}));
    EXPECT_FALSE(box.ticked());
}

TEST_F(ControlModelTest, OptionButtonsSelectExclusivelyWithinTheirContainer) {
    Frame frame{form, "Frame"};
    OptionButton a{form, "A"}, b{form, "B"}, outside{form, "Outside"};
    a.setContainer(&frame);
    b.setContainer(&frame);
    Counter aClicks, bClicks, outsideClicks;
    a.onClick = aClicks.handler();
    b.onClick = bClicks.handler();
    outside.onClick = outsideClicks.handler();

    a.setValue(true);
    outside.click();
    b.click();
    b.click();  // already selected: nothing
    EXPECT_FALSE(a.value());
    EXPECT_TRUE(b.value());
    EXPECT_TRUE(outside.value()) << "another container's group is not touched";
    EXPECT_EQ(aClicks.count, 1);
    EXPECT_EQ(bClicks.count, 1);
    EXPECT_EQ(outsideClicks.count, 1);

    b.setValue(false);  // clearing runs nothing
    EXPECT_EQ(bClicks.count, 1);
}

TEST_F(ControlModelTest, LabelCaptionAndTextBoxTextRunChangeOnlyWhenDifferent) {
    Label label{form, "Label"};
    TextBox text{form, "Text"};
    Counter labelChanges, textChanges;
    label.onChange = labelChanges.handler();
    text.onChange = textChanges.handler();

    label.setCaption("98");
    label.setCaption("98");
    label.setCaption("58");
    text.setText("e");
    text.setText("e");
    text.type("e");
    text.setText("");

    EXPECT_EQ(labelChanges.count, 2);
    EXPECT_EQ(textChanges.count, 2);
}

TEST_F(ControlModelTest, TypingIsCutToTheMaximumLengthInCharactersNotBytes) {
    TextBox text{form, "Text"};
    text.setMaxLength(1);
    text.type("盘ab");
    EXPECT_EQ(text.text(), "盘");
    text.setText("long text by code");  // the limit is the user's, not the program's
    EXPECT_EQ(text.text(), "long text by code");
}

TEST_F(ControlModelTest, ListBoxSelectionFollowsRemovals) {
    ListBox list{form, "List"};
    Counter selections;
    list.onClick = selections.handler();
    for (const char* item : {"e:\\a.exe", "e:\\b.exe", "e:\\c.exe"}) list.addItem(item);

    list.setListIndex(2);
    list.setListIndex(2);
    list.setListIndex(7);  // out of range: ignored
    EXPECT_EQ(selections.count, 1);

    list.removeItem(0);
    EXPECT_EQ(list.listIndex(), 1);
    EXPECT_EQ(list.list(1), "e:\\c.exe");
    list.removeItem(1);
    EXPECT_EQ(list.listIndex(), -1);
    list.removeItem(5);
    EXPECT_EQ(list.listCount(), 1);
}

TEST_F(ControlModelTest, DriveListRefreshKeepsTheCurrentDriveAndRunsNoChange) {
    DriveList drives{form, "Drives"};
    std::vector<std::string> present{"c:", "d:"};
    drives.setSource([&](std::vector<std::string>& out) { out = present; });
    Counter changes;
    drives.onChange = changes.handler();

    drives.refresh();
    EXPECT_EQ(drives.drive(), "c:");
    drives.setListIndex(1);
    EXPECT_EQ(changes.count, 1);

    present = {"c:", "d:", "e:"};
    drives.refresh();
    EXPECT_EQ(drives.drive(), "d:");
    present = {"c:", "e:"};
    drives.refresh();
    EXPECT_EQ(drives.drive(), "c:") << "a vanished drive gives way to the first";
    EXPECT_EQ(changes.count, 1) << "refreshing alone never counts as a change";
}

TEST_F(ControlModelTest, DirListOfAFolderThatCannotBeListedIsEmpty) {
    DirList dirs{form, "Dirs"};
    dirs.setSource([](const std::string& path) -> std::optional<std::vector<std::string>> {
        if (path == "e:\\") return std::vector<std::string>{"e:\\docs", "e:\\music"};
        return std::nullopt;
    });
    dirs.setPath("e:\\");
    ASSERT_EQ(dirs.listCount(), 2);
    EXPECT_EQ(dirs.list(1), "e:\\music");
    dirs.setPath("f:\\");
    EXPECT_EQ(dirs.listCount(), 0);
}

TEST_F(ControlModelTest, ContainedControlsShowOnlyInsideVisibleContainers) {
    Frame outer{form, "Outer"}, inner{form, "Inner"};
    Label label{form, "Label"};
    inner.setContainer(&outer);
    label.setContainer(&inner);
    outer.setVisible(false);
    EXPECT_TRUE(label.visible());
    EXPECT_FALSE(label.shownInForm());
    outer.setVisible(true);
    EXPECT_TRUE(label.shownInForm());
}

TEST_F(ControlModelTest, MenuListsItsOwnItemsInOrder) {
    Menu menu{form, "Menu"}, other{form, "Other"};
    MenuItem first{form, "First", menu}, elsewhere{form, "Elsewhere", other},
        second{form, "Second", menu};
    std::vector<std::string> names;
    for (Control* item : menu.items()) names.push_back(item->name());
    EXPECT_EQ(names, (std::vector<std::string>{"First", "Second"}));
    EXPECT_FALSE(menu.visible());
}

TEST_F(ControlModelTest, WebBrowserHandsTheAddressToItsNavigator) {
    WebBrowser browser{form, "Web"};
    std::vector<std::string> visited;
    browser.setNavigator([&](const std::string& url) { visited.push_back(url); });
    browser.navigate("http://example.invalid/forum.php");
    EXPECT_EQ(visited, (std::vector<std::string>{"http://example.invalid/forum.php"}));
    EXPECT_EQ(browser.locationUrl(), "http://example.invalid/forum.php");
}

}  // namespace
}  // namespace qv::ui
