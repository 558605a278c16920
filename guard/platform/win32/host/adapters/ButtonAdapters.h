#pragma once
// Check boxes, option buttons and command buttons: BUTTON windows that never change their
// own state. A click is passed to the model's click(), which decides what it means (a
// check box toggles, an option button selects itself and clears its group), and the
// window then shows the value the model holds.

#include "guard/platform/ui/Controls.h"
#include "guard/platform/win32/host/adapters/SystemWindowAdapter.h"

namespace qv::win32 {

class ButtonAdapter : public SystemWindowAdapter {
public:
    std::optional<ui::Property> notified(int code) override;

protected:
    // `style` is the button's type (BS_3STATE ...); every button breaks long captions.
    ButtonAdapter(FormControls& form, ui::Control& control, DWORD style);
    WindowSpec windowSpec() const override;

private:
    DWORD style_;
};

class CheckBoxAdapter final : public ButtonAdapter {
public:
    CheckBoxAdapter(FormControls& form, ui::CheckBox& box);

protected:
    void showContent() override;
    void show(ui::Property property) override;

private:
    ui::CheckBox& box_;
};

class OptionButtonAdapter final : public ButtonAdapter {
public:
    OptionButtonAdapter(FormControls& form, ui::OptionButton& option);

protected:
    void showContent() override;
    void show(ui::Property property) override;

private:
    ui::OptionButton& option_;
};

class CommandButtonAdapter final : public ButtonAdapter {
public:
    CommandButtonAdapter(FormControls& form, ui::CommandButton& button);
};

}  // namespace qv::win32
