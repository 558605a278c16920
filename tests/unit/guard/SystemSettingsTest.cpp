// The system settings file: what each first line of XTset.ini does at start-up, and what
// saving writes to the file and to the autostart entry, including refusals and failures.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>

#include "guard/main_window/Autostart.h"
#include "guard/main_window/Form1.h"
#include "guard/main_window/Site.h"
#include "guard/shell/Form6.h"
#include "tests/support/GuardHarness.h"

namespace qv {
namespace {

const std::string kRunValue =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\QVud";

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::array<int, 9> systemOptions(Form1& f) {
    return {f.Qd.value(),   f.Tj.value(),   f.Jlrz.value(), f.Zdcl.value(), f.Upts.value(),
            f.Jzpf.value(), f.Cscl.value(), f.Xshy.value(), f.Mrgl.value()};
}

constexpr std::array<int, 9> kDesigned{0, 0, 1, 0, 1, 0, 1, 0, 0};

struct LoadCase {
    const char* name;
    const char* file;  // nullptr: no XTset.ini
    std::array<int, 9> options;
    bool statistics;
    bool skin;
    bool welcome;
};

TEST(SystemSettingsLoadTest, OnlyADigitThatDiffersFromTheDesignActs) {
    const LoadCase cases[] = {
        {"no file", nullptr, kDesigned, false, false, false},
        {"empty file", "", kDesigned, false, false, false},
        {"designer line", "001010100\r\n", kDesigned, false, false, false},
        {"notices off", "001000100\r\n", {0, 0, 1, 0, 0, 0, 1, 0, 0}, false, false, false},
        {"first digit only", "100000000\r\n", {1, 0, 0, 0, 0, 0, 0, 0, 0}, false, false, false},
        {"all on", "111111111\r\n", {1, 1, 1, 1, 1, 1, 1, 1, 1}, true, true, true},
        {"short line", "01", {0, 1, 1, 0, 1, 0, 1, 0, 0}, true, false, false},
        {"other characters", "x1y0Z1 0?", {0, 1, 1, 0, 1, 1, 1, 0, 0}, true, true, false},
        // A GBK character (two bytes in the file) is one position: 2 to 9 are the ones.
        {"GBK character first",
         "\xd6\xd0"
         "11111111\r\n",
         {0, 1, 1, 1, 1, 1, 1, 1, 1},
         true,
         true,
         true},
        {"later lines and columns ignored",
         "000100001999\r\n111111111\r\n",
         {0, 0, 0, 1, 0, 0, 0, 0, 1},
         false,
         false,
         false},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::GuardHarness h;
        if (c.file) writeFile(h.currentDirectory() / "XTset.ini", c.file);
        h.guard.start();
        Form1& f = h.guard.form1();

        EXPECT_EQ(systemOptions(f), c.options);
        EXPECT_TRUE(f.Uptip.running()) << "the insertion check always keeps running";
        EXPECT_EQ(h.registry.find(kRunValue), nullptr) << "loading never touches the registry";
        if (c.statistics) {
            EXPECT_EQ(h.web.visited,
                      std::vector<std::string>{std::string(site::kForumAddress) +
                                               "/forum.php?mod=viewthread&tid=5&extra=page%3D1"});
            EXPECT_EQ(f.Label8.caption(), "统计计划已开启");
        } else {
            EXPECT_TRUE(h.web.visited.empty());
            EXPECT_EQ(f.Label8.caption(), "统计计划已关闭");
        }
        if (c.skin) {
            ASSERT_EQ(h.skin.attached.size(), 1u);
            EXPECT_EQ(h.skin.attached[0], (std::pair<std::string, std::string>{"Pifu.she", ""}));
        } else {
            EXPECT_TRUE(h.skin.attached.empty());
        }
        EXPECT_EQ(h.guard.form6Loaded(), c.welcome);
        if (c.welcome) {
            EXPECT_TRUE(h.guard.form6().visible());
        }
    }
}

TEST(SystemSettingsLoadTest, TheWelcomeWindowShowsTheVersionTextAndClosesAfter2500ms) {
    struct Case {
        const char* name;
        const char* versionFile;
        const char* shown;
    };
    for (Case c : {Case{"missing", nullptr, "获取版本失败！"},
                   Case{"one line", "V1.1.5 正式版", "V1.1.5 正式版\r\n"},
                   Case{"two lines", "版本 V1.1.5\r\n更新 2012-01-19\r\n",
                        "版本 V1.1.5\r\n更新 2012-01-19\r\n"},
                   Case{"empty", "", ""}}) {
        SCOPED_TRACE(c.name);
        test::GuardHarness h;
        writeFile(h.currentDirectory() / "XTset.ini", "001010110\r\n");
        // Written in the system code page (GBK), as shipped.
        if (c.versionFile) {
            ASSERT_TRUE(h.files.writeText("Banbenxx.dat", c.versionFile).ok());
        }
        h.guard.start();
        ASSERT_TRUE(h.guard.form6Loaded());
        Form6& w = h.guard.form6();
        EXPECT_EQ(w.Banbenxx.caption(), c.shown);
        EXPECT_TRUE(w.visible());
        EXPECT_EQ(w.border(), ui::FormBorder::None);
        EXPECT_EQ(w.startPosition(), ui::StartPosition::CenterScreen);

        h.host.advance(2499);
        EXPECT_TRUE(h.guard.form6Loaded());
        h.host.advance(1);
        EXPECT_FALSE(h.guard.form6Loaded()) << "its timer unloads it";
        h.guard.collectUnloadedForms();
    }
}

TEST(SystemSettingsLoadTest, TheWelcomeLinkOpensTheSiteHidden) {
    test::GuardHarness h;
    writeFile(h.currentDirectory() / "XTset.ini", "000000010");
    h.guard.start();
    h.guard.form6().Label3.click();
    ASSERT_EQ(h.processes.starts().size(), 1u);
    EXPECT_EQ(h.processes.starts()[0].commandLine,
              std::string("cmd /c start ") + site::kForumAddress);
    EXPECT_EQ(h.processes.starts()[0].mode, platform::WindowMode::Hidden);
}

TEST(AutostartTest, ADriveRootIsUnquotedAndAnyOtherFolderQuoted) {
    EXPECT_EQ(autostart::commandFor("E:\\"), "E:\\QVud.exe");
    EXPECT_EQ(autostart::commandFor("C:\\Program Files\\QV"),
              "\"C:\\Program Files\\QV\\QVud.exe\"");
    EXPECT_EQ(autostart::commandFor("D:\\工具"), "\"D:\\工具\\QVud.exe\"");
}

class SystemSettingsSaveTest : public ::testing::Test {
protected:
    void SetUp() override { h.guard.start(); }
    std::string savedLine() { return readFile(h.currentDirectory() / "XTset.ini"); }

    test::GuardHarness h;
    Form1& f = h.guard.form1();
};

TEST_F(SystemSettingsSaveTest, WritesTheNineDigitsAndTheAutostartEntryForTheProgramsFolder) {
    for (const char* folder : {"C:\\Program Files\\QV", "E:\\"}) {
        SCOPED_TRACE(folder);
        h.processes.setProgramFolder(folder);
        f.Qd.setValue(1);
        f.Mrgl.setValue(1);
        h.host.expectMessageBox("系统设置保存成功！", ui::MsgAnswer::Ok);
        f.Command8.click();

        EXPECT_EQ(savedLine(), "101010101\r\n");
        ASSERT_NE(h.registry.find(kRunValue), nullptr);
        EXPECT_EQ(*h.registry.find(kRunValue), autostart::commandFor(folder));
        EXPECT_EQ(h.host.boxes().back().title, "提示");
        EXPECT_EQ(h.host.boxes().back().buttons, ui::MsgButtons::Ok);
    }
}

TEST_F(SystemSettingsSaveTest, WithQdClearTheEntryGoesAndAnAbsentEntryIsNoError) {
    ASSERT_TRUE(h.registry.writeString(kRunValue, "E:\\QVud.exe").ok());
    h.host.expectMessageBox("系统设置保存成功！", ui::MsgAnswer::Ok);
    f.Command8.click();
    EXPECT_EQ(h.registry.find(kRunValue), nullptr);
    EXPECT_EQ(savedLine(), "001010100\r\n");

    h.host.expectMessageBox("系统设置保存成功！", ui::MsgAnswer::Ok);
    f.Command8.click();  // nothing left to delete
    EXPECT_EQ(h.host.boxes().size(), 2u);
}

TEST_F(SystemSettingsSaveTest, ARefusedAutostartChangeIsToldAndTheFileStillSaved) {
    h.registry.setReadOnly(true);
    f.Qd.setValue(1);
    h.host.expectMessageBox("无法设置开机启动！\n拒绝访问。", ui::MsgAnswer::Ok);
    h.host.expectMessageBox("系统设置保存成功！", ui::MsgAnswer::Ok);
    f.Command8.click();
    EXPECT_EQ(h.host.boxes()[0].title, "错误");
    EXPECT_EQ(savedLine(), "101010100\r\n");

    h.registry.setReadOnly(false);
    ASSERT_TRUE(h.registry.writeString(kRunValue, "E:\\QVud.exe").ok());
    h.registry.setReadOnly(true);
    f.Qd.setValue(0);
    h.host.expectMessageBox("无法取消开机启动！\n拒绝访问。", ui::MsgAnswer::Ok);
    h.host.expectMessageBox("系统设置保存成功！", ui::MsgAnswer::Ok);
    f.Command8.click();
    EXPECT_NE(h.registry.find(kRunValue), nullptr);
    EXPECT_EQ(savedLine(), "001010100\r\n");
}

TEST_F(SystemSettingsSaveTest, AFailedWriteIsReportedInsteadOfSuccess) {
    std::filesystem::create_directory(h.currentDirectory() / "XTset.ini");
    h.host.expectMessageBox("系统设置保存失败！\n拒绝访问。", ui::MsgAnswer::Ok);
    f.Command8.click();
    ASSERT_EQ(h.host.boxes().size(), 1u);
    EXPECT_EQ(h.host.boxes()[0].title, "错误");
}

TEST_F(SystemSettingsSaveTest, SavingAppliesATickedSkinAndChangesNothingElse) {
    f.Tj.setValue(1);
    f.Upts.setValue(0);
    f.Xshy.setValue(1);
    h.host.expectMessageBox("系统设置保存成功！", ui::MsgAnswer::Ok);
    f.Command8.click();
    EXPECT_TRUE(h.skin.attached.empty()) << "Jzpf is clear";
    EXPECT_EQ(savedLine(), "011000110\r\n");
    EXPECT_TRUE(f.Uptip.running());
    EXPECT_EQ(f.Label8.caption(), "统计计划已关闭");
    EXPECT_TRUE(h.web.visited.empty());
    EXPECT_FALSE(h.guard.form6Loaded());

    f.Jzpf.setValue(1);
    h.host.expectMessageBox("系统设置保存成功！", ui::MsgAnswer::Ok);
    f.Command8.click();
    ASSERT_EQ(h.skin.attached.size(), 1u);
    EXPECT_EQ(h.skin.attached[0], (std::pair<std::string, std::string>{"Pifu.she", ""}));
    EXPECT_EQ(savedLine(), "011001110\r\n");
}

}  // namespace
}  // namespace qv
