#include "guard/shell/LifecycleMenu.h"

#include "guard/platform/ui/UiHost.h"

namespace qv {

void LifecycleMenu::attach(const ProgramMenuItems& menu) {
    menu.Xianshi.onClick = [this, &owner = menu.owner] { Xianshi_Click(owner); };
    menu.Tuichu.onClick = [this] { Tuichu_Click(); };
}

// The menu's owner goes too (its slot unloads it); it is loaded again when its menu or its
// dialog is needed.
void LifecycleMenu::Xianshi_Click(ui::Form& menuOwner) {
    main_.show();
    badge_.hide();
    menuOwner.requestClose(ui::CloseReason::Code);
}

void LifecycleMenu::Tuichu_Click() {
    ui::UiHost& host = main_.host();
    if (host.messageBox(kExitQuestion, "提示", ui::MsgButtons::OkCancel) != ui::MsgAnswer::Ok) {
        return;
    }
    host.endProcess();
}

}  // namespace qv
