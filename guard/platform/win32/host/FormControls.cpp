#include "guard/platform/win32/host/FormControls.h"

#include <commctrl.h>

#include <algorithm>

#include "guard/platform/win32/CommonControls.h"
#include "guard/platform/win32/host/Layout.h"

namespace qv::win32 {

FormControls::FormControls(HostContext& context, ui::Form& form, HWND window)
    : context_(context), form_(form), window_(window) {}

FormControls::~FormControls() {
    if (toolTips_) DestroyWindow(toolTips_);
}

void FormControls::update() {
    // Windows of controls that no longer exist go first.
    for (auto it = adapters_.begin(); it != adapters_.end();) {
        ControlAdapter& adapter = **it;
        if (adapter.alive()) {
            ++it;
            continue;
        }
        if (adapter.window()) byWindow_.erase(adapter.window());
        byControl_.erase(&adapter.control());
        it = adapters_.erase(it);
    }

    std::vector<ui::Control*> order = stackingOrder(form_);
    std::vector<ControlAdapter*> added;
    for (ui::Control* control : order) {
        if (byControl_.count(control)) continue;
        std::unique_ptr<ControlAdapter> adapter = makeAdapter(*this, *control);
        if (!adapter) continue;
        ControlAdapter& made = *adapter;
        byControl_[control] = &made;
        added.push_back(&made);
        adapters_.push_back(std::move(adapter));
        made.create(nextId_++);
        if (made.window()) byWindow_[made.window()] = &made;
    }
    if (added.empty()) return;

    // Keep the adapters in stacking order, bottom first.
    std::vector<std::unique_ptr<ControlAdapter>> sorted;
    sorted.reserve(adapters_.size());
    for (ui::Control* control : order) {
        auto it = std::find_if(adapters_.begin(), adapters_.end(),
                               [control](const auto& a) { return a && &a->control() == control; });
        if (it != adapters_.end()) sorted.push_back(std::move(*it));
    }
    adapters_ = std::move(sorted);
    restack();
    updateVisibility();
    for (ControlAdapter* adapter : added) adapter->updateToolTip(toolTips_);
}

ControlAdapter* FormControls::find(const ui::Control& control) const {
    auto it = byControl_.find(&control);
    return it == byControl_.end() ? nullptr : it->second;
}

ControlAdapter* FormControls::liveAt(HWND child) const {
    auto it = byWindow_.find(child);
    return it != byWindow_.end() && it->second->alive() ? it->second : nullptr;
}

void FormControls::placeAll() {
    for (auto& adapter : adapters_) {
        if (adapter->alive()) adapter->place();
    }
}

void FormControls::updateVisibility() {
    for (auto& adapter : adapters_) {
        if (adapter->alive()) adapter->updateVisibility();
    }
}

void FormControls::restack() {
    for (auto& adapter : adapters_) {
        if (adapter->window()) {
            SetWindowPos(adapter->window(), HWND_TOP, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

void FormControls::ensureToolTips() {
    if (toolTips_ || !common_controls::load()) return;
    toolTips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                context_.instance(), nullptr);
    if (!toolTips_) return;
    SendMessageW(toolTips_, TTM_SETMAXTIPWIDTH, 0, context_.toPixels(6000));
    for (auto& adapter : adapters_) {
        if (adapter->alive()) adapter->updateToolTip(toolTips_);
    }
}

void FormControls::redraw(const RECT& area) const {
    RedrawWindow(window_, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void FormControls::detach() {
    for (auto& adapter : adapters_) adapter->detach();
    if (toolTips_) DestroyWindow(toolTips_);
    toolTips_ = nullptr;
}

}  // namespace qv::win32
