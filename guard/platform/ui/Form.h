#pragma once
// A window of the model: its own properties, its controls (in creation order) and its
// events. A form is loaded once (its load event runs), shown modeless or modal, hidden,
// and asked to close; what closing means (hide or unload) is the owner's decision.

#include <functional>
#include <string>
#include <vector>

#include "guard/platform/ui/Control.h"
#include "guard/platform/ui/Geometry.h"

namespace qv::ui {

class UiHost;

enum class FormBorder {
    None,         // no border, no title bar
    FixedSingle,  // title bar, not resizable
    Sizable,
    FixedDialog,
};

enum class StartPosition { Manual, CenterScreen };

// Why a form is asked to close, with the system's numbering.
enum class CloseReason {
    UserClose = 0,        // close box, system menu, Alt+F4
    Code = 1,             // the program's own request
    WindowsShutdown = 2,  // Windows shutting down or logging off
    TaskManager = 3,
    Owner = 5,
};

class Form {
public:
    Form(UiHost& host, std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    UiHost& host() const { return host_; }
    const std::string& name() const { return name_; }
    const std::vector<Control*>& controls() const { return controls_; }
    Control* find(const std::string& name) const;

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    // Outer position and size of the window, in twips. A change of size runs onResize.
    Rect bounds() const { return bounds_; }
    void setBounds(Rect bounds);
    void setSize(Twips width, Twips height);
    void move(Twips left, Twips top);
    // The inside of the window, where the controls lie; set by the design.
    Size clientSize() const { return clientSize_; }
    void setClientSize(Size size) { clientSize_ = size; }

    FormBorder border() const { return border_; }
    void setBorder(FormBorder border) { border_ = border; }
    bool showInTaskbar() const { return showInTaskbar_; }
    void setShowInTaskbar(bool v) { showInTaskbar_ = v; }
    bool maxButton() const { return maxButton_; }
    void setMaxButton(bool v) { maxButton_ = v; }
    StartPosition startPosition() const { return startPosition_; }
    void setStartPosition(StartPosition v) { startPosition_ = v; }
    const std::string& icon() const { return icon_; }
    void setIcon(std::string picture) { icon_ = std::move(picture); }
    Color backColor() const { return backColor_; }
    void setBackColor(Color color) { backColor_ = color; }
    // False for a window that shows up without taking the keyboard from the user (a toast).
    bool activatesOnShow() const { return activatesOnShow_; }
    void setActivatesOnShow(bool v) { activatesOnShow_ = v; }

    bool loaded() const { return loaded_; }
    // Runs onLoad the first time; later calls do nothing.
    void load();
    bool visible() const { return visible_; }
    bool modal() const { return modal_; }
    void show();       // modeless; loads first
    void showModal();  // returns when the form is hidden or unloaded
    void hide();
    // Brings the shown form in front of the other windows with the keyboard's attention,
    // restored first when the user minimised it.
    void activate();

    // The host asks the form to close: runs onQueryUnload and, unless cancelled,
    // onUnloadRequested (the owner unloads or hides it). Returns true when not cancelled.
    bool requestClose(CloseReason reason);
    // The host reports where the user or the system put the window (a drag, a resize).
    void placedByHost(Rect bounds);
    void paint();
    void mouseMove();
    void dblClick();

    std::function<void()> onLoad;
    std::function<void(bool& cancel, CloseReason reason)> onQueryUnload;
    std::function<void()> onUnloadRequested;
    std::function<void()> onResize;
    std::function<void()> onPaint;
    std::function<void()> onMouseMove;  // over the window's own surface
    std::function<void()> onDblClick;

private:
    friend class Control;
    void add(Control* control) { controls_.push_back(control); }
    void remove(Control* control);
    void changed(Property property);

    UiHost& host_;
    std::string name_;
    std::vector<Control*> controls_;
    std::string caption_;
    Rect bounds_;
    Size clientSize_;
    FormBorder border_ = FormBorder::FixedSingle;
    bool showInTaskbar_ = true;
    bool maxButton_ = false;
    StartPosition startPosition_ = StartPosition::Manual;
    std::string icon_;
    Color backColor_ = kSystemFaceColor;
    bool activatesOnShow_ = true;
    bool loaded_ = false;
    bool visible_ = false;
    bool modal_ = false;
};

}  // namespace qv::ui
