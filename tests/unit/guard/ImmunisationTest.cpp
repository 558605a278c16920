// Drive immunisation: the autorun.inf\con\ folders and their marks read back, forced mode,
// every message, partial results, the letter's case and the drive-type label.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/unit/guard/ProtectionTest.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using platform::DriveType;

const std::string kExists = "当文件已存在时，无法创建该文件。";
const std::string kNormalFailure = "免疫失败！原因：" + kExists + "\r\n请选择强制免疫再次尝试";
const std::string kForcedFailure = "强制免疫失败！原因：" + kExists + "\r\n请发贴在技术中心求助";
// A file in the way that stays is named with the removal's own reason.
const std::string kForcedHeldFailure =
    "强制免疫失败！原因：e:\\autorun.inf 未能删除：另一个程序正在使用此文件，进程无法访问"
    "\r\n请发贴在技术中心求助";

bool immunised(const fs::path& drive) {
    return fs::is_directory(drive / "autorun.inf" / "con");
}

// Read-only, hidden and system, as the drive reports them.
bool marked(platform::FileSystem& files, const std::string& folder) {
    std::optional<platform::EntryAttributes> found = files.attributes(folder);
    return found && found->directory &&
           found->dos == platform::DosAttributes{.readOnly = true, .hidden = true, .system = true};
}

void immunise(test::GuardHarness& h, Form1& f, bool forced, const std::string& message) {
    f.Check1.setValue(forced ? 1 : 0);
    h.host.expectMessageBox(message, ui::MsgAnswer::Ok);
    f.Command18.click();
    EXPECT_TRUE(h.host.allExpectationsMet());
}

TEST(ImmunisationTest, WhatIsInTheWayAndTheModeDecideTheOutcome) {
    enum class Before { Nothing, Immunised, File, ReadOnlyFile, HeldFile, EmptyFolder };
    struct Case {
        Before before;
        bool forced;
        std::string message;
    };
    const std::string done = "对e盘免疫成功！";
    for (const Case& c : std::vector<Case>{{Before::Nothing, false, done},
                                           {Before::Immunised, false, kNormalFailure},
                                           {Before::Immunised, true, kForcedFailure},
                                           {Before::File, false, kNormalFailure},
                                           {Before::File, true, done},
                                           {Before::ReadOnlyFile, true, done},
                                           {Before::HeldFile, true, kForcedHeldFailure},
                                           {Before::EmptyFolder, false, kNormalFailure},
                                           {Before::EmptyFolder, true, done}}) {
        SCOPED_TRACE(static_cast<int>(c.before) * 2 + c.forced);
        test::GuardHarness h;
        Form1& f = h.guard.form1();
        test::stopBackgroundScans(f);
        fs::path e = h.addDrive('e', DriveType::Removable);
        if (c.before == Before::Immunised) fs::create_directories(e / "autorun.inf" / "con");
        if (c.before == Before::EmptyFolder) fs::create_directory(e / "autorun.inf");
        const bool file = c.before >= Before::File && c.before <= Before::HeldFile;
        if (file) test::plant(e / "autorun.inf", "[autorun]\r\nopen=worm.exe\r\n");
        if (c.before == Before::ReadOnlyFile) test::makeReadOnly(e / "autorun.inf");
        if (c.before == Before::HeldFile) h.removalFiles.holdOpen(e / "autorun.inf");
        f.Command17.click();
        f.Drive2.setListIndex(1);
        immunise(h, f, c.forced, c.message);

        bool succeeded = c.message == done;
        EXPECT_EQ(h.host.boxes().at(0).title, succeeded ? "免疫成功" : "提示");
        EXPECT_EQ(immunised(e), succeeded || c.before == Before::Immunised);
        EXPECT_EQ(fs::is_regular_file(e / "autorun.inf"), !succeeded && file);
        EXPECT_EQ(fs::exists(h.quarantineFolder()), succeeded && file)
            << "a file forced out of the way is kept in the quarantine";
        EXPECT_EQ(marked(h.files, "e:\\autorun.inf"), succeeded);
        EXPECT_TRUE(h.processes.starts().empty()) << "no tool to wait for";
    }
}

// A drive that refuses the first "con" folder it is asked for.
class RefusingFirstCon : public posix::DriveTableFileSystem {
public:
    using DriveTableFileSystem::DriveTableFileSystem;
    Status createDirectory(const std::string& path) override {
        if (path.ends_with("\\con\\") && !refused_) {
            refused_ = true;
            return Status::failure("拒绝访问。");
        }
        return DriveTableFileSystem::createDirectory(path);
    }

private:
    bool refused_ = false;
};

// A file system that makes the folder but keeps none of its marks.
class DroppingMarks : public posix::DriveTableFileSystem {
public:
    using DriveTableFileSystem::DriveTableFileSystem;
    Status createDirectoryAs(const std::string& path, platform::DosAttributes) override {
        return DriveTableFileSystem::createDirectoryAs(path, {});
    }
};

// A second guard over the harness's services but for its file service, `Files`, which
// holds the removable drive e:; the harness's own guard stays idle.
template <typename Files>
struct GuardOver {
    explicit GuardOver(test::GuardHarness& h)
        : files(h.currentDirectory()),
          e(withDrive(h, files)),
          services{files,      h.removalFiles, h.folders, h.processes, h.elevation,
                   h.registry, h.clock,        h.skin,    h.web},
          guard(h.host, services) {
        test::stopBackgroundScans(guard.form1());
        test::stopBackgroundScans(h.guard.form1());
    }
    static fs::path withDrive(test::GuardHarness& h, Files& files) {
        fs::path e = h.addDrive('e', DriveType::Removable);
        files.addDrive('e', DriveType::Removable, e);
        return e;
    }
    Files files;
    fs::path e;
    platform::Services services;
    Guard guard;
};

TEST(ImmunisationTest, SuccessIsToldOnlyWhenTheDriveShowsTheMarkedFolder) {
    test::GuardHarness h;
    GuardOver<DroppingMarks> over(h);
    Form1& f = over.guard.form1();

    immunise(h, f, false,
             "免疫失败！原因：e:\\autorun.inf 未能设为只读、系统和隐藏\r\n请选择强制免疫再次尝试");
    EXPECT_TRUE(immunised(over.e)) << "what was made stays";
}

TEST(ImmunisationTest, AHalfMadeImmunisationStaysUntilForcedModeReplacesIt) {
    test::GuardHarness h;
    GuardOver<RefusingFirstCon> over(h);
    const fs::path& e = over.e;
    Form1& f = over.guard.form1();

    immunise(h, f, false, "免疫失败！原因：拒绝访问。\r\n请选择强制免疫再次尝试");
    EXPECT_TRUE(fs::is_directory(e / "autorun.inf"));
    EXPECT_FALSE(immunised(e));
    immunise(h, f, false, kNormalFailure);
    // The folder left is read-only, which a stick's file system will not remove as it is.
    immunise(h, f, true, "对e盘免疫成功！");
    EXPECT_TRUE(immunised(e));
    EXPECT_TRUE(marked(over.files, "e:\\autorun.inf"));

    immunise(h, f, true, kForcedFailure);
    EXPECT_TRUE(marked(over.files, "e:\\autorun.inf")) << "a whole immunisation keeps its marks";
}

TEST(ImmunisationTest, TheListStartsOnTheDriveOfTheCurrentFolder) {
    test::GuardHarness h;
    test::stopBackgroundScans(h.guard.form1());
    h.addDrive('e', DriveType::Removable);
    h.folders.data = "E:\\QV";  // a copy that runs from the stick keeps its files there
    Guard portable(h.host, h.services);
    Form1& f = portable.form1();
    test::stopBackgroundScans(f);
    EXPECT_EQ(f.Drive2.drive(), "e:");

    h.files.removeDrive('e');
    f.Command17.click();
    EXPECT_EQ(f.Drive2.drive(), "c:") << "the first drive when the current one goes";
}

using ImmunisationPanelTest = test::ProtectionTest;

TEST_F(ImmunisationPanelTest, TheLetterKeepsItsCaseAndTheLabelFollowsTheSelection) {
    h.addDrive('d', DriveType::CdRom);
    fs::path e = h.addDrive('e', DriveType::Removable);
    h.addDrive('n', DriveType::Network);
    h.addDrive('r', DriveType::RamDisk);
    f.Drive2.setSource(
        [](std::vector<std::string>& out) { out = {"C:", "D:", "E:", "N:", "R:", "Q:"}; });
    f.Command17.click();
    const char* captions[] = {"磁盘类型：本地磁盘", "磁盘类型：本地光盘", "磁盘类型：可移动磁盘",
                              "磁盘类型：未知类型", "磁盘类型：虚拟磁盘", "磁盘类型：未知类型"};
    for (int i = 5; i >= 0; --i) {
        f.Drive2.setListIndex(i);
        EXPECT_EQ(f.Leixing.caption(), captions[i]) << f.Drive2.drive();
    }
    f.Drive2.setListIndex(2);
    h.files.removeDrive('e');
    f.Command17.click();
    EXPECT_EQ(f.Leixing.caption(), "磁盘类型：可移动磁盘") << "a refresh alone leaves the label";

    h.files.addDrive('e', DriveType::Removable, e);
    immunise(h, f, false, "对E盘免疫成功！");
    EXPECT_TRUE(marked(h.files, "E:\\autorun.inf"));
}

}  // namespace
}  // namespace qv
