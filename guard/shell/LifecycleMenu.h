#pragma once
// The two items of the pop-up menu that concern the main window and the program itself:
// "显示主窗体" brings the main window back in place of the badge, and "退出", once
// confirmed, ends the process at once. This is the one place where the user ends the
// guard: nothing is saved and no window's close handling runs, whatever is open.

namespace qv {

class Form5;
class Guard;

class LifecycleMenu {
public:
    explicit LifecycleMenu(Guard& guard) : guard_(guard) {}

    // Wires the items of the menu `Cd` of a newly loaded `Form5`.
    void attach(Form5& menuOwner);

    void Xianshi_Click();
    void Tuichu_Click();

private:
    Guard& guard_;
};

inline constexpr const char* kExitQuestion = "你确定退出QVu盘卫士？退出后将失去QVu盘卫士的保护！";

}  // namespace qv
