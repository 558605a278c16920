#pragma once
// A window host that shows nothing and answers every dialog at once by closing it, so
// that a benchmark can run the guard's passes back to back.

#include "guard/platform/ui/Form.h"
#include "guard/platform/ui/UiHost.h"

namespace qv::bench {

class BenchHost : public ui::UiHost {
public:
    void showForm(ui::Form&) override {}
    void showModal(ui::Form& form) override { form.requestClose(ui::CloseReason::UserClose); }
    void hideForm(ui::Form&) override {}
    void activateForm(ui::Form&) override {}
    void formDestroyed(ui::Form&) override {}
    void formChanged(ui::Form&, ui::Property) override {}
    void controlChanged(ui::Control&, ui::Property) override {}
    void timerChanged(ui::Timer&) override {}
    void timerDestroyed(ui::Timer&) override {}
    ui::MsgAnswer messageBox(const std::string&, const std::string&, ui::MsgButtons) override {
        return ui::MsgAnswer::Ok;
    }
    void popupMenu(ui::Menu&, ui::Form&) override {}
    void setTopmost(ui::Form&) override {}
    void beginDrag(ui::Form&) override {}
    ui::Size screenSize() override { return {19200, 12000}; }
    void hideFromTaskList() override {}
    void endProcess() override {}
};

}  // namespace qv::bench
