// The policy switches: each button's registry file imported hidden by the registry editor,
// confirmation for the four that lower protection, and failures reported as failures.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/unit/guard/ProtectionTest.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using PolicySwitchesTest = test::ProtectionTest;

const char* const kConfirm = "此命令可能使您的电脑处于危险状态，确认执行此命令？";
const char* const kDone = "命令成功完成！";

TEST_F(PolicySwitchesTest, EachButtonImportsItsFileAndTheOpeningOnesAskFirst) {
    for (const auto& entry : fs::directory_iterator(QV_SHIPPED_DIR)) {
        fs::copy_file(entry.path(), h.currentDirectory() / entry.path().filename());
    }
    struct Row {
        ui::CommandButton& button;
        const char* file;
    };
    for (Row row :
         {Row{f.Command9, "Czdbf.reg"}, Row{f.Command10, "Ozdbf.reg"}, Row{f.Command11, "Cup.reg"},
          Row{f.Command12, "Oup.reg"}, Row{f.Command13, "Cinf.reg"}, Row{f.Command14, "Oinf.reg"},
          Row{f.Command15, "Cwlup.reg"}, Row{f.Command16, "Owlup.reg"}}) {
        bool opens = row.file[0] == 'O';
        size_t before = h.processes.starts().size();
        if (opens) {  // cancelled first: nothing happens
            h.host.expectMessageBox(kConfirm, ui::MsgAnswer::Cancel);
            row.button.click();
            h.host.expectMessageBox(kConfirm, ui::MsgAnswer::Ok);
        }
        h.host.expectMessageBox(kDone, ui::MsgAnswer::Ok);
        row.button.click();
        EXPECT_TRUE(h.host.allExpectationsMet()) << row.file;
        ASSERT_EQ(h.processes.starts().size(), before + 1) << row.file;
        EXPECT_EQ(h.processes.starts().back(),
                  (posix::RecordingProcesses::Start{std::string("regedt32 /s ") + row.file,
                                                    platform::WindowMode::Hidden}));
    }
    for (const auto& box : h.host.boxes()) {
        EXPECT_EQ(box.title, "提示");
        EXPECT_EQ(box.buttons,
                  box.text == kConfirm ? ui::MsgButtons::OkCancel : ui::MsgButtons::Ok);
    }
}

TEST_F(PolicySwitchesTest, AMissingFileOrEditorIsReportedAsTheFailureItIs) {
    h.host.expectMessageBox("命令未能执行：找不到注册表文件 Cup.reg，请把它放回程序所在的文件夹。",
                            ui::MsgAnswer::Ok);
    f.Command11.click();
    EXPECT_TRUE(h.processes.starts().empty() && h.processes.refused().empty());

    test::plant(h.currentDirectory() / "Cinf.reg");
    h.processes.setMissing("regedt32");
    h.host.expectMessageBox(
        "命令未能执行：无法启动注册表编辑器 regedt32。\r\n原因：系统找不到指定的文件。",
        ui::MsgAnswer::Ok);
    f.Command13.click();
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_EQ(h.processes.refused(), (std::vector<std::string>{"regedt32 /s Cinf.reg"}));
    for (const auto& box : h.host.boxes()) EXPECT_EQ(box.title, "错误");
}

}  // namespace
}  // namespace qv
