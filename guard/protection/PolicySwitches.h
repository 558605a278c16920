#pragma once
// The policy switches of the advanced page (Command9 to Command16): each imports its
// registry file silently with the system's registry editor, which is started hidden and
// not waited for. The switches that lower protection ask for confirmation first. A file
// that is not there, or an editor that cannot be started, is reported as the failure it
// is; the import's own outcome is not known to the program.

namespace qv {
class Guard;
}

namespace qv::protection {

struct PolicySwitch;

class PolicySwitches {
public:
    // Wires the eight buttons of the main window.
    explicit PolicySwitches(Guard& guard);
    PolicySwitches(const PolicySwitches&) = delete;
    PolicySwitches& operator=(const PolicySwitches&) = delete;

private:
    void run(const PolicySwitch& policy);

    Guard& guard_;
};

}  // namespace qv::protection
