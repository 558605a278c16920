#include "guard/monitor/Form7.h"

#include <cstddef>
#include <string>

#include "common/worms/VisibleText.h"
#include "guard/monitor/ShortcutCleaning.h"
#include "guard/platform/ui/UiHost.h"

namespace qv {

Form7::Form7(ui::UiHost& uiHost, platform::FileSystem& files, removal::DriveFileRemoval& removal,
             monitor::ProtectionLog& log, IgnoreList& ignoreList)
    : ui::Form(uiHost, "Form7"),
      files_(files),
      removal_(removal),
      log_(log),
      ignoreList_(ignoreList) {
    design();
    onPaint = [this] { host().setTopmost(*this); };
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { close(); };
}

namespace {

// What was found and what "立即清除" does, in lines of their own: Wine breaks a line of
// Chinese text only at a blank, or else cuts the last character of a line it has to break
// inside a word.
constexpr const char* kFoundWithHiddenItems =
    "U盘根目录中的下列快捷方式会运行病毒，它们冒充的文件和文件夹已被隐藏。\r\n"
    "“立即清除”删除这些快捷方式和它们运行的病毒文件（副本存入隔离区），\r\n"
    "并恢复显示被隐藏的文件和文件夹。";
constexpr const char* kFoundNothingHidden =
    "U盘根目录中的下列快捷方式会运行病毒。\r\n"
    "“立即清除”删除这些快捷方式和它们运行的病毒文件（副本存入隔离区）。";

}  // namespace

void Form7::design() {
    setCaption("发现快捷方式病毒！");
    setBorder(ui::FormBorder::FixedDialog);
    setStartPosition(ui::StartPosition::CenterScreen);
    setIcon("app");
    setBounds({0, 0, 7440, 5280});

    Label1.setBounds({180, 150, 6960, 900});
    Label1.setCaption(kFoundWithHiddenItems);
    Label1.setForeColor(ui::Color{0x0000C0});
    Text1.setBounds({180, 1110, 6960, 3030});
    Text1.setMultiLine(true);
    Text1.setLocked(true);
    Text1.setScrollBars(ui::ScrollBars::Vertical);
    Text1.setBorderStyle(ui::Border::FixedSingle);
    Command1.setBounds({2040, 4290, 1560, 450});
    Command1.setCaption("立即清除");
    Command1.setDefault(true);
    Command2.setBounds({3780, 4290, 1560, 450});
    Command2.setCaption("添加忽略");
    Command3.setBounds({5520, 4290, 1560, 450});
    Command3.setCaption("不做处理");
}

void Form7::setFindings(monitor::ShortcutWorm worm) {
    worm_ = std::move(worm);
    examined_.take(files_, worm_.root);
    Text1.setText(shortcutWormText(worm_));
    // Nothing to show again (shown before the worm was removed, or left for the last
    // batch): nothing to tell of hiding.
    Label1.setCaption(worm_.hiddenItems.empty() ? kFoundNothingHidden : kFoundWithHiddenItems);
}

// Cleans, then says what happened; the notice waits before the dialog closes.
void Form7::Command1_Click() {
    if (!examined_.unchangedOrTold(files_, host())) return close();
    monitor::CleaningReport report = monitor::cleanShortcutWorm(
        worm_, removal_, files_, log_, monitor::Remover::ShortcutWormDialog);
    host().messageBox(monitor::cleaningNotice(report), "提示", ui::MsgButtons::Ok);
    close();
}

// The drive letter goes at the end of the ignore list; the monitor passes the drive over.
void Form7::Command2_Click() {
    ignoreList_.add(worm_.root.substr(0, 1));
    close();
}

// The dialog's slot unloads it.
void Form7::close() {
    requestClose(ui::CloseReason::Code);
}

namespace {

// A command as the dialog shows it: made visible, and when longer than
// kLongestShownCommand bytes, its start and its end with its length said. A command that
// long is no user's, and a pass's worth of them (a megabyte) took the text box 40 s to lay
// out under Wine, with the dialog not yet shown. The end stays in sight: padding made
// visible may fill the start, and a worm puts what it runs after it.
constexpr std::size_t kShownCommandStart = 600;
constexpr std::size_t kShownCommandEnd = 400;
constexpr std::size_t kLongestShownCommand = kShownCommandStart + kShownCommandEnd;

bool continuesCharacter(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::string shownCommand(const std::string& command) {
    const std::string shown = worms::visibleText(command);
    if (shown.size() <= kLongestShownCommand) return shown;
    std::size_t startEnds = kShownCommandStart;
    while (startEnds > 0 && continuesCharacter(shown[startEnds])) --startEnds;
    std::size_t endBegins = shown.size() - kShownCommandEnd;
    while (endBegins < shown.size() && continuesCharacter(shown[endBegins])) ++endBegins;
    std::size_t characters = 0;
    for (char c : command) characters += !continuesCharacter(c);
    return shown.substr(0, startEnds) + "……" + shown.substr(endBegins) + "（共 " +
           std::to_string(characters) + " 个字符）";
}

}  // namespace

std::string shortcutWormText(const monitor::ShortcutWorm& worm) {
    std::string text;
    for (const monitor::WormShortcutFound& shortcut : worm.shortcuts) {
        text += "病毒快捷方式：" + worms::visibleText(shortcut.path) + "\r\n";
        text += "    运行：" + shownCommand(shortcut.command) + "\r\n";
        if (shortcut.payloads.empty()) text += "    病毒文件：（未在U盘上找到）\r\n";
        for (const std::string& payload : shortcut.payloads) {
            text += "    病毒文件：" + worms::visibleText(payload) + "\r\n";
        }
    }
    if (worm.moreLeft)
        text += "\r\nU盘上还有快捷方式未检查，清除以上病毒后的下一次扫描将检查它们。\r\n";
    text += "\r\n将恢复显示的隐藏项目：";
    if (worm.hiddenItems.empty()) text += "（无）";
    for (const std::string& item : worm.hiddenItems) text += "\r\n" + worms::visibleText(item);
    return text;
}

}  // namespace qv
