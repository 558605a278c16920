#include "guard/protection/IgnoreListButtons.h"

#include <exception>

#include "guard/main_window/Form1.h"
#include "guard/main_window/IgnoreList.h"
#include "guard/platform/ui/UiHost.h"

namespace qv {

IgnoreListButtons::IgnoreListButtons(Form1& form, IgnoreList& list) : form_(form), list_(list) {
    form.Command1.onClick = [this] { Command1_Click(); };
    form.Command2.onClick = [this] { Command2_Click(); };
    form.Command3.onClick = [this] { Command3_Click(); };
}

// A drive already on the list is refused with a notice, and the entry box keeps it.
void IgnoreListButtons::Command1_Click() {
    const std::string entry = form_.Text1.text();
    if (entry.empty()) return;  // nothing to add, nothing to say
    if (list_.holds(entry)) {
        form_.host().messageBox("已存在的磁盘对象！", "提示", ui::MsgButtons::Ok);
        return;
    }
    list_.add(entry);
    form_.Text1.setText("");
}

// Every copy goes at once: the threat dialog and the monitor add without asking.
void IgnoreListButtons::Command2_Click() {
    try {
        list_.remove(form_.Text1.text());
        form_.Text1.setText("");
    } catch (const std::exception& error) {
        form_.host().messageBox(error.what(), "错误", ui::MsgButtons::Ok);
    }
}

void IgnoreListButtons::Command3_Click() {
    if (form_.host().messageBox("确认清空已被忽略的磁盘？", "提示", ui::MsgButtons::OkCancel) !=
        ui::MsgAnswer::Ok) {
        return;
    }
    list_.clear();
}

}  // namespace qv
