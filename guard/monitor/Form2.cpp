#include "guard/monitor/Form2.h"

#include <charconv>

#include "guard/app/Guard.h"
#include "guard/main_window/Form1.h"
#include "guard/monitor/AutorunFile.h"
#include "guard/monitor/ProtectionLog.h"

namespace qv {

namespace {

constexpr const char* kCountdownStart = "30";

// The numeric value of a text as a plain integer reader takes it: leading digits, else 0.
int numericValue(const std::string& text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// A text box that reads as a caption: no border, not editable.
void asCaption(ui::TextBox& box, ui::Rect bounds, std::string text) {
    box.setBounds(bounds);
    box.setLocked(true);
    box.setText(std::move(text));
}

}  // namespace

Form2::Form2(Guard& guard) : ui::Form(guard.host(), "Form2"), guard_(guard) {
    design();
    onLoad = [this] { Form_Load(); };
    onPaint = [this] { host().setTopmost(*this); };
    Szwz.onChange = [this] { Szwz_Change(); };
    Timer1.onTimer = [this] { Timer1_Timer(); };
    Ljsc.onClick = [this] { Ljsc_Click(); };
    Hl.onClick = [this] { Hl_Click(); };
}

void Form2::design() {
    setCaption("QVu盘卫士发现威胁！");
    setBorder(ui::FormBorder::FixedDialog);
    setStartPosition(ui::StartPosition::CenterScreen);
    setIcon("app");
    setBounds({0, 0, 5520, 3300});

    asCaption(Text2, {180, 195, 1020, 270}, "所在位置：");
    Szwz.setBounds({1200, 150, 3960, 330});
    Szwz.setLocked(true);
    Szwz.setBorderStyle(ui::Border::FixedSingle);
    asCaption(Text3, {180, 615, 1020, 270}, "关联文件：");
    Glwj.setBounds({1200, 570, 3960, 330});
    Glwj.setLocked(true);
    Glwj.setBorderStyle(ui::Border::FixedSingle);
    Glwj.setText(kUnknownAssociatedFile);
    scwj.setBounds({1200, 990, 3000, 300});
    scwj.setCaption("同时删除关联文件");

    asCaption(Text1, {180, 1410, 4980, 540},
              "大多数U盘木马都是通过Autorun.inf来传播的\r\n，可能存在威胁！(推荐删除)\r\n");
    Text1.setMultiLine(true);
    Text1.setForeColor(ui::Color{0x0000C0});

    Jstxt.setBounds({180, 2235, 420, 330});
    Jstxt.setLocked(true);
    Jstxt.setBorderStyle(ui::Border::FixedSingle);
    Jstxt.setText(kCountdownStart);
    asCaption(Text5, {660, 2280, 1260, 270}, "秒后自动处理");
    Hl.setBounds({2040, 2160, 1500, 450});
    Hl.setCaption("添加忽略");
    Ljsc.setBounds({3660, 2160, 1500, 450});
    Ljsc.setCaption("立即删除");

    Timer1.setInterval(1000);
}

void Form2::Form_Load() {
    Form1& main = guard_.form1();
    if (main.Cscl.value() == 0) Timer1.setEnabled(false);
    if (main.Mrgl.value() == 1) scwj.setValue(1);
}

// Runs once per opening, when the caller names the file.
void Form2::Szwz_Change() {
    std::optional<std::string> command;
    if (auto text =
            guard_.services().files.readTextStart(Szwz.text(), monitor::kAutorunReadLimit)) {
        command = monitor::openCommand(*text);
    }
    associatedFound_ = command.has_value();
    if (command) {
        Glwj.setText(*command);
    } else {
        scwj.setVisible(false);
    }
}

// 30, 29, ..., 0 one step a second; the tick that finds 0 deletes.
void Form2::Timer1_Timer() {
    if (Jstxt.text() == "0") {
        Ljsc_Click();
        return;
    }
    Jstxt.setText(std::to_string(numericValue(Jstxt.text()) - 1));
}

void Form2::Ljsc_Click() {
    platform::FileSystem& files = guard_.services().files;
    const bool keepLog = guard_.form1().Jlrz.ticked();
    const std::string autorun = Szwz.text();
    if (files.deleteFile(autorun).ok() && keepLog) guard_.protectionLog().recordDeletion(autorun);

    if (associatedFound_ && scwj.ticked()) {
        // The name comes from the drive itself: only a plain file on that same drive is
        // ever deleted, never one a crafted name points at elsewhere.
        if (auto path = monitor::associatedFilePath(autorun, Glwj.text())) {
            if (files.deleteFileOnDrive(*path).ok() && keepLog) {
                guard_.protectionLog().recordDeletion(*path);
            }
        }
    }
    close();
}

// The drive letter goes at the end of the ignore list; the monitor passes the drive over.
void Form2::Hl_Click() {
    ui::TextBox& ignored = guard_.form1().Yhl;
    ignored.setText(ignored.text() + Szwz.text().substr(0, 1));
    close();
}

void Form2::close() {
    guard_.unloadForm2();
}

}  // namespace qv
