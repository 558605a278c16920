#pragma once
// The toast: a small window in the top-right corner of the screen with a one-line message,
// which turns into a completion message after a moment and then closes by itself. It
// never takes the keyboard and never waits. Shown through MonitorWindows::showToast.
//
// Its controls:
//   Label1  the message
//   Timer1  the toast's steps: the completion message, then closing

#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"

namespace qv {

inline constexpr const char* kToastScanning = "正在扫描插入的U盘...";
inline constexpr const char* kToastScanDone = "新增盘扫描已完成!";
inline constexpr const char* kToastDeleting = "发现威胁，正在删除...";
inline constexpr const char* kToastDeleted = "威胁处理成功！";
inline constexpr const char* kToastDeleteFailed = "威胁删除失败，文件无法删除！";

class Tips : public ui::Form {
public:
    explicit Tips(ui::UiHost& uiHost);

    ui::Label Label1{*this, "Label1"};
    ui::Timer Timer1{*this, "Timer1"};

private:
    void Form_Load();
    void Timer1_Timer();

    int step_ = 0;
};

}  // namespace qv
