#pragma once
// The window of one control, and what every kind of control shares. The host makes one
// adapter per control that has a window; the adapter makes that window, keeps it in step
// with the control and turns the user's actions on it into the model's user-action
// methods (click, type, setListIndex ...). The base keeps what all kinds share: the
// window's model name, its place, visibility, enabled state, font, tool tip, colours and
// cursor. Each kind says which window shows it, how a change of its own properties shows
// there and what the window's notifications mean; the kinds the host paints itself derive
// from PaintedAdapter.
//
// Changes the adapter makes to its window are marked quiet (HostContext), so the window's
// notifications about them never reach the model. A user action can run model handlers
// that unload the whole form, adapter included: after calling into the model an adapter
// touches nothing of itself.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "guard/platform/ui/Control.h"

namespace qv::win32 {

class FormControls;
class HostContext;

class ControlAdapter {
public:
    ControlAdapter(FormControls& form, ui::Control& control);
    // Destroys the window unless it was detached.
    virtual ~ControlAdapter();
    ControlAdapter(const ControlAdapter&) = delete;
    ControlAdapter& operator=(const ControlAdapter&) = delete;

    ui::Control& control() const { return control_; }
    HWND window() const { return window_; }
    // The control is still one of its form's (a control may go without telling the host).
    bool alive() const;
    // The window is showing (the control and every container around it are visible).
    bool shown() const { return shown_; }

    // Makes the window as the form's child number `id` and shows the control in it; a
    // kind whose window cannot be made has none.
    void create(int id);
    // The window stops talking to the model and loses its name; it is destroyed with the
    // form's window.
    void detach();

    // Shows the model's change of `property`.
    void sync(ui::Property property);
    // The window's rectangle in the form's client area, in pixels.
    virtual RECT windowRect() const;
    // Moves the window to where the control lies now.
    virtual void place();
    // Shows or hides the window as the control's visibility says; true when it changed.
    virtual bool updateVisibility();
    // Adds, changes or removes the control's tip in the form's tool-tip window.
    virtual void updateToolTip(HWND toolTips);

    // A notification the window sent its form (the code of WM_COMMAND). Runs the model's
    // user action and returns the property whose display is then refreshed from the model
    // (a handler may have rejected or changed what the user did); nothing when the
    // notification means nothing to the model. The adapter may be gone on return.
    virtual std::optional<ui::Property> notified(int code);
    // Answers WM_CTLCOLOR*: sets the text and background colours on `dc` and returns the
    // brush of the background.
    HBRUSH colour(HDC dc);
    // Answers WM_SETCURSOR over the window; true when it set the cursor.
    bool setCursor() const;

protected:
    // What CreateWindowExW is given; no class: the control gets no window.
    struct WindowSpec {
        const wchar_t* windowClass = nullptr;
        DWORD style = 0;  // beside WS_CHILD | WS_CLIPSIBLINGS
        DWORD exStyle = 0;
        std::wstring text;
    };
    virtual WindowSpec windowSpec() const = 0;
    // The window was just made (before it shows anything).
    virtual void created() {}
    // Shows what the kind holds beyond the shared properties, once the window is made.
    virtual void showContent() {}
    // Shows a change of `property` (inside the quiet mark), after what every kind does:
    // visibility and tool tips are handled for all, and enabled state and font are passed
    // to the window first.
    virtual void show(ui::Property property) = 0;
    // Moves the window after the control's bounds changed (a frame moves its contents too).
    virtual void relocate() { place(); }
    // The background and text colours of WM_CTLCOLOR*.
    struct Colours {
        COLORREF back;
        COLORREF text;
    };
    virtual Colours colours() const;

    FormControls& form() const { return form_; }
    HostContext& context() const;

private:
    FormControls& form_;
    ui::Control& control_;
    HWND window_ = nullptr;
    ATOM name_ = 0;
    bool shown_ = false;
    bool hasTip_ = false;
};

// The adapter of `control`'s kind; nullptr for kinds that have no window.
std::unique_ptr<ControlAdapter> makeAdapter(FormControls& form, ui::Control& control);

}  // namespace qv::win32
