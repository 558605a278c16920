#pragma once
// The shortcut-worm dialog: the monitor pass found in a drive's root shortcuts that run a
// worm (ShortcutScan.h). It names each of them with the whole command it runs (padding and
// invisible characters written out), the files of the drive that command names, and the
// hidden items the cleaning shows again; then lets the user clean the drive, put it on the
// ignore list or leave it. It keeps itself above all windows, as the threat dialog does.
//
// Opening: MonitorWindows::showShortcutWorm, which loads a fresh dialog for the findings
// of one drive and shows it modally.
//
// Cleaning goes through ShortcutCleaning.h (each file quarantined first, logged while
// "记录防护日志" is ticked); a notice titled "提示" then says what went, what was shown
// again and what stayed, and the dialog closes. The next monitor pass finds what stayed.
//
// Its controls:
//   Label1    what was found and what "立即清除" does
//   Text1     the findings: each shortcut with the command it runs and its payloads, then
//             the hidden items that will be shown again
//   Command1  "立即清除": clean the drive (the default button: Return presses it)
//   Command2  "添加忽略": put the drive on the ignore list
//   Command3  "不做处理": leave everything as it is

#include "common/removal/DriveFileRemoval.h"
#include "guard/main_window/IgnoreList.h"
#include "guard/monitor/ExaminedDrive.h"
#include "guard/monitor/ProtectionLog.h"
#include "guard/monitor/ShortcutScan.h"
#include "guard/platform/FileSystem.h"
#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"

namespace qv {

class Form7 : public ui::Form {
public:
    // Every reference outlives the dialog.
    Form7(ui::UiHost& uiHost, platform::FileSystem& files, removal::DriveFileRemoval& removal,
          monitor::ProtectionLog& log, IgnoreList& ignoreList);

    ui::Label Label1{*this, "Label1"};
    ui::TextBox Text1{*this, "Text1"};
    ui::CommandButton Command1{*this, "Command1"};
    ui::CommandButton Command2{*this, "Command2"};
    ui::CommandButton Command3{*this, "Command3"};

    // What the dialog shows and cleans: the findings of one drive.
    void setFindings(monitor::ShortcutWorm worm);
    const monitor::ShortcutWorm& findings() const { return worm_; }

private:
    void design();
    void Command1_Click();
    void Command2_Click();
    void close();

    platform::FileSystem& files_;

    monitor::ExaminedDrive examined_;  // the drive of the findings
    removal::DriveFileRemoval& removal_;
    monitor::ProtectionLog& log_;
    IgnoreList& ignoreList_;
    monitor::ShortcutWorm worm_;
};

// The text of Text1 for `worm`.
std::string shortcutWormText(const monitor::ShortcutWorm& worm);

}  // namespace qv
