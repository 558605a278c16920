#include "uninstaller/wizard/Wizard.h"

#include <gtest/gtest.h>

#include "uninstaller/tests/WizardFakes.h"
#include "uninstaller/wizard/Design.h"

namespace qv::uninst {
namespace {

using Lines = std::vector<std::string>;
using test::ScriptedSystem;
using test::ScriptedView;

const char* kScript =
    "[标题开始]\r\nQVu盘卫士\r\n"
    "[文本开始]\r\n将删除本软件。\r\n[文本结束]\r\n"
    "[删除开始]\r\nQVud.exe\r\nQVset.ini\r\nRz.log\r\n[删除结束]\r\n"
    "[命令开始]\r\ntaskkill /f /im QVud.exe\r\nrd /s /q skin\r\n[命令结束]\r\n";

class WizardTest : public ::testing::Test {
protected:
    WizardTest() {
        system.script.text = kScript;
        system.files = {"QVud.exe", "QVset.ini", "Rz.log", "other.txt"};
    }

    // Loads with the confirmation answered OK and forgets what loading wrote.
    void loadConfirmed() {
        view.answers = {Answer::Ok};
        ASSERT_EQ(wizard.Form_Load(), LoadResult::Shown);
        journal.clear();
        view.boxes.clear();
    }

    std::vector<std::string> journal;
    ScriptedView view{journal};
    ScriptedSystem system{journal};
    Wizard wizard{view, system};
};

TEST_F(WizardTest, LoadFillsTheWindowAndAsksBeforeShowingIt) {
    view.answers = {Answer::Ok};
    EXPECT_EQ(wizard.Form_Load(), LoadResult::Shown);
    EXPECT_EQ(journal.front(), "read Xz.ini");
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, "确认卸载QVu盘卫士 吗？");
    EXPECT_EQ(view.boxes[0].title, "卸载确认");
    EXPECT_EQ(view.boxes[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(view.caption, "QVu盘卫士 卸载向导");
    EXPECT_EQ(view.text, "将删除本软件。\r\n");
    EXPECT_EQ(view.list, (Lines{"QVud.exe", "QVset.ini", "Rz.log"}));
    EXPECT_EQ(journal.back(), "show");
    EXPECT_EQ(view.endCalls, 0);
    EXPECT_TRUE(system.started.empty());
    EXPECT_EQ(system.files.size(), 4u);
}

TEST_F(WizardTest, CancelInTheConfirmationEndsBeforeAnyWindow) {
    view.answers = {Answer::Cancel};
    EXPECT_EQ(wizard.Form_Load(), LoadResult::Cancelled);
    EXPECT_FALSE(view.shown);
    EXPECT_EQ(view.endCalls, 1);
    EXPECT_TRUE(wizard.ended());
    // Late events after the end do nothing.
    wizard.faceClicked(Face::Uninstall);
    EXPECT_EQ(system.files.size(), 4u);
    EXPECT_TRUE(system.started.empty());
    EXPECT_EQ(view.endCalls, 1);
}

TEST_F(WizardTest, ScriptWithoutTitleUsesTheDesignedCaption) {
    system.script.text = "[删除开始]\nQVud.exe\n";
    view.answers = {Answer::Ok};
    EXPECT_EQ(wizard.Form_Load(), LoadResult::Shown);
    EXPECT_EQ(view.boxes.at(0).text, "确认卸载卸载程序 吗？");
    EXPECT_EQ(view.caption, "卸载程序 卸载向导");
    EXPECT_EQ(view.text, "(designed)");  // the designed text stays in the box
}

TEST_F(WizardTest, TitleOnlyScriptDeletesAndRunsNothing) {
    system.script.text = "[标题开始]\r\n产品\r\n";
    loadConfirmed();
    EXPECT_EQ(view.caption, "产品 卸载向导");
    view.answers = {Answer::Ok};
    wizard.faceClicked(Face::Uninstall);
    EXPECT_EQ(journal, (Lines{"text 正在卸载请稍后...", "box 提示: 本软件已成功卸载！", "end"}));
}

TEST_F(WizardTest, UninstallDeletesInOrderThenReportsThenStartsCommands) {
    loadConfirmed();
    view.answers = {Answer::Ok};
    wizard.faceClicked(Face::Uninstall);
    EXPECT_EQ(journal, (Lines{"text 正在卸载请稍后...", "end program QVud.exe", "delete QVud.exe",
                              "delete QVset.ini", "delete Rz.log", "box 提示: 本软件已成功卸载！",
                              "start cmd.exe | cmd.exe /c taskkill /f /im QVud.exe",
                              "start cmd.exe | cmd.exe /c rd /s /q skin", "end"}));
    EXPECT_EQ(view.boxes.at(0).buttons, Buttons::Ok);
    EXPECT_EQ(system.files, std::set<std::string>{"other.txt"});
    EXPECT_TRUE(wizard.ended());
}

TEST_F(WizardTest, EmptyListStillReportsAndRunsTheCommands) {
    system.script.text = "[命令开始]\none\ntwo\n";
    loadConfirmed();
    EXPECT_TRUE(view.list.empty());
    view.answers = {Answer::Ok};
    wizard.faceClicked(Face::Uninstall);
    EXPECT_EQ(journal,
              (Lines{"text 正在卸载请稍后...", "box 提示: 本软件已成功卸载！",
                     "start cmd.exe | cmd.exe /c one", "start cmd.exe | cmd.exe /c two", "end"}));
}

// A file that is not there is gone as the uninstall wants it: a settings file the guard
// never wrote is no failure to report. A file that stays keeps the commands from running,
// so that the uninstaller, its script and its registration stay for another try.
TEST_F(WizardTest, FilesThatStayAreReportedTheRestDeletedAndNoCommandRuns) {
    system.script.text =
        "[删除开始]\nQVud.exe\nlocked.dll\nmissing.txt\nRz.log\n[删除结束]\n"
        "[命令开始]\nbad\ngood\n[命令结束]\n";
    system.files.insert("locked.dll");
    system.locked = {"locked.dll"};
    system.unstartable = {"cmd.exe /c bad"};
    loadConfirmed();
    view.answers = {Answer::Ok};
    wizard.faceClicked(Face::Uninstall);

    EXPECT_EQ(system.files, (std::set<std::string>{"locked.dll", "QVset.ini", "other.txt"}));
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].title, "提示");
    EXPECT_EQ(view.boxes[0].icon, Icon::Warning);
    EXPECT_EQ(
        view.boxes[0].text,
        "卸载未全部完成，以下文件未能删除：\r\n"
        "locked.dll（文件正在使用）\r\n"
        "卸载程序及其卸载信息已保留：请关闭正在使用这些文件的程序，然后再次运行卸载程序。\r\n");
    EXPECT_TRUE(system.started.empty());
    EXPECT_EQ(journal.back(), "end");
}

TEST_F(WizardTest, TheInstallationsProgramsAreEndedOnlyOnceTheUserHasChosenToUninstall) {
    system.script.text =
        "[删除开始]\nC:\\QV\\QVud.exe\nC:\\QV\\Filedir.EXE\nC:\\QV\\QVset.ini\nexe\n[删除结束]\n";
    view.answers = {Answer::Ok};
    ASSERT_EQ(wizard.Form_Load(), LoadResult::Shown);
    wizard.faceClicked(Face::Cancel);
    EXPECT_EQ(std::count_if(journal.begin(), journal.end(),
                            [](const std::string& e) { return e.starts_with("end program"); }),
              0);

    journal.clear();
    ScriptedView other{journal};
    other.answers = {Answer::Ok, Answer::Ok};
    Wizard w{other, system};
    ASSERT_EQ(w.Form_Load(), LoadResult::Shown);
    w.faceClicked(Face::Uninstall);
    Lines ended;
    for (const std::string& e : journal)
        if (e.starts_with("end program")) ended.push_back(e);
    EXPECT_EQ(ended, (Lines{"end program C:\\QV\\QVud.exe", "end program C:\\QV\\Filedir.EXE"}));
    EXPECT_LT(std::find(journal.begin(), journal.end(), "end program C:\\QV\\QVud.exe"),
              std::find(journal.begin(), journal.end(), "delete C:\\QV\\QVud.exe"));
}

TEST_F(WizardTest, RepeatedAndEmptyEntriesAreNotFailures) {
    system.script.text = "[删除开始]\nQVud.exe\n\nQVud.exe\n[删除结束]\n";
    loadConfirmed();
    EXPECT_EQ(view.list, (Lines{"QVud.exe", "", "QVud.exe"}));
    view.answers = {Answer::Ok};
    wizard.faceClicked(Face::Uninstall);
    EXPECT_EQ(view.boxes.at(0).text, "本软件已成功卸载！");
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "delete QVud.exe"), 2);
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "delete "), 0);
}

TEST_F(WizardTest, LongFailureListIsCut) {
    std::string script = "[删除开始]\n";
    for (int i = 0; i < 25; ++i) {
        std::string name = "f" + std::to_string(i);
        script += name + "\n";
        system.files.insert(name);
        system.locked.insert(name);
    }
    system.script.text = script;
    loadConfirmed();
    view.answers = {Answer::Ok};
    wizard.faceClicked(Face::Uninstall);
    const std::string& text = view.boxes.at(0).text;
    EXPECT_NE(text.find("f19（文件正在使用）"), std::string::npos);
    EXPECT_EQ(text.find("f20（"), std::string::npos);
    EXPECT_NE(text.find("另有 5 个文件未能删除"), std::string::npos);
}

TEST_F(WizardTest, CancelFaceEndsWithoutTouchingAnything) {
    loadConfirmed();
    wizard.faceClicked(Face::Cancel);
    EXPECT_EQ(journal, Lines{"end"});
    EXPECT_EQ(system.files.size(), 4u);
    EXPECT_TRUE(system.started.empty());
}

TEST_F(WizardTest, CheckBoxTogglesTheWindowHeight) {
    loadConfirmed();
    wizard.Check1_Click(true);
    EXPECT_EQ(view.height, 6666);
    wizard.Check1_Click(false);
    EXPECT_EQ(view.height, 4935);
}

TEST_F(WizardTest, FacesHaveABorderOnlyWhileHeld) {
    loadConfirmed();
    wizard.faceMouseDown(Face::Uninstall);
    EXPECT_TRUE(view.borders[Face::Uninstall]);
    EXPECT_FALSE(view.borders.count(Face::Cancel));
    wizard.faceMouseUp(Face::Uninstall);
    EXPECT_FALSE(view.borders[Face::Uninstall]);
    wizard.faceMouseDown(Face::Cancel);
    EXPECT_TRUE(view.borders[Face::Cancel]);
    wizard.faceMouseUp(Face::Cancel);
    EXPECT_FALSE(view.borders[Face::Cancel]);
}

TEST_F(WizardTest, ClickDuringTheResultBoxDoesNotUninstallAgain) {
    // The user clicks both faces while the result box is open.
    struct Reentrant : ScriptedView {
        using ScriptedView::ScriptedView;
        Wizard* wizard = nullptr;
        Answer messageBox(const std::string& t, const std::string& title, Buttons b,
                          Icon i) override {
            if (title == "提示") {
                wizard->faceClicked(Face::Uninstall);
                wizard->faceClicked(Face::Cancel);
            }
            return ScriptedView::messageBox(t, title, b, i);
        }
    } reentrant{journal};
    Wizard w{reentrant, system};
    reentrant.wizard = &w;
    reentrant.answers = {Answer::Ok, Answer::Ok};
    ASSERT_EQ(w.Form_Load(), LoadResult::Shown);
    journal.clear();
    w.faceClicked(Face::Uninstall);
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "delete QVud.exe"), 1);
    EXPECT_EQ(system.started.size(), 2u);
    EXPECT_EQ(reentrant.endCalls, 1);
}

TEST_F(WizardTest, UnreadableScriptIsReportedAndNothingHappens) {
    struct Case {
        ScriptFile::Status status;
        std::string reason;
        std::string expected;
    };
    const Case cases[] = {
        {ScriptFile::Status::Missing, "", "找不到卸载脚本 Xz.ini"},
        {ScriptFile::Status::Unreadable, "拒绝访问。", "无法读取卸载脚本 Xz.ini：拒绝访问。"},
        {ScriptFile::Status::Unreadable, "", "无法读取卸载脚本 Xz.ini"},
        {ScriptFile::Status::TooLarge, "", "卸载脚本 Xz.ini 过大"},
    };
    for (const Case& c : cases) {
        journal.clear();
        ScriptedView v{journal};
        v.answers = {Answer::Ok};
        system.script = {c.status, kScript, c.reason};
        Wizard w{v, system};
        EXPECT_EQ(w.Form_Load(), LoadResult::Failed);
        ASSERT_EQ(v.boxes.size(), 1u);
        EXPECT_EQ(v.boxes[0].title, "错误");
        EXPECT_EQ(v.boxes[0].icon, Icon::Error);
        EXPECT_EQ(v.boxes[0].text.rfind(c.expected, 0), 0u) << v.boxes[0].text;
        EXPECT_NE(v.boxes[0].text.find("没有删除任何文件"), std::string::npos);
        EXPECT_FALSE(v.shown);
        EXPECT_EQ(v.endCalls, 1);
        w.faceClicked(Face::Uninstall);
    }
    EXPECT_EQ(system.files.size(), 4u);
    EXPECT_TRUE(system.started.empty());
}

TEST_F(WizardTest, OversizedListsAreRefusedBeforeAsking) {
    std::string many;
    for (int i = 0; i < 3000; ++i) many += "[命令开始]\n";
    system.script.text = many;
    view.answers = {Answer::Ok};
    EXPECT_EQ(wizard.Form_Load(), LoadResult::Failed);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].title, "错误");
    EXPECT_NE(view.boxes[0].text.find("Xz.ini"), std::string::npos);
    EXPECT_TRUE(system.started.empty());
}

}  // namespace
}  // namespace qv::uninst
