#pragma once
// The window host of the native tests. It shows nothing: it records what the program asks
// of the windows, answers message boxes, modal dialogs and pop-up menus from what the test
// scripted, fails the test on any box or dialog the test did not expect, and runs the
// timers on a manual clock that the test advances.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"
#include "guard/platform/ui/UiHost.h"

namespace qv::test {

class HeadlessHost : public ui::UiHost {
public:
    struct Box {
        std::string text;
        std::string title;
        ui::MsgButtons buttons;
    };
    using ModalResponder = std::function<void(ui::Form&)>;
    using MenuResponder = std::function<void(ui::Menu&)>;

    ~HeadlessHost() override;

    // Scripting. Expected boxes are answered in order; the text must match. `whileOpen`
    // runs while the box is open, before it is answered (the user leaves it open a while).
    void expectMessageBox(std::string text, ui::MsgAnswer answer,
                          std::function<void()> whileOpen = {});
    // The next modal showing of the form named `formName` runs `responder`, which is to
    // close it (click a button, advance the clock ...).
    void expectModal(std::string formName, ModalResponder responder);
    void expectPopupMenu(MenuResponder responder);
    // True when every scripted box, dialog and menu has been used.
    bool allExpectationsMet() const;

    // The manual clock: runs every timer that falls due within `milliseconds`, in order.
    void advance(std::int64_t milliseconds);
    std::int64_t now() const { return now_; }

    // What happened.
    const std::vector<Box>& boxes() const { return boxes_; }
    // "show Form3", "hide Form1", "activate Form4", "modal Form2", ...
    const std::vector<std::string>& log() const { return log_; }
    int dragsStarted() const { return drags_; }
    bool hiddenFromTaskList() const { return hiddenFromTaskList_; }
    bool ended() const { return ended_; }
    const std::vector<std::string>& topmostRequests() const { return topmost_; }

    ui::Size screen{19200, 12000};  // 1280 x 800 pixels at 96 dpi

    // UiHost
    void showForm(ui::Form& form) override;
    void showModal(ui::Form& form) override;
    void hideForm(ui::Form& form) override;
    void activateForm(ui::Form& form) override;
    void formDestroyed(ui::Form& form) override;
    void formChanged(ui::Form&, ui::Property) override {}
    void controlChanged(ui::Control&, ui::Property) override {}
    void timerChanged(ui::Timer& timer) override;
    void timerDestroyed(ui::Timer& timer) override;
    ui::MsgAnswer messageBox(const std::string& text, const std::string& title,
                             ui::MsgButtons buttons) override;
    void popupMenu(ui::Menu& menu, ui::Form& over) override;
    void setTopmost(ui::Form& form) override;
    void beginDrag(ui::Form& form) override;
    ui::Size screenSize() override { return screen; }
    void hideFromTaskList() override { hiddenFromTaskList_ = true; }
    void endProcess() override;

private:
    struct Scheduled {
        std::int64_t due;
        std::uint64_t order;  // timers due at the same moment tick in the order they were set
    };

    struct ExpectedBox {
        std::string text;
        ui::MsgAnswer answer;
        std::function<void()> whileOpen;
    };

    std::deque<ExpectedBox> expectedBoxes_;
    std::deque<std::pair<std::string, ModalResponder>> expectedModals_;
    std::deque<MenuResponder> expectedMenus_;
    std::map<ui::Timer*, Scheduled> timers_;
    std::uint64_t nextOrder_ = 0;
    std::int64_t now_ = 0;
    std::vector<Box> boxes_;
    std::vector<std::string> log_;
    std::vector<std::string> topmost_;
    int drags_ = 0;
    bool hiddenFromTaskList_ = false;
    bool ended_ = false;
};

}  // namespace qv::test
