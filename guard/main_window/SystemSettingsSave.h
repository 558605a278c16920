#pragma once
// Saving the system settings page (Command8 "保存设置"): the autostart entry follows Qd,
// the skin is applied when Jzpf is ticked, and XTset.ini is replaced by the nine digits.
// Saving changes no option and no timer; the other load actions follow the saved values
// at the next start. A refused autostart change and a failed write of the file are told
// to the user; the success message follows only a file really written.

#include "guard/platform/Services.h"

namespace qv {

class Form1;

class SystemSettingsSave {
public:
    // Wires Command8 of `form`; both outlive this object.
    SystemSettingsSave(Form1& form, platform::Services& services);
    void Command8_Click();

private:
    void updateAutostart(bool wanted);

    Form1& form_;
    platform::Services& services_;
};

}  // namespace qv
