#pragma once
// The floating badge that stands for the guard on the desktop while the main window is
// hidden: a borderless square picture in the top-right corner. Its tool tip tells whether
// protection is on; when all protection is off a warning picture on its corner switches
// the protection back on with one click. Double-click shows the main window, a right-click
// opens the program's pop-up menu, and the badge can be dragged anywhere. It is never
// closed: it stands for the running guard, which ends only through "退出" or with the
// session, so close requests (Alt+F4, another program's WM_CLOSE) are refused.
//
// Its controls:
//   Image1  the badge's picture: dragged, double-clicked, right-clicked
//   Image2  the warning picture on its corner, shown while all protection is off

#include "guard/main_window/Form1.h"
#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"
#include "guard/shell/ProgramMenu.h"

namespace qv {

class Form3 : public ui::Form {
public:
    // Both references outlive the badge.
    Form3(ui::UiHost& uiHost, Form1& main, ProgramMenu& menu);

    // Shows whether all protection is off: the tool tip and the warning picture.
    void showProtectionState(bool allOff);

    ui::Image Image1{*this, "Image1"};
    ui::Image Image2{*this, "Image2"};

private:
    void Form_Load();
    void Form_QueryUnload(bool& cancel);
    void Image1_MouseMove();
    void Image1_DblClick();
    void Image1_MouseUp(ui::MouseButton button);
    void Image2_Click();

    Form1& main_;
    ProgramMenu& menu_;
};

inline constexpr const char* kProtectionOnTip = "基本防护已开启！";
inline constexpr const char* kProtectionOffTip = "防护已全部关闭！";

}  // namespace qv
