#pragma once
// The process manager: the list of running processes as the system's task-list tool
// prints it, refreshed every 1200 ms while automatic refresh is on, and the end of a
// process whose PID the user types.
//
// Opening it again while it is open brings it to the front. Polling: each tick of Timer1
// shows what Jincheng.qvjc holds at that moment, normally the capture of the tick before,
// and starts the next capture once the last one has ended (never two at a time). A capture
// that could not start, that ended with an error or without leaving a file to read, or
// that has not ended after kCaptureWaitMs (it is then ended, with the tool it started), is
// told in the list instead of leaving "正在获取进程列表..." there for good; the next tick
// tries again. Ending a process starts
// the task-kill tool and then watches it on Timer2, so the window stays responsive; the
// outcome is told once the tool has ended, and a tool that has not ended after kKillWaitMs
// counts as failed. The tools are the system's, by full path.
// Everything runs on the user-interface thread; the window lives from its first opening
// until its close box unloads it, its timers with it.
//
// Its controls:
//   Text1     the process list, in a fixed-pitch font
//   Text2     the PID of the process to end, digits only (Label1 asks for it)
//   Command1  "结束此进程": ends that process
//   Check1    "自动刷新进程列表": refresh the list every tick
//   Timer1    the refresh
//   Timer2    watches the task-kill tool until it has ended

#include <memory>

#include "guard/platform/FileSystem.h"
#include "guard/platform/Folders.h"
#include "guard/platform/Processes.h"
#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"

namespace qv {

class Form4 : public ui::Form {
public:
    static constexpr int kKillPollMs = 100;
    static constexpr int kKillWaitMs = 5000;
    static constexpr int kCaptureWaitMs = 10000;

    // The services outlive the window.
    Form4(ui::UiHost& uiHost, platform::FileSystem& files, platform::Processes& processes,
          platform::Folders& folders);
    ~Form4() override;

    ui::TextBox Text1{*this, "Text1"};
    ui::Label Label1{*this, "Label1"};
    ui::TextBox Text2{*this, "Text2"};
    ui::CommandButton Command1{*this, "Command1"};
    ui::CheckBox Check1{*this, "Check1"};
    ui::Timer Timer1{*this, "Timer1"};
    ui::Timer Timer2{*this, "Timer2"};

private:
    void design();
    void Timer1_Timer();
    void Timer2_Timer();
    void Check1_Click();
    void Text2_Change();
    void Command1_Click();
    void Form_Resize();
    void reportKill(bool ended);
    enum class Capture { Running, Ended, Failed };
    // How the last capture stands; one that failed is told in the list.
    Capture lastCapture();
    void startCapture();

    platform::FileSystem& files_;
    platform::Processes& processes_;
    platform::Folders& folders_;
    std::unique_ptr<platform::WatchedProgram> capture_;
    int captureWaitedMs_ = 0;
    std::unique_ptr<platform::WatchedProgram> kill_;
    int killWaitedMs_ = 0;
};

}  // namespace qv
