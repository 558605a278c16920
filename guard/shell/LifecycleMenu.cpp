#include "guard/shell/LifecycleMenu.h"

#include "guard/app/Guard.h"
#include "guard/main_window/Form1.h"
#include "guard/monitor/Form5.h"
#include "guard/shell/Form3.h"

namespace qv {

void LifecycleMenu::attach(Form5& menuOwner) {
    menuOwner.Xianshi.onClick = [this] { Xianshi_Click(); };
    menuOwner.Tuichu.onClick = [this] { Tuichu_Click(); };
}

// The menu's owner goes too; it is loaded again when its menu or its dialog is needed.
void LifecycleMenu::Xianshi_Click() {
    guard_.form1().show();
    guard_.form3().hide();
    guard_.unloadForm5();
}

void LifecycleMenu::Tuichu_Click() {
    ui::UiHost& host = guard_.host();
    if (host.messageBox(kExitQuestion, "提示", ui::MsgButtons::OkCancel) != ui::MsgAnswer::Ok) {
        return;
    }
    host.endProcess();
}

}  // namespace qv
