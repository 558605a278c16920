#include "guard/protection/MasterSwitches.h"

#include "guard/main_window/Form1.h"
#include "guard/platform/ui/UiHost.h"

namespace qv::protection {

MasterSwitches::MasterSwitches(Form1& form) : form_(form) {
    form.Command4.onClick = [this] { Command4_Click(); };
    form.Command5.onClick = [this] { Command5_Click(); };
}

void MasterSwitches::Command4_Click() {
    for (ui::CheckBox* box : {&form_.JcbdUp, &form_.Jcbdyp, &form_.Jcbdgp, &form_.Jcbdxncp}) {
        box->setValue(1);
    }
}

void MasterSwitches::Command5_Click() {
    if (form_.host().messageBox("你确认关闭所有防护？", "提示", ui::MsgButtons::OkCancel) !=
        ui::MsgAnswer::Ok) {
        return;
    }
    for (ui::CheckBox* box : {&form_.JcbdUp, &form_.Jcbdyp, &form_.Jcbdgp, &form_.Jcbdxncp}) {
        box->setValue(0);
    }
}

}  // namespace qv::protection
