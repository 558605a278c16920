#pragma once
// The policy switches of the advanced page (Command9 to Command16): each imports its
// registry file, shipped beside the program and named by its full path, silently with the
// system's registry editor regedit.exe (regedt32.exe, which only starts regedit, is not
// in every Windows or in Wine). The switches that lower protection ask for confirmation
// first.
//
// The files write under HKEY_LOCAL_MACHINE, which needs an administrator's rights: a
// guard that is not elevated imports through the elevation prompt, one prompt per click,
// and none when the registry already holds what the file sets. The import is watched
// without freezing the window (the eight buttons wait meanwhile), and then its effect is
// read back: only a policy really in effect is reported as done; a declined prompt, an
// editor that did not start and an import that did not take are each told as what they
// are.

#include "guard/main_window/AdminCommand.h"
#include "guard/platform/Services.h"

namespace qv {
class Form1;
}

namespace qv::protection {

struct PolicySwitch;

class PolicySwitches {
public:
    // Wires the eight buttons of the main window; both outlive this object.
    PolicySwitches(Form1& form, platform::Services& services);
    PolicySwitches(const PolicySwitches&) = delete;
    PolicySwitches& operator=(const PolicySwitches&) = delete;

private:
    void run(const PolicySwitch& policy);
    void imported(const PolicySwitch& policy, const AdminOutcome& outcome);
    void setButtonsEnabled(bool enabled);

    Form1& form_;
    platform::Services& services_;
    AdminCommand admin_;
};

}  // namespace qv::protection
