// The messages of refused, declined and not-as-expected administrator's work, of a log
// record that could not be written and of an unusable data folder, as the real message
// boxes show them (Wine runs every elevated start without a prompt, so the end-to-end tests
// meet only some of them): each is shown with its title and saved as a screenshot to look
// at.

#include <gtest/gtest.h>

#include <string>

#include "guard/main_window/AdminCommand.h"
#include "guard/main_window/DataFolderNotice.h"
#include "guard/monitor/ProtectionLog.h"
#include "guard/protection/CleanerSteps.h"
#include "guard/protection/PolicyFiles.h"
#include "tests/wine/host/HostFixture.h"

namespace qv::test {
namespace {

const AdminOutcome kDeclined{AdminOutcome::Result::Declined, 0, ""};

TEST_F(HostTest, EveryMessageOfTheAdministratorsWorkShowsWhole) {
    struct Message {
        const wchar_t* shot;
        std::string text;
        std::string title;
    };
    const Message messages[] = {
        {L"message_autostart_declined",
         "无法设置开机启动！\n" + adminFailureReason(kDeclined, "reg.exe"),
         adminFailureTitle(kDeclined)},
        {L"message_autostart_refused",
         "无法取消开机启动！\n" +
             adminFailureReason({AdminOutcome::Result::Ended, 1, ""}, "reg.exe"),
         "错误"},
        {L"message_policy_declined",
         protection::importNotDoneMessage("Cup.reg", adminFailureReason(kDeclined, "regedit.exe")),
         "提示"},
        {L"message_policy_not_in_effect",
         protection::importNotDoneMessage(
             "Oinf.reg",
             adminFailureReason({AdminOutcome::Result::TimedOut, 0, ""}, "regedit.exe")),
         "错误"},
        {L"message_policy_no_editor", protection::editorNotStartedMessage("系统找不到指定的文件"),
         "错误"},
        {L"message_cleaner_declined",
         protection::cleanerDoneMessage(
             {0,
              {{"c:\\windows\\xcopy.exe", protection::kDeclinedAdminWork}},
              {{"temp1.exe", protection::kDeclinedAdminWork}}}),
         "提示"},
        {L"message_log_not_written",
         monitor::logNotWrittenMessage("C:\\ProgramData\\QVu盘卫士\\Rz.log", "拒绝访问"), "提示"},
        {L"message_data_folder_refused",
         dataFolderRefusedMessage("C:\\ProgramData\\QVu盘卫士", "拒绝访问",
                                  "C:\\Program Files\\QVu盘卫士"),
         "错误"},
    };
    for (const Message& m : messages) {
        SCOPED_TRACE(testkit::utf8(m.shot));
        // The box is known by its first line.
        std::wstring text = testkit::wide(m.text);
        std::wstring firstLine = text.substr(0, text.find_first_of(L"\r\n"));
        BoxAnswerer answer(firstLine, IDOK, [&] {
            HWND box = testkit::findMessageBox(firstLine, GetCurrentProcessId());
            return box && testkit::saveScreenshot(m.shot, box).has_value();
        });
        EXPECT_EQ(host.messageBox(m.text, m.title, ui::MsgButtons::Ok), ui::MsgAnswer::Ok);
        EXPECT_TRUE(answer.pressed());
        EXPECT_EQ(answer.title(), testkit::wide(m.title));
    }
}

}  // namespace
}  // namespace qv::test
