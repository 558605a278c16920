// Drive immunisation: the autorun.inf\con\ folders, forced mode, the attribute command,
// every message, partial results, and the drive-type label.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "guard/app/Guard.h"
#include "tests/unit/guard/ProtectionFixture.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using platform::DriveType;
using platform::Status;
using Start = posix::RecordingProcesses::Start;

const std::string kExists = "当文件已存在时，无法创建该文件。";
const std::string kNormalAdvice = "\r\n请选择强制免疫再次尝试";
const std::string kForcedAdvice = "\r\n请发贴在技术中心求助";

class ImmunisationTest : public test::ProtectionTest {
protected:
    void immunise(bool forced, const std::string& expectedMessage) {
        f.Check1.setValue(forced ? 1 : 0);
        h.host.expectMessageBox(expectedMessage, ui::MsgAnswer::Ok);
        f.Command18.click();
        EXPECT_TRUE(h.host.allExpectationsMet());
    }
    bool immunised(const fs::path& drive) const {
        return fs::is_directory(drive / "autorun.inf") &&
               fs::is_directory(drive / "autorun.inf" / "con");
    }
};

TEST_F(ImmunisationTest, AFreshDriveGetsBothFoldersAndTheHiddenAttributeCommand) {
    fs::path e = h.addDrive('e', DriveType::Removable);
    chooseDrive("e:");
    immunise(false, "对e盘免疫成功！");

    EXPECT_TRUE(immunised(e));
    EXPECT_TRUE(fs::is_empty(e / "autorun.inf" / "con"));
    EXPECT_EQ(h.processes.starts(), (std::vector<Start>{{"cmd /c attrib e:\\autorun.inf +r +s +h",
                                                         platform::WindowMode::Hidden}}));
    ASSERT_EQ(h.host.boxes().size(), 1u);
    EXPECT_EQ(h.host.boxes()[0].title, "免疫成功");
    EXPECT_EQ(h.host.boxes()[0].buttons, ui::MsgButtons::Ok);
}

TEST_F(ImmunisationTest, TheLetterKeepsTheCaseTheListGivesIt) {
    fs::path e = h.addDrive('e', DriveType::Fixed);
    f.Drive2.setSource([] { return std::vector<std::string>{"C:", "E:"}; });
    chooseDrive("E:");
    immunise(false, "对E盘免疫成功！");
    EXPECT_TRUE(immunised(e));
    ASSERT_EQ(h.processes.starts().size(), 1u);
    EXPECT_EQ(h.processes.starts()[0].commandLine, "cmd /c attrib E:\\autorun.inf +r +s +h");
}

// What stands on the drive before, and what each mode makes of it.
TEST_F(ImmunisationTest, WhatIsInTheWayDecidesTheOutcomeInEachMode) {
    enum class Before { Immunised, File, ReadOnlyFile, EmptyFolder };
    struct Case {
        const char* name;
        Before before;
        bool forced;
        std::string message;
        bool immunisedAfter;
    };
    const std::vector<Case> cases{
        {"immunised, normal", Before::Immunised, false,
         "免疫失败！原因：" + kExists + kNormalAdvice, true},
        {"immunised, forced", Before::Immunised, true,
         "强制免疫失败！原因：" + kExists + kForcedAdvice, true},
        {"file, normal", Before::File, false, "免疫失败！原因：" + kExists + kNormalAdvice, false},
        {"file, forced", Before::File, true, "对e盘免疫成功！", true},
        {"read-only file, forced", Before::ReadOnlyFile, true,
         "强制免疫失败！原因：" + kExists + kForcedAdvice, false},
        {"empty folder, normal", Before::EmptyFolder, false,
         "免疫失败！原因：" + kExists + kNormalAdvice, false},
        {"empty folder, forced", Before::EmptyFolder, true, "对e盘免疫成功！", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::GuardHarness fresh;
        fs::path e = fresh.addDrive('e', DriveType::Removable);
        fs::path target = e / "autorun.inf";
        switch (c.before) {
            case Before::Immunised:
                fs::create_directories(target / "con");
                break;
            case Before::File:
                plant(target, "[autorun]\r\nopen=worm.exe\r\n");
                break;
            case Before::ReadOnlyFile:
                plant(target, "[autorun]\r\nopen=worm.exe\r\n");
                makeReadOnly(target);
                break;
            case Before::EmptyFolder:
                fs::create_directory(target);
                break;
        }
        Form1& g = fresh.guard.form1();
        g.Uptip.setEnabled(false);
        g.Command17.click();
        g.Drive2.setListIndex(1);
        ASSERT_EQ(g.Drive2.drive(), "e:");
        g.Check1.setValue(c.forced ? 1 : 0);
        fresh.host.expectMessageBox(c.message, ui::MsgAnswer::Ok);
        g.Command18.click();

        EXPECT_TRUE(fresh.host.allExpectationsMet());
        ASSERT_EQ(fresh.host.boxes().size(), 1u);
        bool succeeded = c.message.starts_with("对");
        EXPECT_EQ(fresh.host.boxes()[0].title, succeeded ? "免疫成功" : "提示");
        EXPECT_EQ(immunised(e), c.immunisedAfter);
        EXPECT_EQ(fresh.processes.starts().size(), succeeded ? 1u : 0u);
        if (c.before == Before::ReadOnlyFile) {
            EXPECT_TRUE(fs::is_regular_file(target)) << "a file that cannot be deleted stays";
        }
    }
}

// A file system that refuses the first "con" folder it is asked for, as a drive may do.
class RefusingFirstConFolder : public platform::FileSystem {
public:
    explicit RefusingFirstConFolder(platform::FileSystem& files) : files_(files) {}
    std::vector<char> driveLetters() override { return files_.driveLetters(); }
    std::optional<DriveType> driveType(char letter) override { return files_.driveType(letter); }
    bool fileExists(const std::string& path) override { return files_.fileExists(path); }
    std::optional<std::vector<std::string>> subfolders(const std::string& folder) override {
        return files_.subfolders(folder);
    }
    Status deleteFile(const std::string& path) override { return files_.deleteFile(path); }
    Status createDirectory(const std::string& path) override {
        if (path.ends_with("\\con\\") && !refused_) {
            refused_ = true;
            return Status::failure("拒绝访问。");
        }
        return files_.createDirectory(path);
    }
    Status removeDirectory(const std::string& path) override {
        return files_.removeDirectory(path);
    }
    std::optional<std::string> readText(const std::string& path) override {
        return files_.readText(path);
    }
    Status writeText(const std::string& path, const std::string& text) override {
        return files_.writeText(path, text);
    }
    Status appendText(const std::string& path, const std::string& text) override {
        return files_.appendText(path, text);
    }

private:
    platform::FileSystem& files_;
    bool refused_ = false;
};

TEST_F(ImmunisationTest, AFailureAtTheConFolderLeavesTheFirstFolderForForcedModeToReplace) {
    fs::path e = h.addDrive('e', DriveType::Removable);
    RefusingFirstConFolder files(h.files);
    platform::Services services{files, h.processes, h.registry, h.clock, h.instance, h.skin, h.web};
    Guard guard(h.host, services);
    Form1& g = guard.form1();
    g.Uptip.setEnabled(false);
    g.Command17.click();
    g.Drive2.setListIndex(1);

    h.host.expectMessageBox("免疫失败！原因：拒绝访问。" + kNormalAdvice, ui::MsgAnswer::Ok);
    g.Command18.click();
    EXPECT_TRUE(fs::is_directory(e / "autorun.inf")) << "what was made stays";
    EXPECT_FALSE(fs::exists(e / "autorun.inf" / "con"));
    EXPECT_TRUE(h.processes.starts().empty()) << "no attribute command for a half-made folder";

    h.host.expectMessageBox("免疫失败！原因：" + kExists + kNormalAdvice, ui::MsgAnswer::Ok);
    g.Command18.click();

    g.Check1.setValue(1);
    h.host.expectMessageBox("对e盘免疫成功！", ui::MsgAnswer::Ok);
    g.Command18.click();
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_TRUE(immunised(e));
    EXPECT_EQ(h.processes.starts().size(), 1u);
}

TEST_F(ImmunisationTest, ACommandThatCannotStartIsAFailureAndTheFoldersStay) {
    fs::path e = h.addDrive('e', DriveType::Removable);
    h.processes.setMissing("cmd");
    chooseDrive("e:");
    immunise(false, "免疫失败！原因：系统找不到指定的文件。" + kNormalAdvice);
    EXPECT_TRUE(immunised(e));
}

TEST_F(ImmunisationTest, TheTypeLabelFollowsTheSelectionAndNotARefresh) {
    h.addDrive('d', DriveType::CdRom);
    h.addDrive('e', DriveType::Removable);
    h.addDrive('n', DriveType::Network);
    h.addDrive('r', DriveType::RamDisk);
    h.addDrive('u', DriveType::Unknown);
    h.addDrive('x', DriveType::Removable);
    struct Row {
        const char* entry;
        const char* caption;
    };
    for (Row row : {Row{"d:", "磁盘类型：本地光盘"}, Row{"e:", "磁盘类型：可移动磁盘"},
                    Row{"n:", "磁盘类型：未知类型"}, Row{"r:", "磁盘类型：虚拟磁盘"},
                    Row{"u:", "磁盘类型：未知类型"}, Row{"c:", "磁盘类型：本地磁盘"}}) {
        chooseDrive(row.entry);
        EXPECT_EQ(f.Leixing.caption(), row.caption) << row.entry;
    }

    chooseDrive("x:");
    h.files.removeDrive('x');
    f.Command17.click();
    EXPECT_EQ(f.Leixing.caption(), "磁盘类型：可移动磁盘") << "a refresh alone leaves the label";
    h.addDrive('x', DriveType::Removable);
    f.Drive2.setSource([] { return std::vector<std::string>{"c:", "q:"}; });
    chooseDrive("q:");
    EXPECT_EQ(f.Leixing.caption(), "磁盘类型：未知类型") << "a drive that cannot be queried";
    EXPECT_TRUE(h.host.boxes().empty()) << "nothing is reported";
}

}  // namespace
}  // namespace qv
