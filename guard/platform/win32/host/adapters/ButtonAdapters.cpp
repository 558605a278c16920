#include "guard/platform/win32/host/adapters/ButtonAdapters.h"

#include "common/win32/Text.h"

namespace qv::win32 {

namespace {

int checkState(int value) {
    if (value == 1) return BST_CHECKED;
    if (value == 2) return BST_INDETERMINATE;
    return BST_UNCHECKED;
}

}  // namespace

ButtonAdapter::ButtonAdapter(FormControls& form, ui::Control& control, DWORD style)
    : SystemWindowAdapter(form, control), style_(style) {}

ControlAdapter::WindowSpec ButtonAdapter::windowSpec() const {
    return {L"BUTTON", style_ | BS_MULTILINE | WS_TABSTOP, 0, toWide(control().caption())};
}

std::optional<ui::Property> ButtonAdapter::notified(int code) {
    if (code != BN_CLICKED) return std::nullopt;
    control().click();
    return ui::Property::Value;
}

// BS_3STATE: the box never ticks itself; the model's click does.
CheckBoxAdapter::CheckBoxAdapter(FormControls& form, ui::CheckBox& box)
    : ButtonAdapter(form, box, BS_3STATE), box_(box) {}

void CheckBoxAdapter::showContent() {
    show(ui::Property::Value);
}

void CheckBoxAdapter::show(ui::Property property) {
    if (property == ui::Property::Value) {
        SendMessageW(window(), BM_SETCHECK, checkState(box_.value()), 0);
        return;
    }
    ButtonAdapter::show(property);
}

// BS_RADIOBUTTON: the button never selects itself; the model's click does.
OptionButtonAdapter::OptionButtonAdapter(FormControls& form, ui::OptionButton& option)
    : ButtonAdapter(form, option, BS_RADIOBUTTON), option_(option) {}

void OptionButtonAdapter::showContent() {
    show(ui::Property::Value);
}

void OptionButtonAdapter::show(ui::Property property) {
    if (property == ui::Property::Value) {
        SendMessageW(window(), BM_SETCHECK, option_.value() ? BST_CHECKED : BST_UNCHECKED, 0);
        return;
    }
    ButtonAdapter::show(property);
}

// The form's default button is drawn as one (BS_DEFPUSHBUTTON); the host names it to
// Return (DM_GETDEFID).
CommandButtonAdapter::CommandButtonAdapter(FormControls& form, ui::CommandButton& button)
    : ButtonAdapter(form, button, button.isDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) {}

}  // namespace qv::win32
