// The policy switches: each button's registry file, by its full path beside the program,
// imported hidden by the registry editor with an administrator's rights (through one
// prompt, or directly for an elevated guard), confirmation for the four that lower
// protection, the effect read back before anything is claimed, no prompt when there is
// nothing to import, and a declined prompt, a refused import and a missing file or editor
// each told as what it is.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "guard/main_window/AdminCommand.h"
#include "guard/protection/PolicyFiles.h"
#include "tests/support/RegFiles.h"
#include "tests/unit/guard/ProtectionTest.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

const char* const kConfirm = "此命令可能使您的电脑处于危险状态，确认执行此命令？";
const char* const kDone = "命令成功完成！";
const std::string kEditor = "C:\\Windows\\regedit.exe";

class PolicySwitchesTest : public test::ProtectionTest {
protected:
    PolicySwitchesTest() {
        for (const auto& entry : fs::directory_iterator(QV_SHIPPED_DIR)) {
            fs::copy_file(entry.path(), h.programFolder() / entry.path().filename());
        }
    }
    // The registry editor imports the file it is given into the registry.
    void importsWhatItIsGiven(const std::string& arguments) {
        const std::string prefix = "/s \"C:\\Program Files\\QV\\";
        ASSERT_TRUE(arguments.starts_with(prefix)) << arguments;
        std::string file = arguments.substr(prefix.size(), arguments.size() - prefix.size() - 1);
        test::importInto(h.registry,
                         test::parseRegFile(test::readRegFile(test::shippedRegFile(file))));
    }
    // Clicks `button` and lets the import's watch see it end.
    void clickAndWatch(ui::CommandButton& button) {
        button.click();
        h.host.advance(AdminCommand::kPollMs);
    }
};

TEST_F(PolicySwitchesTest, EachButtonImportsItsFileOnceThroughThePromptAndReadsItBack) {
    h.elevation.onStart = [&](const std::string& program, const std::string& arguments) {
        EXPECT_EQ(program, kEditor);
        importsWhatItIsGiven(arguments);
    };
    struct Row {
        ui::CommandButton& button;
        const char* file;
    };
    for (Row row :
         {Row{f.Command9, "Czdbf.reg"}, Row{f.Command10, "Ozdbf.reg"}, Row{f.Command11, "Cup.reg"},
          Row{f.Command12, "Oup.reg"}, Row{f.Command13, "Cinf.reg"}, Row{f.Command14, "Oinf.reg"},
          Row{f.Command15, "Cwlup.reg"}, Row{f.Command16, "Owlup.reg"}}) {
        SCOPED_TRACE(row.file);
        bool opens = row.file[0] == 'O';
        size_t before = h.elevation.prompts().size();
        if (opens) {  // cancelled first: nothing happens
            h.host.expectMessageBox(kConfirm, ui::MsgAnswer::Cancel);
            row.button.click();
            h.host.expectMessageBox(kConfirm, ui::MsgAnswer::Ok);
        }
        row.button.click();
        ASSERT_EQ(h.elevation.prompts().size(), before + 1);
        EXPECT_EQ(h.elevation.prompts().back(),
                  (posix::ScriptedElevation::Start{
                      kEditor, std::string("/s \"C:\\Program Files\\QV\\") + row.file + "\"",
                      platform::WindowMode::Hidden}));
        EXPECT_FALSE(f.Command9.enabled() || f.Command16.enabled()) << "the buttons wait";
        h.host.expectMessageBox(kDone, ui::MsgAnswer::Ok);
        h.host.advance(AdminCommand::kPollMs);
        EXPECT_TRUE(h.host.allExpectationsMet());
        EXPECT_TRUE(f.Command9.enabled() && f.Command16.enabled());

        // Pressed again: the policy is in effect, so nothing is imported and nothing asked.
        if (opens) h.host.expectMessageBox(kConfirm, ui::MsgAnswer::Ok);
        h.host.expectMessageBox(kDone, ui::MsgAnswer::Ok);
        row.button.click();
        EXPECT_EQ(h.elevation.prompts().size(), before + 1);
        EXPECT_TRUE(h.host.allExpectationsMet());
    }
    EXPECT_TRUE(h.processes.starts().empty()) << "nothing started without the prompt";
    for (const auto& box : h.host.boxes()) {
        EXPECT_EQ(box.title, "提示");
        EXPECT_EQ(box.buttons,
                  box.text == kConfirm ? ui::MsgButtons::OkCancel : ui::MsgButtons::Ok);
    }
}

TEST_F(PolicySwitchesTest, AnElevatedGuardStartsTheEditorItselfWithoutAPrompt) {
    h.elevation.setElevated(true);
    h.processes.onStart = [&](const std::string& line) {
        const std::string editor = "\"" + kEditor + "\" ";
        ASSERT_TRUE(line.starts_with(editor)) << line;
        importsWhatItIsGiven(line.substr(editor.size()));
    };
    h.host.expectMessageBox(kDone, ui::MsgAnswer::Ok);
    clickAndWatch(f.Command11);
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_TRUE(h.elevation.prompts().empty());
    ASSERT_EQ(h.processes.starts().size(), 1u);
    EXPECT_EQ(h.processes.starts()[0].mode, platform::WindowMode::Hidden);
    EXPECT_TRUE(protection::inEffect(h.registry, protection::policy_effects::kCup));
}

TEST_F(PolicySwitchesTest, ADeclinedPromptAndAnImportThatDidNotTakeAreToldAsSuch) {
    h.elevation.setAnswer(posix::ScriptedElevation::Answer::Decline);
    h.host.expectMessageBox(
        "命令未能完成：Cup.reg 中的设置没有生效。\r\n"
        "您没有同意以管理员身份运行，未作任何更改。",
        ui::MsgAnswer::Ok);
    clickAndWatch(f.Command11);
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_EQ(h.host.boxes().back().title, "提示");
    EXPECT_FALSE(
        h.registry.keyExists("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\USBSTOR"));

    // Agreed, the editor ran, and still the registry does not hold what the file sets (a
    // group policy in the way, say): refused, whatever the editor's exit code.
    h.elevation.setAnswer(posix::ScriptedElevation::Answer::Agree);
    h.elevation.onStart = [&](const std::string&, const std::string&) {
        h.registry.writeNumber(protection::policy_effects::kUsbStorage, 4);  // half of it
    };
    h.host.expectMessageBox(
        "命令未能完成：Cup.reg 中的设置没有生效。\r\n"
        "regedit.exe 已运行结束（退出代码 0），但更改没有生效。",
        ui::MsgAnswer::Ok);
    clickAndWatch(f.Command11);
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_EQ(h.host.boxes().back().title, "错误");
    EXPECT_TRUE(f.Command11.enabled());
}

TEST_F(PolicySwitchesTest, AMissingFileOrEditorIsReportedAsTheFailureItIs) {
    fs::remove(h.programFolder() / "Cup.reg");
    test::plant(h.currentDirectory() / "Cup.reg");  // not the shipped one: never used
    h.host.expectMessageBox("命令未能执行：找不到注册表文件 Cup.reg，请把它放回程序所在的文件夹。",
                            ui::MsgAnswer::Ok);
    f.Command11.click();
    EXPECT_TRUE(h.elevation.prompts().empty());

    h.elevation.setAnswer(posix::ScriptedElevation::Answer::Fail);
    h.host.expectMessageBox(
        "命令未能执行：无法启动注册表编辑器 regedit.exe。\r\n原因：系统找不到指定的文件。",
        ui::MsgAnswer::Ok);
    clickAndWatch(f.Command13);
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_EQ(h.elevation.prompts().size(), 1u);
    for (const auto& box : h.host.boxes()) EXPECT_EQ(box.title, "错误");
}

}  // namespace
}  // namespace qv
