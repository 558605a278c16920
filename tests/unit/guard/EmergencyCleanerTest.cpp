// The one-click cleaner: five timed steps with their texts and progress, the kill commands,
// the fixed files under c:\windows, the root files of every listed drive (read-only,
// hidden and system ones too), a pause and resume that keep the step, no failure stopping
// a step; the work beyond the guard's own rights done by one command through the elevation
// prompt, and a closing message that counts what went and names what stayed.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/unit/guard/ProtectionTest.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using platform::DriveType;

const std::string kTaskkill = "\"C:\\Windows\\system32\\taskkill.exe\"";

class EmergencyCleanerTest : public test::ProtectionTest {
protected:
    EmergencyCleanerTest() {
        // The task-kill tool ends the processes it names.
        h.processes.onStart = [this](const std::string& line) { killed(line); };
    }
    void killed(const std::string& commandLine) {
        for (const char* image : {"temp1.exe", "temp2.exe"}) {
            if (commandLine.find("/im " + std::string(image)) != std::string::npos)
                h.processes.setRunning(image, {});
        }
    }
    void run(int ticks) {
        f.Command7.click();
        h.host.advance(1888 * ticks);
    }
    fs::path c = h.temp.path() / "c";
};

TEST_F(EmergencyCleanerTest, APausedRunGoesOnWithTheNextStepAndCleansEveryListedDrive) {
    const std::vector<std::string> roots{"autorun.inf", "copy.exe", "host.exe", "rose.exe"};
    const std::vector<std::string> system{"windows/xcopy.exe", "windows/svchost.exe",
                                          "windows/system32/temp1.exe",
                                          "windows/system32/temp2.exe"};
    auto count = [](const fs::path& folder, const std::vector<std::string>& names) {
        int n = 0;
        for (const std::string& name : names) n += fs::exists(folder / name);
        return n;
    };
    for (const std::string& name : system) test::plant(c / name);
    std::vector<fs::path> listed{c, h.addDrive('d', DriveType::CdRom),
                                 h.addDrive('e', DriveType::Removable),
                                 h.addDrive('n', DriveType::Network)};
    for (const fs::path& drive : listed) {
        for (const std::string& name : roots) test::plant(drive / name);
        test::plant(drive / "docs" / "copy.exe");
    }
    test::makeReadOnly(listed[2] / "rose.exe");
    h.removalFiles.setDosAttributes(listed[2] / "rose.exe", removal::kHidden | removal::kSystem);
    h.removalFiles.holdOpen(listed[2] / "host.exe");
    h.files.addDrive('g', DriveType::Removable, h.temp.path() / "no-medium");
    f.Drive1.refresh();
    fs::path late = h.addDrive('z', DriveType::Removable);  // after the list was read
    test::plant(late / "autorun.inf");

    auto expectShowing = [&](const char* status, int progress, bool running) {
        EXPECT_EQ(f.Sdjindu.caption(), status);
        EXPECT_EQ(f.Jd.value(), progress);
        EXPECT_EQ(f.Command7.caption(), running ? "一键暂停" : "一键杀毒");
        EXPECT_EQ(f.Timer1.running(), running);
    };
    using Start = posix::RecordingProcesses::Start;
    const std::vector<Start> kills{
        {kTaskkill + " /im temp1.exe /f /t", platform::WindowMode::Hidden},
        {kTaskkill + " /im temp2.exe /f /t", platform::WindowMode::Hidden}};
    h.processes.setRunning("temp1.exe", {1, 0});
    h.processes.setRunning("temp2.exe", {2, 0});

    f.Command7.click();
    expectShowing("正在初始化...", 10, true);
    h.host.advance(1887);
    EXPECT_TRUE(h.processes.starts().empty());
    h.host.advance(1);
    EXPECT_EQ(h.processes.starts(), kills);
    h.host.advance(1888);
    expectShowing("正在扫描文件...", 50, true);
    EXPECT_EQ(count(c, system), 0);
    EXPECT_EQ(count(c, roots), 4);

    f.Command7.click();
    expectShowing("准备就绪...", 50, false);
    h.host.advance(20000);
    f.Command7.click();
    expectShowing("正在初始化...", 10, true);
    h.host.advance(1888);
    expectShowing("正在删除病毒...", 80, true);
    EXPECT_EQ(h.processes.starts(), kills) << "steps already done are not repeated";
    for (const fs::path& drive : listed) {
        EXPECT_EQ(count(drive, roots), drive == listed[2] ? 1 : 0) << drive;
        EXPECT_TRUE(fs::exists(drive / "docs" / "copy.exe")) << "only the root is cleaned";
    }
    EXPECT_FALSE(fs::exists(listed[2] / "rose.exe")) << "read-only, hidden and system cleared";
    EXPECT_TRUE(fs::exists(listed[2] / "host.exe")) << "held by another program";
    EXPECT_TRUE(fs::exists(late / "autorun.inf")) << "the list is not read again";
    EXPECT_EQ(std::distance(fs::directory_iterator(h.quarantineFolder()), fs::directory_iterator()),
              15)
        << "each file removed from a drive's root is kept";

    h.host.advance(1888);
    expectShowing("正在完成扫描...", 98, true);
    // How many went and which stayed; the drive without a medium is no failure.
    h.host.expectMessageBox(
        "紧急杀毒完成！共删除 19 个文件。\r\n未能删除以下文件：\r\n"
        "e:\\host.exe：另一个程序正在使用此文件，进程无法访问。",
        ui::MsgAnswer::Ok);
    h.host.advance(1888);
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_EQ(h.host.boxes().at(0).title, "提示");
    expectShowing("准备就绪...", 0, false);
    EXPECT_FALSE(fs::exists(h.currentDirectory() / "Rz.log")) << "nothing is logged";

    EXPECT_TRUE(h.elevation.prompts().empty()) << "the guard's own rights were enough";

    h.processes.setRunning("temp1.exe", {1, 0});
    h.processes.setMissing("taskkill");
    f.Command7.click();
    h.host.advance(1888);
    EXPECT_EQ(h.processes.refused().size(), 1u) << "a new run starts at step 1 and goes on";
    EXPECT_EQ(f.Jd.value(), 10);
    h.host.expectMessageBox(
        "紧急杀毒完成！共删除 0 个文件。\r\n未能删除以下文件：\r\n"
        "e:\\host.exe：另一个程序正在使用此文件，进程无法访问。\r\n"
        "未能结束以下进程：\r\ntemp1.exe：结束进程的命令没有成功。",
        ui::MsgAnswer::Ok);
    h.host.advance(4 * 1888);
    EXPECT_TRUE(h.host.allExpectationsMet());
}

TEST_F(EmergencyCleanerTest, WithNothingThereNothingIsStartedOrAsked) {
    h.host.expectMessageBox("紧急杀毒完成！共删除 0 个文件。", ui::MsgAnswer::Ok);
    run(5);
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_TRUE(h.processes.starts().empty());
    EXPECT_TRUE(h.elevation.prompts().empty());
}

TEST_F(EmergencyCleanerTest, AProcessBeyondReachTakesTheSystemFilesIntoItsOnePrompt) {
    h.processes.setRunning("temp1.exe", {1, 1});  // another user's
    test::plant(c / "windows" / "xcopy.exe");
    test::plant(c / "windows" / "system32" / "temp1.exe");
    h.elevation.setOutcome(0, 25);  // the command takes 2.5 s
    h.elevation.onStart = [&](const std::string& program, const std::string& arguments) {
        EXPECT_EQ(program, "C:\\Windows\\system32\\cmd.exe");
        EXPECT_EQ(arguments,
                  "/d /s /c \"\"C:\\Windows\\system32\\taskkill.exe\" /im temp1.exe /f /t & "
                  "\"C:\\Windows\\system32\\ping.exe\" -n 3 127.0.0.1 >nul & "
                  "del /a \"c:\\windows\\xcopy.exe\" \"c:\\windows\\system32\\temp1.exe\"\"");
        killed(arguments);
        fs::remove(c / "windows" / "xcopy.exe");
        fs::remove(c / "windows" / "system32" / "temp1.exe");
    };
    run(1);
    ASSERT_EQ(h.elevation.prompts().size(), 1u);
    EXPECT_EQ(h.elevation.prompts()[0].mode, platform::WindowMode::Hidden);
    h.host.advance(1888);
    EXPECT_EQ(f.Jd.value(), 10) << "the next step waits for the command";

    h.host.expectMessageBox("紧急杀毒完成！共删除 2 个文件。", ui::MsgAnswer::Ok);
    h.host.advance(5 * 1888);
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_EQ(h.elevation.prompts().size(), 1u) << "one prompt for the whole run";
    EXPECT_TRUE(h.processes.starts().empty());
}

// The user takes his time over the prompt; the guard's timers tick on meanwhile. The run
// waits for the answer and then for the command, and tells what it did.
TEST_F(EmergencyCleanerTest, TheRunWaitsForAnAnswerTheUserTakesHisTimeOver) {
    h.processes.setRunning("temp1.exe", {1, 1});  // another user's
    h.elevation.onStart = [&](const std::string&, const std::string& arguments) {
        killed(arguments);
    };
    int progressDuringPrompt = -1;
    h.elevation.whilePrompting = [&] {
        h.host.advance(10 * 1888);
        progressDuringPrompt = f.Jd.value();
    };
    h.host.expectMessageBox("紧急杀毒完成！共删除 0 个文件。", ui::MsgAnswer::Ok);
    run(1);
    EXPECT_EQ(progressDuringPrompt, 10) << "no step goes on while the prompt waits";
    EXPECT_EQ(h.elevation.prompts().size(), 1u);
    h.host.advance(5 * 1888);
    EXPECT_TRUE(h.host.allExpectationsMet()) << "the closing message, once, after the answer";
    EXPECT_EQ(h.elevation.prompts().size(), 1u);
}

TEST_F(EmergencyCleanerTest, ARefusedSystemFileIsAskedForOnceAndADeclineIsToldWithWhatWasLeft) {
    h.processes.setRunning("temp2.exe", {1, 0});  // the user's own: ended without asking
    test::plant(c / "windows" / "svchost.exe");
    test::makeReadOnly(c / "windows" / "svchost.exe");
    h.elevation.setAnswer(posix::ScriptedElevation::Answer::Decline);
    h.host.expectMessageBox(
        "紧急杀毒完成！共删除 0 个文件。\r\n未能删除以下文件：\r\n"
        "c:\\windows\\svchost.exe：需要管理员权限，而您没有同意以管理员身份运行。",
        ui::MsgAnswer::Ok);
    run(5);
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_EQ(h.processes.starts().size(), 1u);
    ASSERT_EQ(h.elevation.prompts().size(), 1u);
    EXPECT_EQ(h.elevation.prompts()[0].parameters,
              "/d /s /c \"del /a \"c:\\windows\\svchost.exe\"\"");

    // An elevated guard does it all with its own rights and tells what still would not go.
    h.elevation.setElevated(true);
    h.processes.setRunning("temp1.exe", {1, 1});
    h.host.expectMessageBox(
        "紧急杀毒完成！共删除 0 "
        "个文件。\r\n未能删除以下文件：\r\nc:\\windows\\svchost.exe：拒绝访问。",
        ui::MsgAnswer::Ok);
    run(5);
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_EQ(h.elevation.prompts().size(), 1u);
    EXPECT_EQ(h.processes.starts().back().commandLine, kTaskkill + " /im temp1.exe /f /t");
}

}  // namespace
}  // namespace qv
