// Start-up of the guard: the single-instance test, the fixed window, the page frames,
// the hidden main window, the badge, and every state control at its designed value.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "guard/main_window/Form1.h"
#include "guard/main_window/SingleCopy.h"
#include "guard/platform/posix/MemoryServices.h"
#include "guard/shell/Form3.h"
#include "tests/support/GuardHarness.h"

namespace qv {
namespace {

TEST(StartupTest, HidesTheMainWindowAndShowsTheBadgeWithTheWindowFixedAndFramesInPlace) {
    test::GuardHarness h;
    h.guard.start();
    Form1& f = h.guard.form1();

    EXPECT_TRUE(h.host.hiddenFromTaskList());
    EXPECT_FALSE(f.visible());
    EXPECT_TRUE(h.guard.form3().visible());
    EXPECT_EQ(h.host.log(), (std::vector<std::string>{"show Form3"}));
    EXPECT_EQ(f.bounds().width, 7380);
    EXPECT_EQ(f.bounds().height, 6090) << "start-up sets 6120, the resize handling 6090";
    struct Page {
        ui::Frame& frame;
        int width;
    };
    for (Page p :
         {Page{f.Frame1, 7215}, Page{f.Frame2, 7095}, Page{f.Frame3, 7095}, Page{f.Frame4, 7095}}) {
        EXPECT_EQ(p.frame.bounds(), (ui::Rect{120, 2160, p.width, 3135})) << p.frame.name();
        EXPECT_FALSE(p.frame.visible()) << p.frame.name();
    }
    EXPECT_FALSE(h.host.ended());
}

// The test runs before the guard is made: here nothing of the guard exists, and the
// notice left open for 6 s of timer clock runs nothing.
TEST(SingleCopyTest, ASecondCopyShowsItsNoticeAndNothingElseHoweverLongItIsOpen) {
    test::HeadlessHost host;
    posix::FlagSingleInstance instance;
    instance.setAnswer(platform::InstanceClaim::TakenByAnother);
    host.expectMessageBox("已经有一个QVu盘卫士运行了！", ui::MsgAnswer::Ok,
                          [&] { host.advance(6000); });

    EXPECT_TRUE(refusedAsSecondCopy(host, instance));

    ASSERT_EQ(host.boxes().size(), 1u);
    EXPECT_EQ(host.boxes()[0].title, "提示");
    EXPECT_EQ(host.boxes()[0].buttons, ui::MsgButtons::Ok);
    EXPECT_TRUE(host.log().empty()) << "no window shown or hidden";
    EXPECT_FALSE(host.hiddenFromTaskList());
}

TEST(SingleCopyTest, OnlyAnotherCopysClaimStopsTheStartNotAMarkerThatCannotBeMade) {
    for (auto claim : {platform::InstanceClaim::Held, platform::InstanceClaim::Unavailable}) {
        test::HeadlessHost host;
        posix::FlagSingleInstance instance;
        instance.setAnswer(claim);
        EXPECT_FALSE(refusedAsSecondCopy(host, instance)) << static_cast<int>(claim);
        EXPECT_TRUE(host.boxes().empty());
    }
}

TEST(StartupTest, EveryStateControlHoldsItsDesignedValue) {
    test::GuardHarness h;
    h.guard.start();
    Form1& f = h.guard.form1();

    struct Box {
        ui::CheckBox& box;
        const char* caption;
        int value;
    };
    for (Box b : {Box{f.JcbdUp, "检视本地 U盘", 1}, Box{f.Jcbdyp, "检视本地硬盘", 1},
                  Box{f.Jcbdgp, "检视本地光盘", 1}, Box{f.Jcbdxncp, "检视本地虚拟磁盘", 1},
                  Box{f.Upcrsm, "U盘插入扫描", 1}, Box{f.Qd, "开机启动程序", 0},
                  Box{f.Tj, "加入统计计划", 0}, Box{f.Jlrz, "记录防护日志", 1},
                  Box{f.Zdcl, "自动处理威胁", 0}, Box{f.Upts, "程序动作提示", 1},
                  Box{f.Jzpf, "加在皮肤文件", 0}, Box{f.Cscl, "超时自动处理", 1},
                  Box{f.Xshy, "显示欢迎页面", 0}, Box{f.Mrgl, "默认关联文件", 0},
                  Box{f.Check1, "强制免疫(无法免疫时,请选择)", 0}}) {
        EXPECT_EQ(b.box.caption(), b.caption) << b.box.name();
        EXPECT_EQ(b.box.value(), b.value) << b.box.name();
    }
    for (ui::CheckBox* b :
         {&f.Qd, &f.Tj, &f.Jlrz, &f.Zdcl, &f.Upts, &f.Jzpf, &f.Cscl, &f.Xshy, &f.Mrgl}) {
        EXPECT_EQ(b->container(), &f.Frame3) << b->name();
    }
    EXPECT_EQ(f.Zdcl.toolTip(), "发现威胁自动删除，只删除Autorun.inf文件");
    EXPECT_EQ(f.Mrgl.toolTip(), "默认删除关联文件项");

    EXPECT_TRUE(f.Znms.value());
    EXPECT_FALSE(f.Ssms.value());
    EXPECT_EQ(f.Znms.container(), &f.Frame5);
    EXPECT_EQ(f.Ssms.container(), &f.Frame5);
    EXPECT_EQ(f.Znms.toolTip(), "智能模式省内存，只有当电脑插入U盘时才扫描电脑");
    EXPECT_EQ(f.Ssms.toolTip(), "实时模式更安全，每隔一定的时间就扫描一次电脑");

    EXPECT_EQ(f.df.caption(), "98");
    EXPECT_EQ(f.Label1.caption(), "您的电脑防U得分:");
    EXPECT_EQ(f.Label3.caption(), "分！");
    EXPECT_EQ(f.Yhl.text(), "");
    EXPECT_TRUE(f.Yhl.locked());
    EXPECT_TRUE(f.Yhl.visible());
    EXPECT_EQ(f.Text1.text(), "");
    EXPECT_EQ(f.Text1.maxLength(), 1);
    EXPECT_EQ(f.xcptxt.text(), "") << "the first insertion check sees every drive as new";
    EXPECT_FALSE(f.xcptxt.visible());
    EXPECT_EQ(f.Leixing.caption(), "请选择磁盘");
    EXPECT_EQ(f.Sdjindu.caption(), "准备就绪...");
    EXPECT_EQ(f.Jd.value(), 0);
    EXPECT_EQ(f.Jd.min(), 0);
    EXPECT_EQ(f.Jd.max(), 100);
    EXPECT_EQ(f.Label8.caption(), "统计计划已关闭");
    EXPECT_FALSE(f.Drive1.visible());
    EXPECT_TRUE(f.Drive2.visible());
    EXPECT_FALSE(f.Webtj.visible());
    EXPECT_EQ(f.Webtj.locationUrl(), "");

    EXPECT_EQ(f.Jstm.interval(), 1800);
    EXPECT_FALSE(f.Jstm.running());
    EXPECT_EQ(f.Uptip.interval(), 1500);
    EXPECT_TRUE(f.Uptip.running());
    EXPECT_EQ(f.Timer1.interval(), 1888);
    EXPECT_FALSE(f.Timer1.running());
}

TEST(StartupTest, DriveListsShowTheDrivesPresentInLetterOrder) {
    test::GuardHarness h;
    h.addDrive('e', platform::DriveType::Removable);
    h.addDrive('d', platform::DriveType::CdRom);
    Form1& f = h.guard.form1();
    f.Drive1.refresh();
    EXPECT_EQ(f.Drive1.entries(), (std::vector<std::string>{"c:", "d:", "e:"}));
}

TEST(StartupTest, ThePagesAndTheirControlsAreLaidOutAsDesigned) {
    test::GuardHarness h;
    h.guard.start();
    Form1& f = h.guard.form1();

    EXPECT_TRUE(f.caption().starts_with("QVu盘卫士 [青木作品]"));
    struct Nav {
        ui::Image& image;
        ui::Shape& shape;
        int left;
        const char* tip;
    };
    for (Nav n :
         {Nav{f.Fhsz, f.Shape1, 120, "监控、防护"}, Nav{f.Jjsd, f.Shape2, 1080, "杀毒、免疫"},
          Nav{f.Gjsz, f.Shape3, 2040, "高级功能、更多功能"},
          Nav{f.Xtsz, f.Shape4, 3000, "系统设置"}, Nav{f.Gywm, f.Shape5, 3960, "关于、反馈BUG"}}) {
        EXPECT_EQ(n.image.bounds(), (ui::Rect{n.left, 120, 735, 735})) << n.image.name();
        EXPECT_EQ(n.shape.bounds(), n.image.bounds()) << n.shape.name();
        EXPECT_EQ(n.shape.borderColor(), 0xC0FFFFu);
        EXPECT_EQ(n.image.toolTip(), n.tip);
        EXPECT_EQ(n.image.borderStyle(), ui::Border::None);
        EXPECT_EQ(n.image.cursor(), ui::Cursor::Default);
    }
    struct Tool {
        ui::Image& image;
        int left;
        const char* tip;
    };
    for (Tool t : {Tool{f.Image5, 2640, "进程管理器"}, Tool{f.Image7, 3600, "文件浏览器"},
                   Tool{f.Image8, 4680, "皮肤更换器"}, Tool{f.Image6, 5760, "防护日志"}}) {
        EXPECT_EQ(t.image.bounds(), (ui::Rect{t.left, 1920, 720, 720})) << t.image.name();
        EXPECT_EQ(t.image.container(), &f.Frame2);
        EXPECT_EQ(t.image.toolTip(), t.tip);
    }
    for (ui::Control* hand : std::initializer_list<ui::Control*>{
             &f.Image4, &f.Image5, &f.Image6, &f.Image7, &f.Image8, &f.Label2, &f.Label5, &f.Label6,
             &f.Label9, &f.Label10, &f.Label11}) {
        EXPECT_EQ(hand->cursor(), ui::Cursor::Hand) << hand->name();
    }
    EXPECT_EQ(f.Label11.foreColor(), 0x000000u);
    EXPECT_EQ(f.Label5.foreColor(), ui::kSystemTextColor);
    EXPECT_EQ(f.Label9.foreColor(), 0x0040C0u);
    EXPECT_EQ(f.Label2.foreColor(), 0x00C000u);
    EXPECT_EQ(f.Label6.foreColor(), 0x0000FFu);
    EXPECT_EQ(f.Label11.bounds(), (ui::Rect{480, 2760, 3060, 210}));
    EXPECT_EQ(f.Label6.bounds(), (ui::Rect{4680, 2760, 1800, 210}));
    EXPECT_EQ(f.Image4.bounds(), (ui::Rect{840, 120, 5235, 1260}));
    EXPECT_EQ(f.Text2.bounds(), (ui::Rect{360, 1560, 6375, 975}));
    EXPECT_TRUE(f.Text2.multiLine() && f.Text2.locked());
    EXPECT_TRUE(f.Text2.text().starts_with("安装完成后请务必关闭系统的自动播放功能！\r\n"));

    EXPECT_EQ(f.Frame6.container(), &f.Frame1);
    EXPECT_EQ(f.Drive2.container(), &f.Frame6);
    EXPECT_EQ(f.Label5.container(), &f.Frame6);
    EXPECT_EQ(f.Command18.caption(), "免 疫");
    EXPECT_EQ(f.Command9.container(), &f.Frame2);
    EXPECT_EQ(f.Command16.caption(), "允许网络访问U盘");
    EXPECT_EQ(f.Command1.toolTip(), "添加忽略监控的磁盘");
    EXPECT_EQ(f.Command7.caption(), "一键杀毒");
    EXPECT_EQ(f.Command4.caption(), "一键开启");
    EXPECT_EQ(f.Command5.caption(), "一键关闭");
    EXPECT_EQ(f.Command6.caption(), "保存设置");
    EXPECT_EQ(f.Command8.caption(), "保存设置");
    EXPECT_EQ(f.Command8.container(), &f.Frame3);
}

}  // namespace
}  // namespace qv
