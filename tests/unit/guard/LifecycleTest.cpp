// The main window's life: the close reasons, the pop-up menu's "显示主窗体" and "退出",
// and the timers that keep running while the window is hidden.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "guard/main_window/Form1.h"
#include "guard/monitor/Form5.h"
#include "guard/shell/Form3.h"
#include "guard/shell/LifecycleMenu.h"
#include "tests/support/GuardHarness.h"

namespace qv {
namespace {

class LifecycleTest : public ::testing::Test {
protected:
    void SetUp() override { h.guard.start(); }

    // Opens the badge's menu and chooses the item named `item`.
    void choose(const std::string& item) {
        h.host.expectPopupMenu([item](ui::Menu& menu) {
            for (ui::Control* c : menu.items()) {
                if (c->name() == item) return c->click();
            }
            ADD_FAILURE() << "no menu item " << item;
        });
        badge.Image1.mouseUp(ui::MouseButton::Right);
    }
    std::vector<std::string> logSince(size_t from) const {
        return {h.host.log().begin() + static_cast<long>(from), h.host.log().end()};
    }
    bool anyFileIn(const std::filesystem::path& folder) const {
        return std::filesystem::exists(folder) && !std::filesystem::is_empty(folder);
    }

    test::GuardHarness h;
    Form1& main = h.guard.form1();
    Form3& badge = h.guard.form3();
};

TEST(LifecycleReasons, EveryCloseOtherThanTheUsersOwnEndsTheProgram) {
    for (ui::CloseReason reason : {ui::CloseReason::Code, ui::CloseReason::WindowsShutdown,
                                   ui::CloseReason::TaskManager, ui::CloseReason::Owner}) {
        test::GuardHarness h;
        h.guard.start();
        EXPECT_TRUE(h.guard.form1().requestClose(reason)) << static_cast<int>(reason);
        EXPECT_TRUE(h.host.ended()) << static_cast<int>(reason);
    }
}

TEST_F(LifecycleTest, ShowMainWindowShowsItHidesTheBadgeAndUnloadsTheMenusOwner) {
    size_t from = h.host.log().size();
    choose("Xianshi");
    EXPECT_TRUE(main.visible());
    EXPECT_FALSE(badge.visible());
    EXPECT_FALSE(h.guard.monitorWindows().form5Loaded());
    h.guard.collectUnloadedForms();
    EXPECT_EQ(logSince(from), (std::vector<std::string>{"menu Cd over Form3", "show Form1",
                                                        "hide Form3", "destroy Form5"}));

    // The menu comes back with a fresh owner whose items still work.
    main.requestClose(ui::CloseReason::UserClose);
    choose("Xianshi");
    EXPECT_TRUE(main.visible());
    EXPECT_FALSE(badge.visible());
}

TEST_F(LifecycleTest, ExitAnsweredWithCancelLeavesEverythingAsItWas) {
    h.host.expectMessageBox(kExitQuestion, ui::MsgAnswer::Cancel);
    choose("Tuichu");
    ASSERT_EQ(h.host.boxes().size(), 1u);
    EXPECT_EQ(h.host.boxes()[0].title, "提示");
    EXPECT_EQ(h.host.boxes()[0].buttons, ui::MsgButtons::OkCancel);
    EXPECT_FALSE(h.host.ended());
    EXPECT_FALSE(main.visible());
    EXPECT_TRUE(badge.visible());
    EXPECT_TRUE(main.Uptip.running());
}

TEST_F(LifecycleTest, ExitAnsweredWithOkEndsTheProcessAtOnceSavingNothingEvenUnderADialog) {
    std::filesystem::path stick = h.addDrive('e', platform::DriveType::Removable);
    { std::ofstream(stick / "autorun.inf") << "[autorun]\r\nopen=x.exe\r\n"; }
    main.JcbdUp.setValue(0);  // a changed option that nobody saved
    // The menu is used while the threat dialog is open.
    h.host.expectModal("Form2", [&](ui::Form&) {
        h.host.expectMessageBox(kExitQuestion, ui::MsgAnswer::Ok);
        choose("Tuichu");
    });
    h.guard.monitorWindows().showThreatDialog("e:\\autorun.inf");

    EXPECT_TRUE(h.host.ended());
    EXPECT_EQ(h.host.log().back(), "end") << "no window is closed or hidden on the way out";
    EXPECT_TRUE(std::filesystem::exists(stick / "autorun.inf")) << "the threat is left as it is";
    EXPECT_FALSE(anyFileIn(h.currentDirectory())) << "nothing is saved or logged";
}

TEST_F(LifecycleTest, TimersKeepRunningWhileTheMainWindowIsHidden) {
    int monitorTicks = 0, insertionTicks = 0;
    main.Jstm.onTimer = [&] { ++monitorTicks; };
    main.Uptip.onTimer = [&] { ++insertionTicks; };
    main.Jstm.setEnabled(true);
    main.show();
    main.requestClose(ui::CloseReason::UserClose);
    ASSERT_FALSE(main.visible());

    h.host.advance(3600);
    EXPECT_EQ(monitorTicks, 2);
    EXPECT_EQ(insertionTicks, 2);
}

}  // namespace
}  // namespace qv
