#include "tests/support/HeadlessHost.h"

#include <gtest/gtest.h>

namespace qv::test {

HeadlessHost::~HeadlessHost() {
    EXPECT_TRUE(allExpectationsMet()) << "a scripted message box, dialog or menu never came";
}

void HeadlessHost::expectMessageBox(std::string text, ui::MsgAnswer answer,
                                    std::function<void()> whileOpen) {
    expectedBoxes_.push_back({std::move(text), answer, std::move(whileOpen)});
}

void HeadlessHost::expectModal(std::string formName, ModalResponder responder) {
    expectedModals_.emplace_back(std::move(formName), std::move(responder));
}

void HeadlessHost::expectPopupMenu(MenuResponder responder) {
    expectedMenus_.push_back(std::move(responder));
}

bool HeadlessHost::allExpectationsMet() const {
    return expectedBoxes_.empty() && expectedModals_.empty() && expectedMenus_.empty();
}

void HeadlessHost::advance(std::int64_t milliseconds) {
    const std::int64_t target = now_ + milliseconds;
    for (;;) {
        auto next = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it) {
            if (it->second.due > target) continue;
            if (next == timers_.end() || it->second.due < next->second.due ||
                (it->second.due == next->second.due && it->second.order < next->second.order)) {
                next = it;
            }
        }
        if (next == timers_.end()) break;
        ui::Timer* timer = next->first;
        if (next->second.due > now_) now_ = next->second.due;
        next->second = {now_ + timer->interval(), nextOrder_++};
        timer->tick();  // may stop, restart or destroy the timer, or open a modal dialog
    }
    if (target > now_) now_ = target;
}

void HeadlessHost::showForm(ui::Form& form) {
    log_.push_back("show " + form.name());
}

void HeadlessHost::showModal(ui::Form& form) {
    log_.push_back("modal " + form.name());
    if (expectedModals_.empty() || expectedModals_.front().first != form.name()) {
        ADD_FAILURE() << "unexpected modal dialog " << form.name();
        form.hide();
        return;
    }
    ModalResponder responder = std::move(expectedModals_.front().second);
    expectedModals_.pop_front();
    responder(form);
}

void HeadlessHost::hideForm(ui::Form& form) {
    log_.push_back("hide " + form.name());
}

void HeadlessHost::activateForm(ui::Form& form) {
    log_.push_back("activate " + form.name());
}

void HeadlessHost::formDestroyed(ui::Form& form) {
    log_.push_back("destroy " + form.name());
}

void HeadlessHost::timerChanged(ui::Timer& timer) {
    if (timer.running())
        timers_[&timer] = {now_ + timer.interval(), nextOrder_++};
    else
        timers_.erase(&timer);
}

void HeadlessHost::timerDestroyed(ui::Timer& timer) {
    timers_.erase(&timer);
}

ui::MsgAnswer HeadlessHost::messageBox(const std::string& text, const std::string& title,
                                       ui::MsgButtons buttons) {
    boxes_.push_back({text, title, buttons});
    if (expectedBoxes_.empty() || expectedBoxes_.front().text != text) {
        ADD_FAILURE() << "unexpected message box \"" << text << "\" titled \"" << title << "\"";
        return ui::MsgAnswer::Cancel;
    }
    ExpectedBox box = std::move(expectedBoxes_.front());
    expectedBoxes_.pop_front();
    if (box.whileOpen) box.whileOpen();
    return box.answer;
}

void HeadlessHost::popupMenu(ui::Menu& menu, ui::Form& over) {
    log_.push_back("menu " + menu.name() + " over " + over.name());
    if (expectedMenus_.empty()) {
        ADD_FAILURE() << "unexpected pop-up menu " << menu.name();
        return;
    }
    MenuResponder responder = std::move(expectedMenus_.front());
    expectedMenus_.pop_front();
    responder(menu);
}

void HeadlessHost::setTopmost(ui::Form& form) {
    topmost_.push_back(form.name());
}

void HeadlessHost::beginDrag(ui::Form& form) {
    ++drags_;
    log_.push_back("drag " + form.name());
}

void HeadlessHost::endProcess() {
    ended_ = true;
    log_.push_back("end");
}

}  // namespace qv::test
