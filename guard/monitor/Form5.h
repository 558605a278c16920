#pragma once
// The suspicious-file dialog, which lists executables named like a folder of a drive's
// root and lets the user delete one, delete all, leave them or turn the scan off; it keeps
// itself above all windows. The list lives only while the form is loaded. The same window
// owns the program's pop-up menu `Cd`.
//
// Opening: point Dir1 at a root, add lines to List1, then Guard::showSuspiciousFiles.

#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"

namespace qv {

class Guard;

class Form5 : public ui::Form {
public:
    explicit Form5(Guard& guard);

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

private:
    void design();
    void Command1_Click();
    void Command4_Click();
    void Command3_Click();
    void Command2_Click();
    void close();

    Guard& guard_;
};

}  // namespace qv
