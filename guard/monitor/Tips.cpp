#include "guard/monitor/Tips.h"

#include "guard/platform/ui/UiHost.h"

namespace qv {

Tips::Tips(ui::UiHost& uiHost) : ui::Form(uiHost, "Tips") {
    setCaption("QVu盘卫士");
    setBorder(ui::FormBorder::None);
    setShowInTaskbar(false);
    setActivatesOnShow(false);
    setBackColor(0xE1FFFF);
    setBounds({0, 0, 3600, 600});

    Label1.setBounds({180, 180, 3300, 300});
    Label1.setBackColor(0xE1FFFF);
    Label1.setCaption("正在扫描新增盘...");
    Timer1.setInterval(1200);

    onLoad = [this] { Form_Load(); };
    Timer1.onTimer = [this] { Timer1_Timer(); };
}

// Flush with the top and right edges of the screen, above every window.
void Tips::Form_Load() {
    move(host().screenSize().width - bounds().width, 0);
    host().setTopmost(*this);
}

// The first tick shows the completion message; the second closes the toast. A deletion
// that failed keeps saying so instead of claiming success.
void Tips::Timer1_Timer() {
    ++step_;
    if (step_ == 1) {
        if (Label1.caption() == kToastDeleting) {
            Label1.setCaption(kToastDeleted);
        } else if (Label1.caption() != kToastDeleteFailed) {
            Label1.setCaption(kToastScanDone);
        }
        return;
    }
    step_ = 0;
    requestClose(ui::CloseReason::Code);  // its slot unloads it
}

}  // namespace qv
