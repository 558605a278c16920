#pragma once
// The one-click cleaner of the emergency page. Command7 starts, pauses and resumes it; its
// caption is the run state ("一键杀毒" idle or paused, "一键暂停" running) and Timer1
// (1888 ms) runs while it reads "一键暂停", one step per tick: end the worm processes,
// delete the worm files under c:\windows, delete the worm files in the root of every drive
// of Drive1, finish, and report. A pause keeps the step counter, so a resumed run goes on
// with the next step. Every failure is passed over and nothing is logged.

#include "guard/platform/FileSystem.h"
#include "guard/platform/Processes.h"

namespace qv {
class Form1;
}

namespace qv::protection {

class EmergencyCleaner {
public:
    // Wires Command7 and Timer1 of the main window.
    EmergencyCleaner(Form1& form, platform::FileSystem& files, platform::Processes& processes);
    EmergencyCleaner(const EmergencyCleaner&) = delete;
    EmergencyCleaner& operator=(const EmergencyCleaner&) = delete;

    // The last step done (0 when idle).
    int step() const { return step_; }

private:
    void Command7_Click();
    void Timer1_Timer();

    Form1& form_;
    platform::FileSystem& files_;
    platform::Processes& processes_;
    int step_ = 0;
};

}  // namespace qv::protection
