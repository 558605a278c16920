#pragma once
// The one-click cleaner of the emergency page. Command7 starts, pauses and resumes it; its
// caption is the run state ("一键杀毒" idle or paused, "一键暂停" running) and Timer1
// (1888 ms) runs while it reads "一键暂停", one step per tick: end the worm processes,
// delete the worm files under c:\windows, remove the worm files in the root of every drive
// of Drive1 (the one way of common/removal: quarantined first), finish, and report how many
// files went and which files and worm processes stayed, with why. A pause keeps the step
// counter, so a resumed run goes on with the next step. No failure stops a step, and
// nothing is logged.
//
// Ending another user's process (or an elevated one) and deleting under the Windows folder
// need an administrator's rights. A guard that is not elevated does what its own rights
// allow and has the rest done by one command through the elevation prompt: at the first
// step when a worm process is beyond its reach (then with the system worm files, so that
// a run asks at most once), else at the second when a system worm file would not go. No
// worm process running and no worm file there: nothing is started and nothing asked. While
// that command runs, the steps wait for it (a bounded wait on its own timer); what it did
// is read back from the files and processes.

#include <string>
#include <vector>

#include "common/removal/DriveFileRemoval.h"
#include "guard/main_window/AdminCommand.h"
#include "guard/platform/Services.h"
#include "guard/protection/CleanerSteps.h"

namespace qv {
class Form1;
}

namespace qv::protection {

class EmergencyCleaner {
public:
    // Wires Command7 and Timer1 of the main window; all outlive this object.
    EmergencyCleaner(Form1& form, platform::Services& services, removal::DriveFileRemoval& removal);
    EmergencyCleaner(const EmergencyCleaner&) = delete;
    EmergencyCleaner& operator=(const EmergencyCleaner&) = delete;

    // The last step done (0 when idle).
    int step() const { return step_; }

private:
    void Command7_Click();
    void Timer1_Timer();
    void endWormProcesses();
    void deleteSystemWormFiles();
    // Has the elevated command end `images` and delete `files` (each with the reason it
    // stayed so far); what stays afterwards goes into the report.
    void runAsAdministrator(const std::vector<std::string>& images,
                            std::vector<removal::NotRemoved> files);
    void finishRun();

    Form1& form_;
    platform::Services& services_;
    removal::DriveFileRemoval& removal_;
    AdminCommand admin_;
    int step_ = 0;
    CleanerReport report_;
    bool systemFilesTaken_ = false;  // the first step's elevated command took them
    std::string processesWhy_;       // why worm processes the elevated command had to end run
};

}  // namespace qv::protection
