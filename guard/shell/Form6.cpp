#include "guard/shell/Form6.h"

#include <string>

#include "guard/main_window/Site.h"
#include "guard/shell/LinkCommands.h"
#include "guard/shell/TextLines.h"

namespace qv {

namespace {

ui::Font songTi(double points) {
    return {"宋体", points, false};
}

}  // namespace

Form6::Form6(ui::UiHost& uiHost, platform::FileSystem& files, platform::Processes& processes,
             platform::Folders& folders)
    : ui::Form(uiHost, "Form6"), files_(files), processes_(processes), folders_(folders) {
    design();
    onLoad = [this] { Form_Load(); };
    Timer1.onTimer = [this] { Timer1_Timer(); };
    Label3.onClick = [this] { Label3_Click(); };
}

void Form6::design() {
    setCaption("QVu盘卫士");
    setBorder(ui::FormBorder::None);
    setShowInTaskbar(false);
    setStartPosition(ui::StartPosition::CenterScreen);
    setIcon("app");
    setClientSize({6000, 4005});

    Image1.setBounds({0, 0, 6000, 4000});
    Image1.setPicture("welcome");
    Image2.setBounds({360, 360, 735, 735});
    Image2.setPicture("logo");

    // Designed 2385 × 525; the title's face is often replaced by a wider and taller one
    // (Wine draws 宋体 with another CJK font), so the label reaches to the author line on
    // its right and to the link below it, never cut.
    Label1.setBounds({1200, 360, 2880, 600});
    Label1.setCaption("QVu盘卫士");
    Label1.setForeColor(0x008000);
    Label1.setFont(songTi(26.25));
    Label2.setBounds({4080, 480, 1590, 315});
    Label2.setCaption("[青木作品]");
    Label2.setForeColor(0x0040C0);
    Label2.setFont(songTi(15.75));
    Label3.setBounds({1200, 960, 4455, 255});
    Label3.setCaption(std::string("云桥 - 电脑技术学习中心 ") + site::kForumAddress);
    Label3.setForeColor(0x00FFFF);
    Label3.setCursor(ui::Cursor::Hand);
    Banbenxx.setBounds({1680, 1680, 3975, 2055});
    Banbenxx.setCaption("获取版本失败！");
    Banbenxx.setFont(songTi(12));

    Timer1.setInterval(2500);
    Timer1.setEnabled(true);
}

// The version text, shown as the file says it; a file that cannot be read leaves the
// design caption.
void Form6::Form_Load() {
    std::optional<std::string> version =
        files_.readText(platform::shippedFile(folders_, kVersionFile));
    if (!version) return;
    Banbenxx.setCaption(text::linesEndedByCrLf(*version));
}

void Form6::Timer1_Timer() {
    requestClose(ui::CloseReason::Code);  // its slot unloads it
}

void Form6::Label3_Click() {
    (void)processes_.start(links::forumHome(links::toolsIn(folders_), site::kForumAddress),
                           platform::WindowMode::Hidden);
}

}  // namespace qv
