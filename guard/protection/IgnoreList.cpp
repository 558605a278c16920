#include "guard/protection/IgnoreList.h"

#include <exception>

#include "guard/main_window/Form1.h"
#include "guard/platform/ui/UiHost.h"

namespace qv {

namespace {

// The length of the UTF-8 character that starts at `at`; a stray byte counts alone.
size_t characterLength(std::string_view text, size_t at) {
    size_t end = at + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    return end - at;
}

}  // namespace

bool ignoreListHolds(std::string_view list, std::string_view entry) {
    for (size_t at = 0; at < list.size();) {
        size_t n = characterLength(list, at);
        if (list.substr(at, n) == entry) return true;
        at += n;
    }
    return false;
}

std::string ignoreListWithout(std::string_view list, std::string_view entry) {
    if (entry.empty()) return std::string(list);
    std::string kept;
    for (size_t at = 0; at < list.size();) {
        if (list.substr(at, entry.size()) == entry) {
            at += entry.size();
            continue;
        }
        size_t n = characterLength(list, at);
        kept += list.substr(at, n);
        at += n;
    }
    return kept;
}

IgnoreList::IgnoreList(Form1& form) : form_(form) {
    form.Command1.onClick = [this] { Command1_Click(); };
    form.Command2.onClick = [this] { Command2_Click(); };
    form.Command3.onClick = [this] { Command3_Click(); };
}

// A drive already on the list is refused with a notice, and the entry box keeps it.
void IgnoreList::Command1_Click() {
    const std::string entry = form_.Text1.text();
    if (entry.empty()) return;  // nothing to add, nothing to say
    if (ignoreListHolds(form_.Yhl.text(), entry)) {
        form_.host().messageBox("已存在的磁盘对象！", "提示", ui::MsgButtons::Ok);
        return;
    }
    form_.Yhl.setText(form_.Yhl.text() + entry);
    form_.Text1.setText("");
}

// Every copy goes at once: the threat dialog and the monitor append without a test.
void IgnoreList::Command2_Click() {
    try {
        form_.Yhl.setText(ignoreListWithout(form_.Yhl.text(), form_.Text1.text()));
        form_.Text1.setText("");
    } catch (const std::exception& error) {
        form_.host().messageBox(error.what(), "错误", ui::MsgButtons::Ok);
    }
}

void IgnoreList::Command3_Click() {
    if (form_.host().messageBox("确认清空已被忽略的磁盘？", "提示", ui::MsgButtons::OkCancel) !=
        ui::MsgAnswer::Ok) {
        return;
    }
    form_.Yhl.setText("");
}

}  // namespace qv
