#pragma once
// Saving the system settings page (Command8 "保存设置"): the skin is applied when Jzpf is
// ticked, XTset.ini is replaced by the nine digits, and the autostart entry follows Qd.
// Saving changes no option and no timer; the other load actions follow the saved values
// at the next start.
//
// The autostart entry lies under HKEY_LOCAL_MACHINE: a guard that is not elevated has it
// changed through the elevation prompt, once per save and only when the entry is not as
// wanted already, and reads it back before it says anything. While that runs, Command8
// waits; its end tells whether the entry could not be changed (the user declined, or the
// change did not take) and then how the file was saved. The success message follows only
// a file really written.

#include "guard/main_window/AdminCommand.h"
#include "guard/platform/Services.h"

namespace qv {

class Form1;

class SystemSettingsSave {
public:
    // Wires Command8 of `form`; both outlive this object.
    SystemSettingsSave(Form1& form, platform::Services& services);
    void Command8_Click();

private:
    // Brings the entry to `wanted` directly when the guard is elevated; true when an
    // elevated command has been started instead, whose end tells the rest.
    bool changeAutostart(bool wanted);
    void tellAutostartRefused(bool wanted, const std::string& reason, const char* title);
    void tellSaved();

    Form1& form_;
    platform::Services& services_;
    AdminCommand admin_;
    Status saved_ = Status::success();
};

}  // namespace qv
