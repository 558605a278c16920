#pragma once
// The uninstall wizard `Form1`: its load sequence and the handlers of its controls. It
// runs on the user-interface thread; every message box it shows is modal.

#include <string>
#include <vector>

#include "uninstaller/wizard/UninstallSystem.h"
#include "uninstaller/wizard/WizardView.h"

namespace qv::uninst {

enum class LoadResult {
    Shown,      // the user confirmed; the window is shown
    Cancelled,  // the user declined; the program has ended, nothing was touched
    Failed      // the script could not be used; reported, the program has ended
};

class Wizard {
public:
    Wizard(WizardView& view, UninstallSystem& system) : view_(view), system_(system) {}

    // Window load: reads and parses the script, asks for confirmation, then shows the
    // window with the caption + " 卸载向导".
    LoadResult Form_Load();

    // `Check1` click with the box's new state: the window grows to reveal the delete list
    // when ticked and shrinks back when not.
    void Check1_Click(bool ticked);

    // Mouse down and up on a face give it a border while it is held (the pressed look).
    void faceMouseDown(Face face);
    void faceMouseUp(Face face);
    // A click on a face: cancel ends the program (`Qx`), uninstall runs `Xb`.
    void faceClicked(Face face);

    bool ended() const { return ended_; }

private:
    void fail(const std::string& message);
    void Qx();
    void Xb();
    void end();

    WizardView& view_;
    UninstallSystem& system_;
    std::string caption_;
    std::vector<std::string> deleteList_;
    std::vector<std::string> commands_;
    bool uninstalling_ = false;
    bool ended_ = false;
};

}  // namespace qv::uninst
