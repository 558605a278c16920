#include "guard/monitor/Form2.h"

#include <charconv>
#include <vector>

#include "common/removal/RemovalTexts.h"
#include "guard/main_window/Form1.h"
#include "guard/monitor/AutorunFile.h"
#include "guard/platform/ui/UiHost.h"

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
    box.setBorderStyle(ui::Border::None);
    box.setBackColor(ui::kSystemFaceColor);
    box.setText(std::move(text));
}

}  // namespace

Form2::Form2(ui::UiHost& uiHost, Form1& main, platform::FileSystem& files,
             removal::DriveFileRemoval& removal, monitor::ProtectionLog& log,
             IgnoreList& ignoreList)
    : ui::Form(uiHost, "Form2"),
      main_(main),
      files_(files),
      removal_(removal),
      log_(log),
      ignoreList_(ignoreList) {
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
    setBounds({0, 0, 5520, 3420});

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

    asCaption(Text1, {180, 1380, 4980, 720},
              "大多数U盘木马都是通过Autorun.inf来传播的\r\n，可能存在威胁！(推荐删除)\r\n");
    Text1.setMultiLine(true);
    Text1.setForeColor(ui::Color{0x0000C0});

    Jstxt.setBounds({180, 2355, 420, 330});
    Jstxt.setLocked(true);
    Jstxt.setBorderStyle(ui::Border::FixedSingle);
    Jstxt.setText(kCountdownStart);
    asCaption(Text5, {660, 2400, 1260, 270}, "秒后自动处理");
    Hl.setBounds({2040, 2280, 1500, 450});
    Hl.setCaption("添加忽略");
    Ljsc.setBounds({3660, 2280, 1500, 450});
    Ljsc.setCaption("立即删除");

    Timer1.setInterval(1000);
}

void Form2::Form_Load() {
    if (main_.Cscl.value() == 0) Timer1.setEnabled(false);
    if (main_.Mrgl.value() == 1) scwj.setValue(1);
}

// Runs once per opening, when the caller names the file.
void Form2::Szwz_Change() {
    examined_.take(files_, Szwz.text());
    std::optional<monitor::AutorunProgram> program;
    if (auto bytes = files_.readBytes(Szwz.text(), monitor::kAutorunReadLimit)) {
        std::string text = monitor::autorunText(
            *bytes, [this](std::string_view ansi) { return files_.ansiToText(ansi); });
        program = monitor::autorunProgram(Szwz.text(), text);
    }
    associated_.clear();
    if (program) {
        Glwj.setText(program->command);
        // The names come from the drive itself: the box is offered only for plain files on
        // that same drive that are there, and that the removal will take as they are: never
        // one reached through a link, which it refuses.
        for (std::string& file : program->files) {
            removal::Found found = removal::Found::Nothing;
            if (removal_.files().findOnDrive(file, found).ok() && found == removal::Found::File) {
                associated_.push_back(std::move(file));
            }
        }
    }
    if (associated_.empty()) scwj.setVisible(false);
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
    // The countdown must not delete again while the notice below is open.
    Timer1.setEnabled(false);
    if (!examined_.unchangedOrTold(files_, host())) return close();
    std::vector<std::string> paths = {Szwz.text()};
    if (scwj.ticked()) paths.insert(paths.end(), associated_.begin(), associated_.end());
    std::vector<removal::NotRemoved> stays;
    for (const std::string& path : paths) {
        removal::RemovalResult result = removal_.remove(path);
        if (result.removed()) log_.removed(path, monitor::Remover::ThreatDialog);
        if (!result.gone()) stays.push_back({path, result.reason()});
    }
    if (!stays.empty()) {
        host().messageBox(removal::notRemovedText(stays), "错误", ui::MsgButtons::Ok);
    }
    close();
}

// The drive letter goes at the end of the ignore list; the monitor passes the drive over.
void Form2::Hl_Click() {
    ignoreList_.add(Szwz.text().substr(0, 1));
    close();
}

// The dialog's slot unloads it.
void Form2::close() {
    requestClose(ui::CloseReason::Code);
}

}  // namespace qv
