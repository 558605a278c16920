#include "guard/protection/EmergencyCleaner.h"

#include "guard/main_window/Form1.h"
#include "guard/platform/ui/UiHost.h"
#include "guard/protection/CleanerSteps.h"

namespace qv::protection {

namespace {

bool isDriveLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

EmergencyCleaner::EmergencyCleaner(Form1& form, platform::Services& services)
    : form_(form),
      services_(services),
      admin_(form, "CleanerAdminWatch", services.elevation, services.processes) {
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
    // A step's command with an administrator's rights ends before the next step.
    if (admin_.running()) return;
    ++step_;
    CleanerStage stage = cleanerStage(step_);
    form_.Sdjindu.setCaption(stage.status);
    form_.Jd.setValue(stage.progress);

    // No failure stops a step: a file that is refused, a drive without a medium are passed
    // over; what was left of the worms is told at the end.
    switch (step_) {
        case 1:
            endWormProcesses();
            break;
        case 2:
            deleteSystemWormFiles();
            break;
        case 3:
            // The drive list as it stands; it is not read again first.
            for (int i = 0; i < form_.Drive1.listCount(); ++i) {
                const std::string& entry = form_.Drive1.list(i);
                if (entry.empty() || !isDriveLetter(entry[0])) continue;
                for (const std::string& path : rootWormFiles(entry[0])) {
                    (void)services_.files.deleteFile(path);
                }
            }
            break;
        case 4:
            break;
        default:
            finishRun();
            break;
    }
}

// The processes are ended without waiting for them: the second step comes one tick later.
void EmergencyCleaner::endWormProcesses() {
    std::vector<std::string> running;
    bool beyondReach = false;
    for (const char* image : kWormImages) {
        platform::RunningPrograms found = services_.processes.running(image);
        if (found.count > 0) running.push_back(image);
        beyondReach = beyondReach || found.beyondReach > 0;
    }
    if (running.empty()) return;
    if (beyondReach && !services_.elevation.elevated()) {
        // The one prompt of this run takes the system worm files along.
        std::vector<std::string> files;
        for (const std::string& path : systemWormFiles()) {
            if (services_.files.fileExists(path)) files.push_back(path);
        }
        systemFilesDone_ = !files.empty();
        runAsAdministrator(running, files);
        return;
    }
    const std::string taskkill = platform::systemTool(services_.folders, "taskkill.exe");
    for (const std::string& image : running) {
        (void)services_.processes.start(wormKillCommand(taskkill, image),
                                        platform::WindowMode::Hidden);
    }
}

// What the guard's own rights cannot delete, an elevated command deletes.
void EmergencyCleaner::deleteSystemWormFiles() {
    if (systemFilesDone_) {
        systemFilesDone_ = false;
        return;
    }
    // A file still there afterwards was refused, whatever the delete said.
    std::vector<std::string> refused;
    for (const std::string& path : systemWormFiles()) {
        (void)services_.files.deleteFile(path);
        if (services_.files.fileExists(path)) refused.push_back(path);
    }
    if (!refused.empty() && !services_.elevation.elevated()) runAsAdministrator({}, refused);
}

void EmergencyCleaner::runAsAdministrator(const std::vector<std::string>& images,
                                          const std::vector<std::string>& files) {
    const std::string arguments =
        adminCleaningArguments(services_.folders.systemFolder(), images, files);
    admin_.run(platform::systemTool(services_.folders, "cmd.exe"), arguments,
               [this](const AdminOutcome& outcome) {
                   if (outcome.result == AdminOutcome::Result::Declined) {
                       whyLeft_ = kDeclinedAdminWork;
                   } else if (outcome.result == AdminOutcome::Result::NotStarted) {
                       whyLeft_ = adminFailureReason(outcome, "cmd.exe");
                   }
               });
}

void EmergencyCleaner::finishRun() {
    std::vector<std::string> left;
    for (const char* image : kWormImages) {
        if (services_.processes.running(image).count > 0) left.push_back(processLeft(image));
    }
    for (const std::string& path : systemWormFiles()) {
        if (services_.files.fileExists(path)) left.push_back(fileLeft(path));
    }
    const std::string why = left.empty() ? std::string() : whyLeft_;
    whyLeft_.clear();
    systemFilesDone_ = false;
    step_ = 0;
    form_.Timer1.setEnabled(false);
    form_.Command7.setCaption(kCleanerIdleCaption);
    form_.host().messageBox(cleanerClosingMessage(left, why), "提示", ui::MsgButtons::Ok);
}

}  // namespace qv::protection
