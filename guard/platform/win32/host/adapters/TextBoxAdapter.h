#pragma once
// Text boxes: EDIT windows. What the user types goes to the model's type() (which cuts it
// to the maximum length, or refuses it in a locked box) and the window then shows the
// model's text; text set by code replaces the window's only when it differs, so the
// caret stays where the user left it, and a multi-line box keeps the line in view and the
// selection where the new text still has them.

#include "guard/platform/ui/Controls.h"
#include "guard/platform/win32/host/adapters/SystemWindowAdapter.h"

namespace qv::win32 {

class TextBoxAdapter final : public SystemWindowAdapter {
public:
    TextBoxAdapter(FormControls& form, ui::TextBox& box);
    std::optional<ui::Property> notified(int code) override;

protected:
    WindowSpec windowSpec() const override;
    void showContent() override;
    void show(ui::Property property) override;
    Colours colours() const override { return editColours(); }

private:
    void showText();
    void replaceKeepingView(const std::wstring& before, const std::wstring& after);

    ui::TextBox& box_;
};

}  // namespace qv::win32
