#pragma once
// The one-click cleaner of the emergency page. Command7 starts, pauses and resumes it; its
// caption is the run state ("一键杀毒" idle or paused, "一键暂停" running) and Timer1
// (1888 ms) runs while it reads "一键暂停", one step per tick: end the worm processes,
// delete the worm files under c:\windows, remove the worm files in the root of every drive
// of Drive1 (the one way of common/removal: quarantined first), finish, and report how many
// files went and which stayed, with why. A pause keeps the step counter, so a resumed run
// goes on with the next step. No failure stops a step, and nothing is logged.

#include "common/removal/DriveFileRemoval.h"
#include "guard/platform/FileSystem.h"
#include "guard/platform/Processes.h"
#include "guard/protection/CleanerSteps.h"

namespace qv {
class Form1;
}

namespace qv::protection {

class EmergencyCleaner {
public:
    // Wires Command7 and Timer1 of the main window.
    EmergencyCleaner(Form1& form, platform::FileSystem& files, removal::DriveFileRemoval& removal,
                     platform::Processes& processes);
    EmergencyCleaner(const EmergencyCleaner&) = delete;
    EmergencyCleaner& operator=(const EmergencyCleaner&) = delete;

    // The last step done (0 when idle).
    int step() const { return step_; }

private:
    void Command7_Click();
    void Timer1_Timer();

    Form1& form_;
    platform::FileSystem& files_;
    removal::DriveFileRemoval& removal_;
    platform::Processes& processes_;
    int step_ = 0;
    CleanerReport report_;
};

}  // namespace qv::protection
