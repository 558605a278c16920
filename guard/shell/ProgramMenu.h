#pragma once
// The program's pop-up menu `Cd`, which the badge opens. Its window is the suspicious-file
// dialog Form5, a window of the monitor (a part beside the shell) that is loaded on use:
// app opens it for the badge, and hands the shell the items of every newly loaded one.

#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"

namespace qv {

// The items of one loaded menu, and the window that owns them.
struct ProgramMenuItems {
    ui::Form& owner;
    ui::MenuItem& Xianshi;     // "显示主窗体"
    ui::MenuItem& Jinchenggl;  // "进程管理"
    ui::MenuItem& wjll;        // "文件浏览"
    ui::MenuItem& Chakan;      // "防护日志"
    ui::MenuItem& PIfgg;       // "皮肤更换"
    ui::MenuItem& Tuichu;      // "退出"
};

class ProgramMenu {
public:
    // The menu, its window loaded first when needed.
    virtual ui::Menu& menu() = 0;

protected:
    ~ProgramMenu() = default;
};

}  // namespace qv
