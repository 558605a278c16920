// The system settings file: what each first line of XTset.ini does at start-up, and what
// saving writes to the file and to the autostart entry: directly for an elevated guard,
// through one elevation prompt otherwise (agreed, declined, or agreed and still refused),
// read back every time, and none when there is nothing to change.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>

#include "guard/main_window/AdminCommand.h"
#include "guard/main_window/Autostart.h"
#include "guard/main_window/Form1.h"
#include "guard/main_window/Site.h"
#include "guard/shell/Form6.h"
#include "tests/support/GuardHarness.h"

namespace qv {
namespace {

const std::string kRunValue =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\QVud";
const std::string kShippedSkin = "C:\\Program Files\\QV\\Pifu.she";

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
            EXPECT_EQ(h.skin.attached[0], (std::pair<std::string, std::string>{kShippedSkin, ""}))
                << "without a chosen skin in the data folder, the one shipped";
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
        // Written in the system code page (GBK), as shipped, beside the program; one in the
        // current folder is not the shipped one.
        writeFile(h.currentDirectory() / "Banbenxx.dat", "planted");
        if (c.versionFile) {
            h.programFolder();
            ASSERT_TRUE(
                h.files.writeText("C:\\Program Files\\QV\\Banbenxx.dat", c.versionFile).ok());
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
              std::string("\"C:\\Windows\\system32\\cmd.exe\" /c start ") + site::kForumAddress);
    EXPECT_EQ(h.processes.starts()[0].mode, platform::WindowMode::Hidden);
}

TEST(AutostartTest, ADriveRootIsUnquotedAndAnyOtherFolderQuoted) {
    EXPECT_EQ(autostart::commandFor("E:\\"), "E:\\QVud.exe");
    EXPECT_EQ(autostart::commandFor("C:\\Program Files\\QV"),
              "\"C:\\Program Files\\QV\\QVud.exe\"");
    EXPECT_EQ(autostart::commandFor("D:\\工具"), "\"D:\\工具\\QVud.exe\"");
}

TEST(AutostartTest, RegWritesTheDataAsOneArgumentAndDeletesByName) {
    EXPECT_EQ(autostart::regArguments(true, "\"C:\\Program Files\\QV\\QVud.exe\""),
              "add \"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\" /v QVud /t REG_SZ "
              "/d \"\\\"C:\\Program Files\\QV\\QVud.exe\\\"\" /f");
    EXPECT_EQ(autostart::regArguments(true, "E:\\QVud.exe"),
              "add \"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\" /v QVud /t REG_SZ "
              "/d \"E:\\QVud.exe\" /f");
    EXPECT_EQ(autostart::regArguments(false, "E:\\QVud.exe"),
              "delete \"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\" /v QVud /f");
}

class SystemSettingsSaveTest : public ::testing::Test {
protected:
    void SetUp() override { h.guard.start(); }
    std::string savedLine() { return readFile(h.currentDirectory() / "XTset.ini"); }
    // The elevated reg.exe does what its arguments say to the registry.
    void regChangesTheRegistry() {
        h.elevation.onStart = [this](const std::string& program, const std::string& arguments) {
            EXPECT_EQ(program, "C:\\Windows\\system32\\reg.exe");
            if (arguments.starts_with("add "))
                ASSERT_TRUE(h.registry.writeString(kRunValue, expectedData).ok());
            else
                (void)h.registry.deleteValue(kRunValue);
        };
    }

    test::GuardHarness h;
    Form1& f = h.guard.form1();
    std::string expectedData = "\"C:\\Program Files\\QV\\QVud.exe\"";
};

TEST_F(SystemSettingsSaveTest, AnElevatedGuardWritesTheEntryForItsFolderWithoutAPrompt) {
    h.elevation.setElevated(true);
    for (const char* folder : {"C:\\Program Files\\QV", "E:\\"}) {
        SCOPED_TRACE(folder);
        h.folders.program = folder;
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
    EXPECT_TRUE(h.elevation.prompts().empty());

    // A refusal all the same (a policy on the key) is told, and the file still saved.
    h.registry.setReadOnly(true);
    f.Qd.setValue(0);
    h.host.expectMessageBox("无法取消开机启动！\n拒绝访问。", ui::MsgAnswer::Ok);
    h.host.expectMessageBox("系统设置保存成功！", ui::MsgAnswer::Ok);
    f.Command8.click();
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_NE(h.registry.find(kRunValue), nullptr);
    EXPECT_EQ(savedLine(), "001010101\r\n");
}

TEST_F(SystemSettingsSaveTest, WithoutAdministratorsRightsRegChangesTheEntryThroughOnePrompt) {
    regChangesTheRegistry();
    f.Qd.setValue(1);
    f.Command8.click();
    ASSERT_EQ(h.elevation.prompts().size(), 1u);
    EXPECT_EQ(h.elevation.prompts()[0].parameters, autostart::regArguments(true, expectedData));
    EXPECT_EQ(h.elevation.prompts()[0].mode, platform::WindowMode::Hidden);
    EXPECT_EQ(savedLine(), "101010100\r\n") << "the file is written at once";
    EXPECT_TRUE(h.host.boxes().empty()) << "nothing is claimed before reg.exe has ended";
    EXPECT_FALSE(f.Command8.enabled()) << "the save waits for reg.exe";

    h.host.expectMessageBox("系统设置保存成功！", ui::MsgAnswer::Ok);
    h.host.advance(AdminCommand::kPollMs);
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_TRUE(f.Command8.enabled());
    EXPECT_EQ(*h.registry.find(kRunValue), expectedData);

    // The entry is as wanted: saving again asks nothing.
    h.host.expectMessageBox("系统设置保存成功！", ui::MsgAnswer::Ok);
    f.Command8.click();
    EXPECT_EQ(h.elevation.prompts().size(), 1u);

    f.Qd.setValue(0);
    f.Command8.click();
    h.host.expectMessageBox("系统设置保存成功！", ui::MsgAnswer::Ok);
    h.host.advance(AdminCommand::kPollMs);
    ASSERT_EQ(h.elevation.prompts().size(), 2u);
    EXPECT_TRUE(h.elevation.prompts()[1].parameters.starts_with("delete "));
    EXPECT_EQ(h.registry.find(kRunValue), nullptr);

    // Nothing to delete: no prompt either.
    h.host.expectMessageBox("系统设置保存成功！", ui::MsgAnswer::Ok);
    f.Command8.click();
    EXPECT_EQ(h.elevation.prompts().size(), 2u);
    EXPECT_TRUE(h.host.allExpectationsMet());
}

TEST_F(SystemSettingsSaveTest, ADeclinedPromptAndARefusedChangeAreToldAsWhatTheyAre) {
    f.Qd.setValue(1);
    h.elevation.setAnswer(posix::ScriptedElevation::Answer::Decline);
    f.Command8.click();
    h.host.expectMessageBox("无法设置开机启动！\n您没有同意以管理员身份运行，未作任何更改。",
                            ui::MsgAnswer::Ok);
    h.host.expectMessageBox("系统设置保存成功！", ui::MsgAnswer::Ok);
    h.host.advance(AdminCommand::kPollMs);
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_EQ(h.host.boxes()[0].title, "提示") << "the user's own choice is no error";
    EXPECT_EQ(h.registry.find(kRunValue), nullptr);

    // Agreed, but reg.exe fails and the entry is not there.
    h.elevation.setAnswer(posix::ScriptedElevation::Answer::Agree);
    h.elevation.setOutcome(1, 3);
    f.Command8.click();
    h.host.advance(3 * AdminCommand::kPollMs);
    EXPECT_EQ(h.host.boxes().size(), 2u) << "reg.exe still runs";
    h.host.expectMessageBox(
        "无法设置开机启动！\nreg.exe 已运行结束（退出代码 1），但更改没有生效。",
        ui::MsgAnswer::Ok);
    h.host.expectMessageBox("系统设置保存成功！", ui::MsgAnswer::Ok);
    h.host.advance(AdminCommand::kPollMs);
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_EQ(h.host.boxes()[2].title, "错误");

    // A reg.exe that never ends is given up after the bounded wait.
    h.elevation.setOutcome(std::nullopt);
    f.Command8.click();
    h.host.advance(AdminCommand::kWaitMs - AdminCommand::kPollMs);
    EXPECT_EQ(h.host.boxes().size(), 4u);
    h.host.expectMessageBox("无法设置开机启动！\nreg.exe 在 30 秒内没有结束。", ui::MsgAnswer::Ok);
    h.host.expectMessageBox("系统设置保存成功！", ui::MsgAnswer::Ok);
    h.host.advance(AdminCommand::kPollMs);
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_TRUE(f.Command8.enabled());
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
    EXPECT_EQ(h.skin.attached[0], (std::pair<std::string, std::string>{kShippedSkin, ""}));
    EXPECT_EQ(savedLine(), "011001110\r\n");

    // The skin changer has put the chosen skin into the data folder: that one is worn.
    writeFile(h.currentDirectory() / "Pifu.she", "chosen");
    h.host.expectMessageBox("系统设置保存成功！", ui::MsgAnswer::Ok);
    f.Command8.click();
    ASSERT_EQ(h.skin.attached.size(), 2u);
    EXPECT_EQ(h.skin.attached[1], (std::pair<std::string, std::string>{"Pifu.she", ""}));
}

}  // namespace
}  // namespace qv
