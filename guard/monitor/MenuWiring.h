#pragma once
// The suspicious-file dialog Form5 also owns the program's pop-up menu `Cd`, but what the
// menu's items do belongs to the shell, a part beside the monitor: app gives the items of
// every newly loaded Form5 their behaviour through this.

namespace qv {

class Form5;

namespace monitor {

class MenuWiring {
public:
    // Wires the items of the menu `Cd` of `menuOwner`, which has just been loaded.
    virtual void wireMenu(Form5& menuOwner) = 0;

protected:
    ~MenuWiring() = default;
};

}  // namespace monitor
}  // namespace qv
