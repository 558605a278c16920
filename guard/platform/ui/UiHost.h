#pragma once
// Window services, one interface for the real Win32 windows and for the headless host of
// the tests. The model tells the host what changed; the host shows it and feeds the
// user's actions back through the controls' and forms' user-action methods.

#include <string>

#include "guard/platform/ui/Control.h"
#include "guard/platform/ui/Geometry.h"

namespace qv::ui {

class Form;
class Menu;
class Timer;

enum class MsgButtons { Ok, OkCancel };
enum class MsgAnswer { Ok = 1, Cancel = 2 };

class UiHost {
public:
    virtual ~UiHost() = default;

    // Forms. showModal returns when the form has been hidden or unloaded.
    virtual void showForm(Form& form) = 0;
    virtual void showModal(Form& form) = 0;
    virtual void hideForm(Form& form) = 0;
    // Restores the shown form if it is minimised and brings it to the front, active.
    virtual void activateForm(Form& form) = 0;
    // The form object is going away; its windows go with it.
    virtual void formDestroyed(Form& form) = 0;
    virtual void formChanged(Form& form, Property property) = 0;
    virtual void controlChanged(Control& control, Property property) = 0;

    // Timers: (re)start or stop the wait of a timer; forget a timer that goes away.
    virtual void timerChanged(Timer& timer) = 0;
    virtual void timerDestroyed(Timer& timer) = 0;

    // A modal message box; closing it by other means counts as Cancel (as OK for Ok only).
    virtual MsgAnswer messageBox(const std::string& text, const std::string& title,
                                 MsgButtons buttons) = 0;
    // Opens `menu` at the pointer over `over`; the chosen item's click runs before return.
    virtual void popupMenu(Menu& menu, Form& over) = 0;
    // Puts the form at the top of the window order, above non-topmost windows, in place.
    virtual void setTopmost(Form& form) = 0;
    // Lets the user drag the borderless form for as long as the left button is held.
    virtual void beginDrag(Form& form) = 0;
    virtual Size screenSize() = 0;
    // Removes the program from the task manager's list of applications.
    virtual void hideFromTaskList() = 0;
    // Ends the process at once: no window's close handling runs and nothing is saved.
    virtual void endProcess() = 0;
};

}  // namespace qv::ui
