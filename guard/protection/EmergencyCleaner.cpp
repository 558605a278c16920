#include "guard/protection/EmergencyCleaner.h"

#include <utility>

#include "guard/main_window/Form1.h"
#include "guard/platform/ui/UiHost.h"

namespace qv::protection {

namespace {

bool isDriveLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

EmergencyCleaner::EmergencyCleaner(Form1& form, platform::Services& services,
                                   removal::DriveFileRemoval& removal)
    : form_(form),
      services_(services),
      removal_(removal),
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
    // over. What stayed is named at the end; a file that is not there is no failure.
    switch (step_) {
        case 1:
            report_ = {};
            processesWhy_.clear();
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
                    removal::RemovalResult result = removal_.remove(path);
                    if (result.removed()) ++report_.removed;
                    if (!result.gone()) report_.stays.push_back({path, result.reason()});
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
        std::vector<removal::NotRemoved> files;
        for (const std::string& path : systemWormFiles()) {
            if (services_.files.fileExists(path)) files.push_back({path, ""});
        }
        systemFilesTaken_ = !files.empty();
        runAsAdministrator(running, std::move(files));
        return;
    }
    const std::string taskkill = platform::systemTool(services_.folders, "taskkill.exe");
    for (const std::string& image : running) {
        (void)services_.processes.start(wormKillCommand(taskkill, image),
                                        platform::WindowMode::Hidden);
    }
}

// What the guard's own rights cannot delete, an elevated command deletes. A file still
// there afterwards was refused, whatever the delete said.
void EmergencyCleaner::deleteSystemWormFiles() {
    if (systemFilesTaken_) {
        systemFilesTaken_ = false;
        return;
    }
    std::vector<removal::NotRemoved> refused;
    for (const std::string& path : systemWormFiles()) {
        if (!services_.files.fileExists(path)) continue;
        Status deleted = services_.files.deleteFile(path);
        if (!services_.files.fileExists(path)) {
            ++report_.removed;
            continue;
        }
        refused.push_back({path, deleted.ok() ? "删除后文件仍然存在" : deleted.description()});
    }
    if (refused.empty()) return;
    if (services_.elevation.elevated()) {
        report_.stays.insert(report_.stays.end(), refused.begin(), refused.end());
        return;
    }
    runAsAdministrator({}, std::move(refused));
}

void EmergencyCleaner::runAsAdministrator(const std::vector<std::string>& images,
                                          std::vector<removal::NotRemoved> files) {
    std::vector<std::string> paths;
    for (const removal::NotRemoved& file : files) paths.push_back(file.path);
    const bool endsProcesses = !images.empty();
    admin_.run(platform::systemTool(services_.folders, "cmd.exe"),
               adminCleaningArguments(services_.folders.systemFolder(), images, paths),
               [this, endsProcesses, files = std::move(files)](const AdminOutcome& outcome) {
                   std::string why;
                   if (outcome.result == AdminOutcome::Result::Declined) why = kDeclinedAdminWork;
                   if (outcome.result == AdminOutcome::Result::NotStarted)
                       why = adminFailureReason(outcome, "cmd.exe");
                   if (endsProcesses) processesWhy_ = why;
                   for (const removal::NotRemoved& file : files) {
                       if (!services_.files.fileExists(file.path)) {
                           ++report_.removed;
                       } else {
                           report_.stays.push_back(
                               {file.path, !why.empty() ? why : kStaysForTheAdministratorToo});
                       }
                   }
               });
}

void EmergencyCleaner::finishRun() {
    for (const char* image : kWormImages) {
        if (services_.processes.running(image).count > 0) {
            report_.running.push_back(
                {image, processesWhy_.empty() ? std::string(kNotEnded) : processesWhy_});
        }
    }
    step_ = 0;
    form_.Timer1.setEnabled(false);
    form_.Command7.setCaption(kCleanerIdleCaption);
    form_.host().messageBox(cleanerDoneMessage(report_), "提示", ui::MsgButtons::Ok);
    report_ = {};
    processesWhy_.clear();
    systemFilesTaken_ = false;
}

}  // namespace qv::protection
