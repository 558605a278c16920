#pragma once
// The one-click cleaner of the emergency page. Command7 starts, pauses and resumes it; its
// caption is the run state ("一键杀毒" idle or paused, "一键暂停" running) and Timer1
// (1888 ms) runs while it reads "一键暂停", one step per tick: end the worm processes,
// delete the worm files under c:\windows, delete the worm files in the root of every drive
// of Drive1, finish, and report. A pause keeps the step counter, so a resumed run goes on
// with the next step. Nothing is logged.
//
// Ending another user's process (or an elevated one) and deleting under the Windows folder
// need an administrator's rights. A guard that is not elevated does what its own rights
// allow and has the rest done by one command through the elevation prompt: at the first
// step when a worm process is beyond its reach (then with the system worm files, so that
// a run asks at most once), else at the second when a system worm file would not go. No
// worm process running and no worm file there: nothing is started and nothing asked. While
// that command runs, the steps wait for it (a bounded wait on its own timer). The final
// message says what was left, read back from the processes and files, and why when known.

#include <string>
#include <vector>

#include "guard/main_window/AdminCommand.h"
#include "guard/platform/Services.h"

namespace qv {
class Form1;
}

namespace qv::protection {

class EmergencyCleaner {
public:
    // Wires Command7 and Timer1 of the main window; both outlive this object.
    EmergencyCleaner(Form1& form, platform::Services& services);
    EmergencyCleaner(const EmergencyCleaner&) = delete;
    EmergencyCleaner& operator=(const EmergencyCleaner&) = delete;

    // The last step done (0 when idle).
    int step() const { return step_; }

private:
    void Command7_Click();
    void Timer1_Timer();
    void endWormProcesses();
    void deleteSystemWormFiles();
    void runAsAdministrator(const std::vector<std::string>& images,
                            const std::vector<std::string>& files);
    void finishRun();

    Form1& form_;
    platform::Services& services_;
    AdminCommand admin_;
    int step_ = 0;
    bool systemFilesDone_ = false;  // the first step's elevated command took them
    std::string whyLeft_;           // why an elevated command did not run
};

}  // namespace qv::protection
