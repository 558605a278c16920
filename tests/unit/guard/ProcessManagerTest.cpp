// The process manager: one window, brought to the front when opened again, the capture
// every 1200 ms and the read of the previous capture, a capture that fails told in the
// list, the PID entry, the kill with its outcome from the tool's exit status, and the
// layout on resize.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "guard/main_window/Form1.h"
#include "guard/monitor/Form5.h"
#include "guard/shell/Form3.h"
#include "guard/shell/Form4.h"
#include "guard/shell/ProcessList.h"
#include "tests/support/GuardHarness.h"

namespace qv {
namespace {

using platform::WindowMode;

const std::string kCapture =
    "\"C:\\Windows\\system32\\cmd.exe\" /d /s /c "
    "\"\"C:\\Windows\\system32\\tasklist.exe\" >Jincheng.qvjc\"";

TEST(ProcessListTest, ThePidEntryKeepsTheLeadingNumberOnlyAsDigits) {
    struct Case {
        const char* typed;
        const char* kept;
    };
    for (Case c :
         {Case{"1234", "1234"}, Case{"12ab", "12"}, Case{"abc", "0"}, Case{"", "0"}, Case{"0", "0"},
          Case{"007", "7"}, Case{" 42", "42"}, Case{"4 2", "4"}, Case{"+7", "7"}, Case{"-5x", "0"},
          Case{"-", "0"}, Case{"99999999999999999999", "4294967295"}, Case{"12.5", "12"}}) {
        SCOPED_TRACE(c.typed);
        std::string kept = process_list::normalisedPid(c.typed);
        EXPECT_EQ(kept, c.kept);
        EXPECT_EQ(process_list::normalisedPid(kept), kept) << "settles at once";
    }
}

class ProcessManagerTest : public ::testing::Test {
protected:
    void SetUp() override { h.guard.start(); }
    void writeCapture(const std::string& bytes) {
        std::ofstream(h.currentDirectory() / "Jincheng.qvjc", std::ios::binary) << bytes;
    }
    int captures() const {
        int n = 0;
        for (const auto& s : h.processes.starts()) {
            if (s.commandLine == kCapture) {
                EXPECT_EQ(s.mode, WindowMode::Hidden);
                ++n;
            }
        }
        return n;
    }

    test::GuardHarness h;
};

TEST_F(ProcessManagerTest, OpensOnceFromThePictureAndTheMenuAndRefreshesEvery1200ms) {
    h.guard.form1().Image5.click();
    ASSERT_TRUE(h.guard.form4Loaded());
    Form4& w = h.guard.form4();
    EXPECT_TRUE(w.visible());
    EXPECT_EQ(w.caption(), "QV进程管理器 By:林青木");
    EXPECT_EQ(w.Text1.text(), "正在获取进程列表...");
    EXPECT_TRUE(w.Check1.ticked());
    EXPECT_FALSE(w.Check1.enabled());
    EXPECT_TRUE(w.Text1.font().fixedPitch) << "the tool's columns line up";
    EXPECT_TRUE(w.Text2.digitsOnly());

    h.host.advance(1200);
    EXPECT_EQ(captures(), 1);
    EXPECT_EQ(w.Text1.text(), "正在获取进程列表...") << "no capture yet: the tick fails quietly";
    EXPECT_FALSE(w.Check1.enabled());

    writeCapture("Image Name   PID\r\ncmd.exe      12\r\nQVud.exe     34");
    h.host.advance(1199);
    EXPECT_EQ(captures(), 1);
    h.host.advance(1);
    EXPECT_EQ(captures(), 2);
    EXPECT_EQ(w.Text1.text(), "Image Name   PID\r\ncmd.exe      12\r\nQVud.exe     34\r\n");
    EXPECT_TRUE(w.Check1.enabled());

    w.Text2.type("12");
    h.host.expectPopupMenu([&](ui::Menu&) { h.guard.monitorWindows().form5().Jinchenggl.click(); });
    h.guard.form3().Image1.mouseUp(ui::MouseButton::Right);
    EXPECT_EQ(&h.guard.form4(), &w) << "the same window";
    EXPECT_EQ(w.Text2.text(), "12") << "unchanged";
    EXPECT_EQ(h.host.log().back(), "activate Form4") << "brought to the front";
    EXPECT_EQ(std::count(h.host.log().begin(), h.host.log().end(), "show Form4"), 1);
}

TEST_F(ProcessManagerTest, UntickingStopsTheRefreshAndTickingStartsItAgain) {
    writeCapture("");
    Form4& w = h.guard.form4();
    h.host.advance(1200);
    EXPECT_EQ(w.Text1.text(), "") << "an empty capture is an empty list";
    ASSERT_TRUE(w.Check1.enabled());
    w.Check1.click();
    EXPECT_FALSE(w.Timer1.running());
    h.host.advance(5000);
    EXPECT_EQ(captures(), 1);
    w.Check1.click();
    h.host.advance(1200);
    EXPECT_EQ(captures(), 2);
}

TEST_F(ProcessManagerTest, ClosingUnloadsAndTheNextOpeningStartsAfresh) {
    writeCapture("old list\r\n");
    Form4& first = h.guard.form4();
    h.host.advance(1200);
    EXPECT_EQ(first.Text1.text(), "old list\r\n");
    EXPECT_TRUE(first.requestClose(ui::CloseReason::UserClose));
    EXPECT_FALSE(h.guard.form4Loaded());
    h.guard.collectUnloadedForms();
    h.host.advance(5000);
    EXPECT_EQ(captures(), 1) << "its timer went with it";

    Form4& again = h.guard.form4();
    EXPECT_EQ(again.Text1.text(), "正在获取进程列表...");
    EXPECT_FALSE(again.Check1.enabled());
}

TEST_F(ProcessManagerTest, ACaptureThatFailsIsToldInTheListAndTriedAgain) {
    const std::string notWritten =
        "无法获取进程列表：任务列表程序 tasklist.exe 没能把进程列表写入"
        "“C:\\ProgramData\\QVu盘卫士\\Jincheng.qvjc”（退出代码 1）。\r\n（仍在每隔 1.2 秒重试）";
    Form4& w = h.guard.form4();
    h.processes.setOutcome("cmd", 1);  // the redirection was refused
    h.host.advance(2 * 1200);
    EXPECT_EQ(w.Text1.text(), notWritten);
    EXPECT_EQ(captures(), 2) << "tried again";

    // A capture that ends well but leaves no file says so too.
    h.processes.setOutcome("cmd", 0);
    h.host.advance(2 * 1200);
    EXPECT_EQ(w.Text1.text(),
              "无法获取进程列表：任务列表程序 tasklist.exe 已运行结束，但没能把进程列表写入"
              "“C:\\ProgramData\\QVu盘卫士\\Jincheng.qvjc”。"
              "\r\n（仍在每隔 1.2 秒重试）");

    // One that hangs is not doubled; once it has run too long it is ended and told, and
    // the next one starts at once.
    h.processes.setOutcome("cmd", std::nullopt);
    writeCapture("list\r\n");
    h.host.advance(1200);
    EXPECT_EQ(w.Text1.text(), "list\r\n");
    const int started = captures();
    h.host.advance(Form4::kCaptureWaitMs - 1200);
    EXPECT_EQ(w.Text1.text(), "list\r\n") << "still waiting";
    EXPECT_EQ(captures(), started) << "never two captures at a time";
    EXPECT_EQ(h.processes.ends(), 0);
    h.processes.setOutcome("cmd", 0);  // for the next one
    h.host.advance(2 * 1200);
    EXPECT_EQ(h.processes.ends(), 1);
    EXPECT_EQ(captures(), started + 1);
    EXPECT_EQ(w.Text1.text(),
              "无法获取进程列表：任务列表程序 tasklist.exe 在 10 秒内没有结束，已将其结束。\r\n"
              "（仍在每隔 1.2 秒重试）");
    writeCapture("list again\r\n");
    h.host.advance(1200);
    EXPECT_EQ(w.Text1.text(), "list again\r\n");

    // Without the command interpreter nothing can be captured.
    test::GuardHarness g;
    g.guard.start();
    g.processes.setMissing("cmd.exe");
    Form4& other = g.guard.form4();
    g.host.advance(1200);
    EXPECT_EQ(
        other.Text1.text(),
        "无法获取进程列表：无法启动命令解释器“C:\\Windows\\system32\\cmd.exe”。原因：系统找不到"
        "指定的文件。\r\n（仍在每隔 1.2 秒重试）");
    EXPECT_TRUE(g.host.boxes().empty()) << "told in the list, not in boxes every tick";
}

TEST_F(ProcessManagerTest, TheKillTellsWhatTheToolReallyDid) {
    struct Case {
        const char* name;
        const char* typed;
        std::optional<unsigned long> exitCode;  // nullopt: the tool never ends
        int polls;
        bool missingTool;
        const char* told;
    };
    for (Case c : {Case{"ended", "1234", 0, 0, false, "指定进程结束成功！"},
                   Case{"ended after a while", "1234", 0, 7, false, "指定进程结束成功！"},
                   Case{"no such process", "99", 128, 2, false, "进程结束失败！"},
                   Case{"cleared box is PID 0", "", 1, 0, false, "进程结束失败！"},
                   Case{"tool hangs", "1234", std::nullopt, 0, false, "进程结束失败！"},
                   Case{"tool missing", "1234", 0, 0, true, "进程结束失败！"}}) {
        SCOPED_TRACE(c.name);
        test::GuardHarness g;
        g.guard.start();
        g.processes.setOutcome("taskkill", c.exitCode, c.polls);
        if (c.missingTool) g.processes.setMissing("TASKKILL.exe");
        Form4& w = g.guard.form4();
        w.Check1.setValue(0);  // no captures in the way
        w.Text2.type("5");
        w.Text2.type(c.typed);
        std::string pid = *c.typed ? c.typed : "0";
        EXPECT_EQ(w.Text2.text(), pid);

        g.host.expectMessageBox("你确定结束该进程吗？", ui::MsgAnswer::Ok);
        g.host.expectMessageBox(c.told, ui::MsgAnswer::Ok);
        w.Command1.click();
        if (!c.missingTool) {
            ASSERT_EQ(g.processes.starts().size(), 1u);
            EXPECT_EQ(g.processes.starts()[0].commandLine,
                      "\"C:\\Windows\\system32\\taskkill.exe\" /PID " + pid + " /f");
            EXPECT_EQ(g.processes.starts()[0].mode, WindowMode::Hidden);
        }
        if (g.host.boxes().size() < 2) {
            EXPECT_FALSE(w.Command1.enabled()) << "waiting for the tool";
            g.host.advance(Form4::kKillWaitMs + Form4::kKillPollMs);
        }
        ASSERT_EQ(g.host.boxes().size(), 2u);
        EXPECT_EQ(g.host.boxes()[1].title, "提示");
        EXPECT_TRUE(w.Command1.enabled());
        EXPECT_FALSE(w.Timer2.running());
    }
}

TEST_F(ProcessManagerTest, AnEmptyEntryAsksForAPidAndCancelStartsNothing) {
    Form4& w = h.guard.form4();
    h.host.expectMessageBox("请输入指定进程的PID！", ui::MsgAnswer::Ok);
    w.Command1.click();
    w.Text2.type("77");
    h.host.expectMessageBox("你确定结束该进程吗？", ui::MsgAnswer::Cancel);
    w.Command1.click();
    EXPECT_EQ(h.host.boxes().size(), 2u);
    EXPECT_TRUE(h.processes.starts().empty());
}

TEST_F(ProcessManagerTest, TheListFillsTheWindowAndTheBottomRowFollowsWithoutNegativeSizes) {
    Form4& w = h.guard.form4();
    w.setSize(12000, 7000);
    EXPECT_EQ(w.Text1.bounds(), (ui::Rect{120, 120, 11650, 5800}));
    EXPECT_EQ(w.Label1.bounds().top, 6055);
    EXPECT_EQ(w.Text2.bounds().top, 6055);
    EXPECT_EQ(w.Command1.bounds().top, 5950);
    EXPECT_EQ(w.Check1.bounds().top, 6055);
    EXPECT_EQ(w.Text2.bounds().left, 3480) << "left edges stay";
    EXPECT_EQ(w.Command1.bounds().left, 4320);

    w.setSize(300, 1000);
    EXPECT_EQ(w.Text1.bounds().width, 11650) << "a negative width is not set";
    EXPECT_EQ(w.Text1.bounds().height, 5800);
    EXPECT_EQ(w.Label1.bounds().top, 6055) << "the other steps still run";

    w.setSize(2000, 1200);
    EXPECT_EQ(w.Text1.bounds().height, 0);
    EXPECT_EQ(w.Text1.bounds().width, 1650);
    EXPECT_EQ(w.Label1.bounds().top, 255);
    EXPECT_EQ(w.Command1.bounds().top, 150);
}

}  // namespace
}  // namespace qv
