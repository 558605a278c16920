// The companion modules, the protection log and the web links: every command line as it
// is started (every program by its full path), the window it asks for, and the messages of
// a missing module.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "guard/main_window/Form1.h"
#include "guard/main_window/Site.h"
#include "guard/monitor/Form5.h"
#include "guard/shell/Form3.h"
#include "guard/shell/LinkCommands.h"
#include "tests/support/GuardHarness.h"

namespace qv {
namespace {

using platform::WindowMode;

const links::Tools kTools{"C:\\Windows\\system32\\cmd.exe", "C:\\Windows\\explorer.exe",
                          "C:\\Windows\\notepad.exe"};
const std::string kCmd = "\"C:\\Windows\\system32\\cmd.exe\" ";
const std::string kExplorer = "\"C:\\Windows\\explorer.exe\" ";

TEST(LinkCommandsTest, EveryPageHasItsExactCommandLine) {
    const std::string forum = "http://bbs.example.org";
    EXPECT_EQ(links::forumHome(kTools, forum), kCmd + "/c start http://bbs.example.org");
    EXPECT_EQ(
        links::bugReportThread(kTools, forum),
        kExplorer + "\"http://bbs.example.org/forum.php?mod=viewthread&tid=5&extra=page%3D1\"");
    EXPECT_EQ(links::publishSoftware(kTools, forum),
              kExplorer +
                  "\"http://bbs.example.org/forum.php?mod=post&action=newthread&fid=54"
                  "&referer=http%3A//bbs.example.org/forum.php%3Fmod%3Dforumdisplay%26fid%3D54\"");
    EXPECT_EQ(links::helpBoard(kTools, forum),
              kExplorer + "\"http://bbs.example.org/forum.php?mod=forumdisplay&fid=52\"");
    EXPECT_EQ(links::moodBoard(kTools, forum),
              kCmd + "/c start http://bbs.example.org/forum.php?mod=forumdisplay^&fid=58")
        << "the interpreter would end the command at a bare &";
    EXPECT_EQ(links::cmdStart(kTools, "a|b<c>d^e"), kCmd + "/c start a^|b^<c^>d^^e");
}

TEST(LinkCommandsTest, TheDomainIsTheAddressWithoutItsScheme) {
    EXPECT_EQ(
        std::string(site::kForumAddress).find("://") + 3 + std::string(site::kForumDomain).size(),
        std::string(site::kForumAddress).size());
    EXPECT_TRUE(std::string(site::kForumAddress).ends_with(site::kForumDomain));
}

class ExternalLinksTest : public ::testing::Test {
protected:
    void SetUp() override { h.guard.start(); }
    // Chooses a menu item of the badge's pop-up menu.
    void choose(ui::MenuItem Form5::*item) {
        h.host.expectPopupMenu(
            [&](ui::Menu&) { (h.guard.monitorWindows().form5().*item).click(); });
        h.guard.form3().Image1.mouseUp(ui::MouseButton::Right);
    }

    test::GuardHarness h;
    Form1& f = h.guard.form1();
};

TEST_F(ExternalLinksTest, EveryWebLinkStartsItsCommandHidden) {
    const std::string forum = site::kForumAddress;
    struct Link {
        ui::Control& control;
        std::string command;
    };
    const links::Tools tools = links::toolsIn(h.folders);
    EXPECT_EQ(tools.cmd, kTools.cmd);
    EXPECT_EQ(tools.explorer, kTools.explorer);
    for (const Link& l : {Link{f.Label2, links::forumHome(tools, forum)},
                          Link{f.Label10, links::forumHome(tools, forum)},
                          Link{f.Image4, links::forumHome(tools, forum)},
                          Link{f.Label11, links::bugReportThread(tools, forum)},
                          Link{f.Label6, links::publishSoftware(tools, forum)},
                          Link{f.Label5, links::helpBoard(tools, forum)},
                          Link{f.Label9, links::moodBoard(tools, forum)}}) {
        SCOPED_TRACE(l.control.name());
        size_t before = h.processes.starts().size();
        l.control.click();
        ASSERT_EQ(h.processes.starts().size(), before + 1);
        EXPECT_EQ(h.processes.starts().back().commandLine, l.command);
        EXPECT_EQ(h.processes.starts().back().mode, WindowMode::Hidden);
    }
    EXPECT_TRUE(h.host.boxes().empty());
}

TEST_F(ExternalLinksTest, TheLogOpensInTheEditorEvenBeforeThereIsOne) {
    f.Image6.click();
    choose(&Form5::Chakan);
    const posix::RecordingProcesses::Start editor{"\"C:\\Windows\\notepad.exe\" rz.log",
                                                  WindowMode::Normal};
    EXPECT_EQ(h.processes.starts(), (std::vector{editor, editor}));
}

TEST_F(ExternalLinksTest, TheModulesStartFromTheProgramFolderAndAMissingOneIsTold) {
    f.Image7.click();
    choose(&Form5::PIfgg);
    EXPECT_EQ(h.processes.starts(),
              (std::vector<posix::RecordingProcesses::Start>{
                  {"\"C:\\Program Files\\QV\\Filedir.exe\"", WindowMode::Normal},
                  {"\"C:\\Program Files\\QV\\Pifushe.exe\"", WindowMode::Normal}}));
    EXPECT_TRUE(h.host.boxes().empty());

    h.processes.setMissing("Filedir.exe");
    h.processes.setMissing("Pifushe.exe");
    struct Case {
        std::function<void()> click;
        const char* told;
    };
    for (const Case& c : {Case{[&] { f.Image7.click(); }, "文件浏览器模块丢失！"},
                          Case{[&] { choose(&Form5::wjll); }, "文件浏览器模块丢失！"},
                          Case{[&] { f.Image8.click(); }, "更换皮肤模块丢失！"},
                          Case{[&] { choose(&Form5::PIfgg); }, "更换皮肤模块丢失！"}}) {
        h.host.expectMessageBox(c.told, ui::MsgAnswer::Ok);
        c.click();
        EXPECT_EQ(h.host.boxes().back().title, "提示");
        EXPECT_EQ(h.host.boxes().back().buttons, ui::MsgButtons::Ok);
    }
    EXPECT_EQ(h.host.boxes().size(), 4u);
    EXPECT_EQ(h.processes.starts().size(), 2u);
}

}  // namespace
}  // namespace qv
