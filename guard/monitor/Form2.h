#pragma once
// The threat dialog: an autorun.inf was found in a drive's root. It shows where the file
// is and which program it would start (AutorunFile.h: its "open=" line, else its execute
// keys), counts down towards deleting it, and lets the user delete it now or put the drive
// on the ignore list. It keeps itself above all windows.
//
// Opening: set Szwz to the file's path (this loads the dialog and reads the file), then
// show it modally; see MonitorWindows::showThreatDialog.
//
// Deleting removes each file the one way (common/removal: quarantined first). A file that
// stays is named with the system's reason in a notice titled "错误" before the dialog
// closes; the next monitor pass finds it again.
//
// Its controls:
//   Szwz    where the autorun.inf lies (Text2 "所在位置：" before it)
//   Glwj    the program the file starts, the whole command as the file writes it, or
//           "无法获取" (Text3 "关联文件：" before it)
//   scwj    "同时删除关联文件": delete the files that go with that program too; shown only
//           when at least one is a file on the same drive that may be removed (the name
//           rules of AutorunFile.h) and that exists
//   Text1   the warning text
//   Jstxt   the seconds left of the countdown (Text5 "秒后自动处理" after it)
//   Timer1  the countdown, one step a second
//   Ljsc    "立即删除": delete now
//   Hl      "添加忽略": put the drive on the ignore list

#include <string>
#include <vector>

#include "common/removal/DriveFileRemoval.h"
#include "guard/main_window/IgnoreList.h"
#include "guard/monitor/ExaminedDrive.h"
#include "guard/monitor/ProtectionLog.h"
#include "guard/platform/FileSystem.h"
#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"

namespace qv {

class Form1;

class Form2 : public ui::Form {
public:
    // `main` gives the options the dialog follows; every reference outlives the dialog.
    Form2(ui::UiHost& uiHost, Form1& main, platform::FileSystem& files,
          removal::DriveFileRemoval& removal, monitor::ProtectionLog& log, IgnoreList& ignoreList);

    ui::TextBox Text2{*this, "Text2"};
    ui::TextBox Szwz{*this, "Szwz"};
    ui::TextBox Text3{*this, "Text3"};
    ui::TextBox Glwj{*this, "Glwj"};
    ui::CheckBox scwj{*this, "scwj"};
    ui::TextBox Text1{*this, "Text1"};
    ui::TextBox Jstxt{*this, "Jstxt"};
    ui::TextBox Text5{*this, "Text5"};
    ui::CommandButton Hl{*this, "Hl"};
    ui::CommandButton Ljsc{*this, "Ljsc"};
    ui::Timer Timer1{*this, "Timer1"};

    void Ljsc_Click();

private:
    void design();
    void Form_Load();
    void Szwz_Change();
    void Timer1_Timer();
    void Hl_Click();
    void close();

    Form1& main_;
    platform::FileSystem& files_;
    removal::DriveFileRemoval& removal_;
    monitor::ProtectionLog& log_;
    IgnoreList& ignoreList_;
    // The full paths of the files that go with the program the file starts: files on the
    // same drive that may be removed and that exist.
    std::vector<std::string> associated_;
    monitor::ExaminedDrive examined_;  // the drive of the file shown
};

inline constexpr const char* kUnknownAssociatedFile = "无法获取";

}  // namespace qv
