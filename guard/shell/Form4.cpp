#include "guard/shell/Form4.h"

#include "common/GuardRuntimeFiles.h"
#include "guard/platform/ui/UiHost.h"
#include "guard/shell/ProcessList.h"
#include "guard/shell/TextLines.h"

namespace qv {

namespace {

constexpr const char* kTitle = "提示";
constexpr const char* kKilled = "指定进程结束成功！";
constexpr const char* kKillFailed = "进程结束失败！";

}  // namespace

Form4::Form4(ui::UiHost& uiHost, platform::FileSystem& files, platform::Processes& processes,
             platform::Folders& folders)
    : ui::Form(uiHost, "Form4"), files_(files), processes_(processes), folders_(folders) {
    design();
    Timer1.onTimer = [this] { Timer1_Timer(); };
    Timer2.onTimer = [this] { Timer2_Timer(); };
    Check1.onClick = [this] { Check1_Click(); };
    Text2.onChange = [this] { Text2_Change(); };
    Command1.onClick = [this] { Command1_Click(); };
    onResize = [this] { Form_Resize(); };
}

Form4::~Form4() = default;

void Form4::design() {
    setCaption("QV进程管理器 By:林青木");
    setBorder(ui::FormBorder::Sizable);
    setMaxButton(true);
    setStartPosition(ui::StartPosition::CenterScreen);
    setIcon("tool_process");
    setClientSize({10995, 5985});

    Text1.setBounds({120, 120, 10755, 4785});
    Text1.setMultiLine(true);
    Text1.setScrollBars(ui::ScrollBars::Vertical);
    Text1.setLocked(true);
    Text1.setBorderStyle(ui::Border::FixedSingle);
    Text1.setText("正在获取进程列表...");
    // The task-list tool prints columns padded with blanks: they line up only when every
    // character is as wide as the next. 新宋体 is the fixed-pitch face of a Chinese system.
    Text1.setFont({.face = "新宋体", .fixedPitch = true});
    Label1.setBounds({120, 5160, 3480, 240});
    Label1.setCaption("请输入需结束进程的程序的PID：");
    Text2.setBounds({3480, 5160, 735, 270});
    Text2.setBorderStyle(ui::Border::FixedSingle);
    Text2.setDigitsOnly(true);
    Command1.setBounds({4320, 5055, 1335, 375});
    Command1.setCaption("结束此进程");
    Check1.setBounds({5760, 5160, 1935, 255});
    Check1.setCaption("自动刷新进程列表");
    Check1.setValue(1);
    Check1.setEnabled(false);
    Timer1.setInterval(1200);
    Timer1.setEnabled(true);
    Timer2.setInterval(kKillPollMs);
    Timer2.setEnabled(false);
}

// Shows what the capture file holds now and starts the next capture; a file that is
// missing or still held by the capture leaves everything as it is until the next tick.
void Form4::Timer1_Timer() {
    Capture last = lastCapture();
    if (last == Capture::Running) return;
    if (last == Capture::Ended) {
        std::optional<std::string> capture = files_.readText(runtime_files::kProcessListCapture);
        if (capture) {
            Text1.setText(text::linesEndedByCrLf(*capture));
            Check1.setEnabled(true);
        }
    }
    startCapture();
}

// A capture that failed has said so in the list.
Form4::Capture Form4::lastCapture() {
    if (!capture_) return Capture::Ended;
    std::optional<unsigned long> exitCode = capture_->exitCode();
    if (!exitCode) {
        captureWaitedMs_ += Timer1.interval();
        if (captureWaitedMs_ < kCaptureWaitMs) return Capture::Running;
        // Ended, so that the next capture starts now; one that cannot be ended is waited for.
        const bool ended = capture_->end();
        Text1.setText(process_list::captureFailedText(
            "任务列表程序 tasklist.exe 在 " + std::to_string(kCaptureWaitMs / 1000) +
            " 秒内没有结束" + (ended ? "，已将其结束。" : "，也无法结束它。")));
        if (!ended) return Capture::Running;
        capture_.reset();
        return Capture::Failed;
    }
    capture_.reset();
    if (*exitCode == 0 && files_.fileExists(runtime_files::kProcessListCapture)) {
        return Capture::Ended;
    }
    // Ended without the file. With an exit code of 0 the command interpreter could not
    // write it (its redirection was refused): that code is not shown, it would only confuse.
    const std::string path =
        platform::inFolder(folders_.dataFolder(), runtime_files::kProcessListCapture);
    Text1.setText(process_list::captureFailedText(
        *exitCode == 0
            ? "任务列表程序 tasklist.exe 已运行结束，但没能把进程列表写入“" + path + "”。"
            : "任务列表程序 tasklist.exe 没能把进程列表写入“" + path + "”（退出代码 " +
                  std::to_string(*exitCode) + "）。"));
    return Capture::Failed;
}

void Form4::startCapture() {
    const std::string cmd = platform::systemTool(folders_, "cmd.exe");
    platform::WatchedStart started = processes_.startWatched(
        process_list::captureCommand(cmd, platform::systemTool(folders_, "tasklist.exe")),
        platform::WindowMode::Hidden);
    if (!started.status.ok()) {
        Text1.setText(process_list::captureFailedText("无法启动命令解释器“" + cmd + "”。原因：" +
                                                      started.status.description()));
        return;
    }
    capture_ = std::move(started.program);
    captureWaitedMs_ = 0;
}

void Form4::Check1_Click() {
    Timer1.setEnabled(Check1.ticked());
}

// Setting the text it already holds runs nothing, so this settles at once.
void Form4::Text2_Change() {
    Text2.setText(process_list::normalisedPid(Text2.text()));
}

void Form4::Command1_Click() {
    if (Text2.text().empty()) {
        host().messageBox("请输入指定进程的PID！", kTitle, ui::MsgButtons::Ok);
        return;
    }
    if (host().messageBox("你确定结束该进程吗？", kTitle, ui::MsgButtons::OkCancel) !=
        ui::MsgAnswer::Ok) {
        return;
    }
    platform::WatchedStart started = processes_.startWatched(
        process_list::killCommand(platform::systemTool(folders_, "taskkill.exe"), Text2.text()),
        platform::WindowMode::Hidden);
    if (!started.status.ok() || !started.program) {
        host().messageBox(kKillFailed, kTitle, ui::MsgButtons::Ok);
        return;
    }
    // One kill at a time: the button waits with the tool.
    kill_ = std::move(started.program);
    killWaitedMs_ = 0;
    Command1.setEnabled(false);
    Timer2.setEnabled(true);
    Timer2_Timer();  // a tool that has already ended is told at once
}

// The tool's exit status tells whether the process was ended (0) or not.
void Form4::Timer2_Timer() {
    if (!kill_) return;
    std::optional<unsigned long> exitCode = kill_->exitCode();
    if (!exitCode && killWaitedMs_ < kKillWaitMs) {
        killWaitedMs_ += kKillPollMs;
        return;
    }
    reportKill(exitCode && *exitCode == 0);
}

void Form4::reportKill(bool ended) {
    // The watch stops before the box: timers keep ticking while it is open.
    Timer2.setEnabled(false);
    kill_.reset();
    Command1.setEnabled(true);
    host().messageBox(ended ? kKilled : kKillFailed, kTitle, ui::MsgButtons::Ok);
}

// The list fills the window and the bottom row follows its lower edge. A size that would
// come out negative (a tiny or minimised window) is left as it was; the rest still moves.
void Form4::Form_Resize() {
    ui::Rect outer = bounds();
    if (outer.width - 350 >= 0) Text1.setWidth(outer.width - 350);
    if (outer.height - 1200 >= 0) Text1.setHeight(outer.height - 1200);
    ui::Twips row = Text1.bounds().height + 255;
    Label1.setTop(row);
    Text2.setTop(row);
    Command1.setTop(row - 105);
    Check1.setTop(row);
}

}  // namespace qv
