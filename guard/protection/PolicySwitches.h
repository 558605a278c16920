#pragma once
// The policy switches of the advanced page (Command9 to Command16): each imports its
// registry file silently with the system's registry editor, which is started hidden and
// not waited for. The switches that lower protection ask for confirmation first. A file
// that is not there, or an editor that cannot be started, is reported as the failure it
// is; the import's own outcome is not known to the program.

#include "guard/platform/FileSystem.h"
#include "guard/platform/Processes.h"

namespace qv {
class Form1;
}

namespace qv::protection {

struct PolicySwitch;

class PolicySwitches {
public:
    // Wires the eight buttons of the main window.
    PolicySwitches(Form1& form, platform::FileSystem& files, platform::Processes& processes);
    PolicySwitches(const PolicySwitches&) = delete;
    PolicySwitches& operator=(const PolicySwitches&) = delete;

private:
    void run(const PolicySwitch& policy);

    Form1& form_;
    platform::FileSystem& files_;
    platform::Processes& processes_;
};

}  // namespace qv::protection
