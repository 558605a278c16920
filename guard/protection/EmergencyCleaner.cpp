#include "guard/protection/EmergencyCleaner.h"

#include <string>

#include "guard/app/Guard.h"
#include "guard/main_window/Form1.h"
#include "guard/protection/CleanerSteps.h"

namespace qv::protection {

namespace {

bool isDriveLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

EmergencyCleaner::EmergencyCleaner(Guard& guard) : guard_(guard) {
    Form1& f = guard.form1();
    f.Command7.onClick = [this] { Command7_Click(); };
    f.Timer1.onTimer = [this] { Timer1_Timer(); };
}

void EmergencyCleaner::Command7_Click() {
    Form1& f = guard_.form1();
    if (f.Command7.caption() == kCleanerIdleCaption) {
        f.Timer1.setEnabled(true);
        f.Sdjindu.setCaption(cleanerStage(1).status);
        f.Jd.setValue(cleanerStage(1).progress);
        f.Command7.setCaption(kCleanerRunningCaption);
    } else {
        // Paused: the progress bar and the step counter stay as they are.
        f.Timer1.setEnabled(false);
        f.Sdjindu.setCaption(kCleanerReadyStatus);
        f.Command7.setCaption(kCleanerIdleCaption);
    }
}

void EmergencyCleaner::Timer1_Timer() {
    Form1& f = guard_.form1();
    platform::Services& services = guard_.services();
    ++step_;
    CleanerStage stage = cleanerStage(step_);
    f.Sdjindu.setCaption(stage.status);
    f.Jd.setValue(stage.progress);

    // No failure stops a step: a process that is not running, a file that is not there or
    // is refused, a drive without a medium are all passed over.
    switch (step_) {
        case 1:
            for (const std::string& command : wormKillCommands()) {
                (void)services.processes.start(command, platform::WindowMode::Hidden);
            }
            break;
        case 2:
            for (const std::string& path : systemWormFiles()) (void)services.files.deleteFile(path);
            break;
        case 3:
            // The drive list as it stands; it is not read again first.
            for (int i = 0; i < f.Drive1.listCount(); ++i) {
                const std::string& entry = f.Drive1.list(i);
                if (entry.empty() || !isDriveLetter(entry[0])) continue;
                for (const std::string& path : rootWormFiles(entry[0])) {
                    (void)services.files.deleteFile(path);
                }
            }
            break;
        case 4:
            break;
        default:
            step_ = 0;
            f.Timer1.setEnabled(false);
            f.Command7.setCaption(kCleanerIdleCaption);
            f.host().messageBox(kCleanerDoneMessage, "提示", ui::MsgButtons::Ok);
            break;
    }
}

}  // namespace qv::protection
