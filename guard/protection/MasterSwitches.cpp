#include "guard/protection/MasterSwitches.h"

#include "guard/app/Guard.h"
#include "guard/main_window/Form1.h"
#include "guard/main_window/MonitorOptions.h"
#include "guard/shell/Form3.h"

namespace qv::protection {

MasterSwitches::MasterSwitches(Guard& guard) : guard_(guard) {
    Form1& main = guard.form1();
    main.df.onChange = [this] { df_Change(); };
    main.Command4.onClick = [this] { Command4_Click(); };
    main.Command5.onClick = [this] { Command5_Click(); };
}

void MasterSwitches::df_Change() {
    Form1& main = guard_.form1();
    const bool allOff = leadingNumber(main.df.caption()) == kScoreAllOff;
    main.Jstm.setEnabled(!allOff);
    guard_.form3().showProtectionState(allOff);
}

void MasterSwitches::Command4_Click() {
    Form1& main = guard_.form1();
    for (ui::CheckBox* box : {&main.JcbdUp, &main.Jcbdyp, &main.Jcbdgp, &main.Jcbdxncp}) {
        box->setValue(1);
    }
}

void MasterSwitches::Command5_Click() {
    if (guard_.host().messageBox("你确认关闭所有防护？", "提示", ui::MsgButtons::OkCancel) !=
        ui::MsgAnswer::Ok) {
        return;
    }
    Form1& main = guard_.form1();
    for (ui::CheckBox* box : {&main.JcbdUp, &main.Jcbdyp, &main.Jcbdgp, &main.Jcbdxncp}) {
        box->setValue(0);
    }
}

}  // namespace qv::protection
