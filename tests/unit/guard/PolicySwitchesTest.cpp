// The policy switches: each button's registry file imported hidden by the registry editor,
// confirmation for the four that lower protection, and failures that are reported as such.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/unit/guard/ProtectionFixture.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using Start = posix::RecordingProcesses::Start;

const char* const kConfirm = "此命令可能使您的电脑处于危险状态，确认执行此命令？";
const char* const kDone = "命令成功完成！";

class PolicySwitchesTest : public test::ProtectionTest {
protected:
    // The shipped files in the guard's current folder, as the build places them.
    PolicySwitchesTest() {
        for (const auto& entry : fs::directory_iterator(QV_SHIPPED_DIR)) {
            if (entry.path().extension() == ".reg") {
                fs::copy_file(entry.path(), h.currentDirectory() / entry.path().filename());
            }
        }
    }

    struct Row {
        ui::CommandButton& button;
        const char* file;
        bool confirms;
    };
    std::vector<Row> rows() {
        return {{f.Command9, "Czdbf.reg", false},  {f.Command10, "Ozdbf.reg", true},
                {f.Command11, "Cup.reg", false},   {f.Command12, "Oup.reg", true},
                {f.Command13, "Cinf.reg", false},  {f.Command14, "Oinf.reg", true},
                {f.Command15, "Cwlup.reg", false}, {f.Command16, "Owlup.reg", true}};
    }
};

TEST_F(PolicySwitchesTest, EachButtonImportsItsOwnFileHiddenAfterConfirmationWhereAsked) {
    for (const Row& row : rows()) {
        SCOPED_TRACE(row.button.name());
        size_t startsBefore = h.processes.starts().size();
        size_t boxesBefore = h.host.boxes().size();
        if (row.confirms) h.host.expectMessageBox(kConfirm, ui::MsgAnswer::Ok);
        h.host.expectMessageBox(kDone, ui::MsgAnswer::Ok);
        row.button.click();

        EXPECT_TRUE(h.host.allExpectationsMet());
        ASSERT_EQ(h.processes.starts().size(), startsBefore + 1);
        EXPECT_EQ(h.processes.starts().back(),
                  (Start{std::string("regedt32 /s ") + row.file, platform::WindowMode::Hidden}));
        for (size_t i = boxesBefore; i < h.host.boxes().size(); ++i) {
            EXPECT_EQ(h.host.boxes()[i].title, "提示");
        }
        if (row.confirms) {
            EXPECT_EQ(h.host.boxes()[boxesBefore].buttons, ui::MsgButtons::OkCancel);
        }
        EXPECT_EQ(h.host.boxes().back().buttons, ui::MsgButtons::Ok);
    }
}

TEST_F(PolicySwitchesTest, CancellingTheConfirmationStartsNothingAndSaysNothingMore) {
    for (const Row& row : rows()) {
        if (!row.confirms) continue;
        h.host.expectMessageBox(kConfirm, ui::MsgAnswer::Cancel);
        row.button.click();
    }
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_EQ(h.host.boxes().size(), 4u);
    EXPECT_TRUE(h.processes.starts().empty());
}

TEST_F(PolicySwitchesTest, PressingTwiceImportsTwice) {
    h.host.expectMessageBox(kDone, ui::MsgAnswer::Ok);
    h.host.expectMessageBox(kDone, ui::MsgAnswer::Ok);
    f.Command11.click();
    f.Command11.click();
    EXPECT_EQ(h.processes.starts().size(), 2u);
}

TEST_F(PolicySwitchesTest, AMissingFileIsReportedAndNothingIsStarted) {
    fs::remove(h.currentDirectory() / "Oup.reg");
    h.host.expectMessageBox(kConfirm, ui::MsgAnswer::Ok);
    h.host.expectMessageBox("命令未能执行：找不到注册表文件 Oup.reg，请把它放回程序所在的文件夹。",
                            ui::MsgAnswer::Ok);
    f.Command12.click();
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_EQ(h.host.boxes().back().title, "错误");
    EXPECT_TRUE(h.processes.starts().empty());
    EXPECT_TRUE(h.processes.refused().empty());
}

TEST_F(PolicySwitchesTest, ARegistryEditorThatCannotStartIsReportedWithTheSystemsReason) {
    h.processes.setMissing("regedt32");
    h.host.expectMessageBox(
        "命令未能执行：无法启动注册表编辑器 regedt32。\r\n原因：系统找不到指定的文件。",
        ui::MsgAnswer::Ok);
    f.Command13.click();
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_EQ(h.host.boxes().back().title, "错误");
    EXPECT_EQ(h.processes.refused(), (std::vector<std::string>{"regedt32 /s Cinf.reg"}));
}

}  // namespace
}  // namespace qv
