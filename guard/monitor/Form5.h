#pragma once
// The suspicious-file dialog, which lists executables named like a folder of a drive's
// root and lets the user delete one, delete all, leave them or turn the scan off; it keeps
// itself above all windows. The list lives only while the form is loaded. The same window
// owns the program's pop-up menu `Cd`.
//
// Opening: point Dir1 at a root, add lines to List1, then
// MonitorWindows::showSuspiciousFiles.
//
// Deleting removes each file the one way (common/removal: quarantined first). A line goes
// only when its file is gone; a file that stays is named with the system's reason in a
// notice titled "错误", and "全部删除" keeps the lines of the files that stayed.
//
// Its controls:
//   List1     the suspicious files, one full path per line
//   Dir1      (hidden) the folders of the root the scan looked at
//   Command1  "删除文件": delete the selected file
//   Command4  "全部删除": delete every listed file; the dialog closes once all are gone
//   Command3  "不做处理": leave them
//   Command2  "关闭U盘文件扫描": turn the look-alike scan off
//   Cd        the program's pop-up menu, opened from the badge: Xianshi shows the main
//             window, Jinchenggl the process manager, wjll the file browser, Chakan the
//             protection log, PIfgg the skin changer, Tuichu ends the program. Its items
//             are wired by the shell (see MenuWiring).

#include <string>
#include <vector>

#include "common/removal/DriveFileRemoval.h"
#include "common/removal/RemovalTexts.h"
#include "guard/monitor/ExaminedDrive.h"
#include "guard/monitor/ProtectionLog.h"
#include "guard/platform/FileSystem.h"
#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"

namespace qv {

class Form1;

class Form5 : public ui::Form {
public:
    // `main` holds the scan option the dialog turns off; every reference outlives it.
    Form5(ui::UiHost& uiHost, Form1& main, platform::FileSystem& files,
          removal::DriveFileRemoval& removal, monitor::ProtectionLog& log);

    ui::ListBox List1{*this, "List1"};
    ui::DirList Dir1{*this, "Dir1"};
    ui::CommandButton Command1{*this, "Command1"};
    ui::CommandButton Command4{*this, "Command4"};
    ui::CommandButton Command3{*this, "Command3"};
    ui::CommandButton Command2{*this, "Command2"};

    ui::Menu Cd{*this, "Cd"};
    ui::MenuItem Xianshi{*this, "Xianshi", Cd};
    ui::MenuItem Jinchenggl{*this, "Jinchenggl", Cd};
    ui::MenuItem wjll{*this, "wjll", Cd};
    ui::MenuItem Chakan{*this, "Chakan", Cd};
    ui::MenuItem PIfgg{*this, "PIfgg", Cd};
    ui::MenuItem Tuichu{*this, "Tuichu", Cd};

    // The list is about to be filled with files of the drive of `root` ("e:\"), as it holds
    // now: the dialog's buttons act on that stick only.
    void examining(const std::string& root) { examined_.take(files_, root); }

private:
    void design();
    void Command1_Click();
    void Command4_Click();
    void Command3_Click();
    void Command2_Click();
    void close();

    // Removes the file `path`; the result says whether it is gone and, if not, why.
    removal::RemovalResult remove(const std::string& path);
    void tellNotRemoved(const std::vector<removal::NotRemoved>& stays);
    bool sameDrive();

    Form1& main_;
    platform::FileSystem& files_;
    monitor::ExaminedDrive examined_;  // the drive the list is of
    removal::DriveFileRemoval& removal_;
    monitor::ProtectionLog& log_;
};

}  // namespace qv
