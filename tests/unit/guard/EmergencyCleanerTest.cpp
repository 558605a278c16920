// The one-click cleaner: five timed steps with their texts and progress, the kill commands,
// the fixed files under c:\windows, the root files of every listed drive (read-only,
// hidden and system ones too), a pause and resume that keep the step, no failure stopping
// a step, and a closing message that counts what went and names what stayed.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/unit/guard/ProtectionTest.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using platform::DriveType;
using EmergencyCleanerTest = test::ProtectionTest;

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
    fs::path c = h.temp.path() / "c";
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
    const std::vector<Start> kills{{"taskkill /im temp1.exe /f /t", platform::WindowMode::Hidden},
                                   {"taskkill /im temp2.exe /f /t", platform::WindowMode::Hidden}};

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

    h.processes.setMissing("taskkill");
    f.Command7.click();
    h.host.advance(1888);
    EXPECT_EQ(h.processes.refused().size(), 2u) << "a new run starts at step 1 and goes on";
    EXPECT_EQ(f.Jd.value(), 10);
}

}  // namespace
}  // namespace qv
