#pragma once
// The windows of one form's controls, made once the form has its window: one adapter per
// control that has a window, kept in the stacking order of Layout.h (bottom first). It
// makes windows for controls the form gained and drops those of controls it lost, keeps
// the windows' stacking, places and visibility, owns the form's tool-tip window (made when
// the mouse first comes over the form), and finds the adapter behind a child window for
// the form's messages.

#include <windows.h>

#include <memory>
#include <unordered_map>
#include <vector>

#include "guard/platform/ui/Form.h"
#include "guard/platform/win32/host/HostContext.h"
#include "guard/platform/win32/host/adapters/ControlAdapter.h"

namespace qv::win32 {

class FormControls {
public:
    // The controls' windows will be children of `window`; update() makes them.
    FormControls(HostContext& context, ui::Form& form, HWND window);
    ~FormControls();
    FormControls(const FormControls&) = delete;
    FormControls& operator=(const FormControls&) = delete;

    HostContext& context() const { return context_; }
    ui::Form& form() const { return form_; }
    HWND window() const { return window_; }
    // The form's tool-tip window; nullptr until ensureToolTips made it.
    HWND toolTips() const { return toolTips_; }
    // Bottom of the stacking order first.
    const std::vector<std::unique_ptr<ControlAdapter>>& adapters() const { return adapters_; }

    // Makes windows for the controls that have none and drops the windows of controls
    // that are gone.
    void update();
    // The adapter of `control`; nullptr when it has none.
    ControlAdapter* find(const ui::Control& control) const;
    // The adapter whose window is `child`, while its control lives; nullptr otherwise.
    ControlAdapter* liveAt(HWND child) const;

    void placeAll();
    void updateVisibility();
    void ensureToolTips();
    // Repaints `area` of the form's client area with every window over it.
    void redraw(const RECT& area) const;
    // The windows stop talking to the model before the form's window takes them along.
    void detach();

private:
    void restack();

    HostContext& context_;
    ui::Form& form_;
    HWND window_;
    HWND toolTips_ = nullptr;
    int nextId_ = 1000;
    std::vector<std::unique_ptr<ControlAdapter>> adapters_;
    std::unordered_map<const ui::Control*, ControlAdapter*> byControl_;
    std::unordered_map<HWND, ControlAdapter*> byWindow_;
};

}  // namespace qv::win32
