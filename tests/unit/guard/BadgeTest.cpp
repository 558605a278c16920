// The floating badge: placement, close requests refused, drag, double-click, the pop-up
// menu on a right-button release, and the warning picture that switches protection back on.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "guard/main_window/Form1.h"
#include "guard/monitor/Form5.h"
#include "guard/shell/Form3.h"
#include "tests/support/GuardHarness.h"

namespace qv {
namespace {

class BadgeTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.host.screen = {1024 * 15, 768 * 15};
        h.guard.start();
    }
    test::GuardHarness h;
    Form3& badge = h.guard.form3();
};

TEST_F(BadgeTest, SitsInTheTopRightCornerWithoutTheWarning) {
    EXPECT_EQ(badge.bounds(), (ui::Rect{1024 * 15 - (615 + 250), 250, 615, 615}));
    EXPECT_EQ(badge.caption(), "QVud");
    EXPECT_EQ(badge.border(), ui::FormBorder::None);
    EXPECT_FALSE(badge.showInTaskbar());
    EXPECT_EQ(badge.Image1.bounds(), (ui::Rect{0, 0, 615, 615}));
    EXPECT_EQ(badge.Image1.toolTip(), "基本防护已开启！");
    EXPECT_FALSE(badge.Image2.visible());
    EXPECT_EQ(badge.Image2.bounds(), (ui::Rect{360, 360, 375, 375}));
    EXPECT_EQ(badge.Image2.cursor(), ui::Cursor::Hand);
    EXPECT_EQ(badge.Image2.toolTip(), "你的电脑存在危险，一键开启防护");
}

TEST_F(BadgeTest, EveryPointerMoveOverThePictureStartsADrag) {
    badge.Image1.mouseMove();
    badge.Image1.mouseMove();
    EXPECT_EQ(h.host.dragsStarted(), 2);
}

TEST_F(BadgeTest, RefusesEveryCloseRequestAndStaysWithTheGuard) {
    for (ui::CloseReason reason : {ui::CloseReason::UserClose, ui::CloseReason::Code,
                                   ui::CloseReason::TaskManager, ui::CloseReason::Owner}) {
        EXPECT_FALSE(badge.requestClose(reason)) << static_cast<int>(reason);
    }
    EXPECT_TRUE(badge.visible());
    EXPECT_FALSE(h.host.ended());
    EXPECT_EQ(h.host.log(), (std::vector<std::string>{"show Form3"})) << "never hidden";
}

TEST_F(BadgeTest, DoubleClickShowsTheMainWindowAndHidesTheBadgeWhichKeepsItsPlace) {
    badge.placedByHost({3000, 4000, 615, 615});  // dragged by the user
    badge.Image1.dblClick();
    EXPECT_TRUE(h.guard.form1().visible());
    EXPECT_FALSE(badge.visible());
    std::vector<std::string> tail(h.host.log().end() - 2, h.host.log().end());
    EXPECT_EQ(tail, (std::vector<std::string>{"show Form1", "hide Form3"}));

    badge.show();
    EXPECT_EQ(badge.bounds(), (ui::Rect{3000, 4000, 615, 615})) << "placed once per load only";
}

TEST_F(BadgeTest, ClosingTheMainWindowHidesItBehindTheBadgeWhereItWasLeft) {
    badge.placedByHost({3000, 4000, 615, 615});
    badge.Image1.dblClick();
    EXPECT_FALSE(h.guard.form1().requestClose(ui::CloseReason::UserClose));
    EXPECT_FALSE(h.guard.form1().visible());
    EXPECT_TRUE(badge.visible());
    EXPECT_EQ(badge.bounds(), (ui::Rect{3000, 4000, 615, 615}));
    EXPECT_FALSE(h.host.ended());

    EXPECT_TRUE(h.guard.form1().requestClose(ui::CloseReason::WindowsShutdown));
    EXPECT_TRUE(h.host.ended()) << "a shutdown is never held up";
}

TEST_F(BadgeTest, RightButtonReleaseOpensTheMenuOfForm5WithItsSixItems) {
    std::vector<std::string> captions;
    h.host.expectPopupMenu([&](ui::Menu& menu) {
        EXPECT_EQ(&menu, &h.guard.monitorWindows().form5().Cd);
        for (ui::Control* item : menu.items()) captions.push_back(item->caption());
    });
    badge.Image1.mouseUp(ui::MouseButton::Right);
    EXPECT_EQ(captions, (std::vector<std::string>{"显示主窗体", "进程管理", "文件浏览", "防护日志",
                                                  "皮肤更换", "退出"}));
    EXPECT_EQ(h.host.log().back(), "menu Cd over Form3");

    badge.Image1.mouseUp(ui::MouseButton::Left);  // an unexpected menu would fail the test
    badge.Image1.mouseUp(ui::MouseButton::Middle);
}

TEST_F(BadgeTest, WarningStateFollowsAllProtectionOff) {
    badge.showProtectionState(true);
    EXPECT_EQ(badge.Image1.toolTip(), "防护已全部关闭！");
    EXPECT_TRUE(badge.Image2.visible());
    badge.showProtectionState(false);
    EXPECT_EQ(badge.Image1.toolTip(), "基本防护已开启！");
    EXPECT_FALSE(badge.Image2.visible());
}

TEST_F(BadgeTest, WarningClickTicksTheFiveMonitoringOptionsInOrder) {
    Form1& f = h.guard.form1();
    std::vector<std::string> ticked;
    for (ui::CheckBox* box : {&f.JcbdUp, &f.Jcbdyp, &f.Jcbdgp, &f.Jcbdxncp, &f.Upcrsm}) {
        box->setValue(0);
        box->onClick = [&ticked, box] { ticked.push_back(box->name()); };
    }
    f.Jcbdgp.setValue(1);  // already ticked: no event for it
    ticked.clear();

    badge.Image2.click();

    EXPECT_EQ(ticked, (std::vector<std::string>{"JcbdUp", "Jcbdyp", "Jcbdxncp", "Upcrsm"}));
    for (ui::CheckBox* box : {&f.JcbdUp, &f.Jcbdyp, &f.Jcbdgp, &f.Jcbdxncp, &f.Upcrsm}) {
        EXPECT_EQ(box->value(), 1) << box->name();
    }
}

}  // namespace
}  // namespace qv
