#pragma once
// What the main window's behaviour asks of the shell's windows, which lie in a part above
// it: app connects them to the badge Form3 and the welcome window Form6.

namespace qv {

class ShellWindows {
public:
    // Shows the floating badge, which stands for the main window while it is hidden.
    virtual void showBadge() = 0;
    // Tells the badge whether all protection is off (its tool tip and warning picture).
    virtual void showProtectionState(bool allOff) = 0;
    // Shows the welcome window, loading it first.
    virtual void showWelcome() = 0;

protected:
    ~ShellWindows() = default;
};

}  // namespace qv
