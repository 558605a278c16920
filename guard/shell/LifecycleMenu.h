#pragma once
// The two items of the pop-up menu that concern the main window and the program itself:
// "显示主窗体" brings the main window back in place of the badge, and "退出", once
// confirmed, ends the process at once. This is the one place where the user ends the
// guard: nothing is saved and no window's close handling runs, whatever is open.

#include "guard/main_window/Form1.h"
#include "guard/shell/Form3.h"
#include "guard/shell/ProgramMenu.h"

namespace qv {

class LifecycleMenu {
public:
    // Both windows outlive this object.
    LifecycleMenu(Form1& main, Form3& badge) : main_(main), badge_(badge) {}

    // Wires "显示主窗体" and "退出" of a newly loaded menu.
    void attach(const ProgramMenuItems& menu);

    // Shows the main window in place of the badge; the menu's window goes too.
    void Xianshi_Click(ui::Form& menuOwner);
    void Tuichu_Click();

private:
    Form1& main_;
    Form3& badge_;
};

inline constexpr const char* kExitQuestion = "你确定退出QVu盘卫士？退出后将失去QVu盘卫士的保护！";

}  // namespace qv
