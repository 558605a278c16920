#include "guard/protection/EmergencyCleaner.h"

#include <string>

#include "guard/main_window/Form1.h"
#include "guard/platform/ui/UiHost.h"
#include "guard/protection/CleanerSteps.h"

namespace qv::protection {

namespace {

bool isDriveLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

EmergencyCleaner::EmergencyCleaner(Form1& form, platform::FileSystem& files,
                                   removal::DriveFileRemoval& removal,
                                   platform::Processes& processes)
    : form_(form), files_(files), removal_(removal), processes_(processes) {
    form.Command7.onClick = [this] { Command7_Click(); };
    form.Timer1.onTimer = [this] { Timer1_Timer(); };
}

void EmergencyCleaner::Command7_Click() {
    if (form_.Command7.caption() == kCleanerIdleCaption) {
        form_.Timer1.setEnabled(true);
        form_.Sdjindu.setCaption(cleanerStage(1).status);
        form_.Jd.setValue(cleanerStage(1).progress);
        form_.Command7.setCaption(kCleanerRunningCaption);
    } else {
        // Paused: the progress bar and the step counter stay as they are.
        form_.Timer1.setEnabled(false);
        form_.Sdjindu.setCaption(kCleanerReadyStatus);
        form_.Command7.setCaption(kCleanerIdleCaption);
    }
}

void EmergencyCleaner::Timer1_Timer() {
    ++step_;
    CleanerStage stage = cleanerStage(step_);
    form_.Sdjindu.setCaption(stage.status);
    form_.Jd.setValue(stage.progress);

    // No failure stops a step: a process that is not running, a file that is not there or
    // is refused, a drive without a medium are all passed over. Files that stay are named
    // at the end; one that is not there is no failure.
    switch (step_) {
        case 1:
            report_ = {};
            for (const std::string& command : wormKillCommands()) {
                (void)processes_.start(command, platform::WindowMode::Hidden);
            }
            break;
        case 2:
            for (const std::string& path : systemWormFiles()) {
                if (!files_.fileExists(path)) continue;
                Status deleted = files_.deleteFile(path);
                if (deleted.ok()) {
                    ++report_.removed;
                } else {
                    report_.stays.push_back({path, deleted.description()});
                }
            }
            break;
        case 3:
            // The drive list as it stands; it is not read again first.
            for (int i = 0; i < form_.Drive1.listCount(); ++i) {
                const std::string& entry = form_.Drive1.list(i);
                if (entry.empty() || !isDriveLetter(entry[0])) continue;
                for (const std::string& path : rootWormFiles(entry[0])) {
                    removal::RemovalResult result = removal_.remove(path);
                    if (result.removed()) ++report_.removed;
                    if (!result.gone()) report_.stays.push_back({path, result.reason()});
                }
            }
            break;
        case 4:
            break;
        default:
            step_ = 0;
            form_.Timer1.setEnabled(false);
            form_.Command7.setCaption(kCleanerIdleCaption);
            form_.host().messageBox(cleanerDoneMessage(report_), "提示", ui::MsgButtons::Ok);
            report_ = {};
            break;
    }
}

}  // namespace qv::protection
