// The one-click cleaner: five timed steps with their status texts and progress, the exact
// kill commands, the fixed files under c:\windows, the root files of every listed drive,
// pause and resume keeping the step, and every failure passed over.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/unit/guard/ProtectionFixture.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using platform::DriveType;
using Start = posix::RecordingProcesses::Start;

constexpr int kInterval = 1888;
const std::vector<std::string> kRootWorms{"autorun.inf", "copy.exe", "host.exe", "rose.exe"};
const std::vector<std::string> kSystemWorms{"windows/xcopy.exe", "windows/svchost.exe",
                                            "windows/system32/temp1.exe",
                                            "windows/system32/temp2.exe"};

class EmergencyCleanerTest : public test::ProtectionTest {
protected:
    void expectShowing(const char* status, int progress, bool running) {
        EXPECT_EQ(f.Sdjindu.caption(), status);
        EXPECT_EQ(f.Jd.value(), progress);
        EXPECT_EQ(f.Command7.caption(), running ? "一键暂停" : "一键杀毒");
        EXPECT_EQ(f.Timer1.running(), running);
    }
    static int present(const fs::path& folder, const std::vector<std::string>& names) {
        int n = 0;
        for (const std::string& name : names) n += fs::exists(folder / name) ? 1 : 0;
        return n;
    }
};

TEST_F(EmergencyCleanerTest, ARunPausedAfterStepTwoGoesOnWithStepThreeAndTouchesEveryListedDrive) {
    fs::path c = h.temp.path() / "c";
    for (const std::string& worm : kSystemWorms) plant(c / worm);
    std::vector<fs::path> listed{c, h.addDrive('d', DriveType::CdRom),
                                 h.addDrive('e', DriveType::Removable),
                                 h.addDrive('n', DriveType::Network)};
    for (const fs::path& drive : listed) {
        for (const std::string& worm : kRootWorms) plant(drive / worm);
        plant(drive / "keep.txt");
        plant(drive / "docs" / "copy.exe");
    }
    // A card reader without a medium is in the list too.
    h.files.addDrive('g', DriveType::Removable, h.temp.path() / "no-medium");
    f.Drive1.refresh();
    // Plugged in after the list was read: the cleaner does not read it again.
    fs::path late = h.addDrive('z', DriveType::Removable);
    for (const std::string& worm : kRootWorms) plant(late / worm);

    f.Command7.click();
    expectShowing("正在初始化...", 10, true);
    h.host.advance(kInterval - 1);
    EXPECT_TRUE(h.processes.starts().empty()) << "the first step waits one interval";

    h.host.advance(1);
    expectShowing("正在初始化...", 10, true);
    const std::vector<Start> kills{{"taskkill /im temp1.exe /f /t", platform::WindowMode::Hidden},
                                   {"taskkill /im temp2.exe /f /t", platform::WindowMode::Hidden}};
    EXPECT_EQ(h.processes.starts(), kills);
    EXPECT_EQ(present(c, kSystemWorms), 4);

    h.host.advance(kInterval);
    expectShowing("正在扫描文件...", 50, true);
    EXPECT_EQ(present(c, kSystemWorms), 0);
    EXPECT_EQ(present(c, kRootWorms), 4) << "the drives' roots come one step later";

    f.Command7.click();
    expectShowing("准备就绪...", 50, false);
    h.host.advance(10 * kInterval);
    EXPECT_EQ(present(c, kRootWorms), 4) << "nothing runs while paused";

    f.Command7.click();
    expectShowing("正在初始化...", 10, true);
    h.host.advance(kInterval);
    expectShowing("正在删除病毒...", 80, true);
    EXPECT_EQ(h.processes.starts(), kills) << "steps already done are not repeated";
    for (const fs::path& drive : listed) {
        EXPECT_EQ(present(drive, kRootWorms), 0) << drive;
        EXPECT_TRUE(fs::exists(drive / "keep.txt")) << drive;
        EXPECT_TRUE(fs::exists(drive / "docs" / "copy.exe")) << "only the root is cleaned";
    }
    EXPECT_EQ(present(late, kRootWorms), 4);

    h.host.advance(kInterval);
    expectShowing("正在完成扫描...", 98, true);

    h.host.expectMessageBox("紧急杀毒完成！", ui::MsgAnswer::Ok);
    h.host.advance(kInterval);
    EXPECT_TRUE(h.host.allExpectationsMet());
    ASSERT_EQ(h.host.boxes().size(), 1u);
    EXPECT_EQ(h.host.boxes()[0].title, "提示");
    expectShowing("准备就绪...", 0, false);
    EXPECT_FALSE(fs::exists(h.currentDirectory() / "Rz.log")) << "nothing is logged";

    // The next run starts again from the first step.
    f.Command7.click();
    h.host.advance(kInterval);
    EXPECT_EQ(h.processes.starts().size(), 4u);
}

TEST_F(EmergencyCleanerTest, FailuresArePassedOverAndTheRunStillCompletes) {
    fs::path e = h.addDrive('e', DriveType::Removable);
    for (const char* worm : {"autorun.inf", "copy.exe", "rose.exe"}) plant(e / worm);
    makeReadOnly(e / "copy.exe");
    fs::create_directory(e / "host.exe");  // a folder of a worm's name is not a file
    f.Drive1.refresh();
    h.processes.setMissing("taskkill");

    f.Command7.click();
    h.host.advance(4 * kInterval);
    h.host.expectMessageBox("紧急杀毒完成！", ui::MsgAnswer::Ok);
    h.host.advance(kInterval);

    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_EQ(h.processes.refused().size(), 2u);
    EXPECT_FALSE(fs::exists(e / "autorun.inf"));
    EXPECT_FALSE(fs::exists(e / "rose.exe"));
    EXPECT_TRUE(fs::exists(e / "copy.exe")) << "no attribute is changed to delete a file";
    EXPECT_TRUE(fs::is_directory(e / "host.exe"));
    expectShowing("准备就绪...", 0, false);
}

}  // namespace
}  // namespace qv
