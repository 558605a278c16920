#pragma once
// The fixed work of the emergency cleaner, step by step: what the status line and the
// progress bar show, which worm processes are ended and which worm files are deleted.
// Pure data, no form.

#include <string>
#include <vector>

#include "common/removal/RemovalTexts.h"

namespace qv::protection {

inline constexpr int kCleanerStepCount = 5;

// What the page shows while step `step` (1 to 5) runs.
struct CleanerStage {
    const char* status;
    int progress;
};
CleanerStage cleanerStage(int step);

// Step 1: the worm processes, ended by image name, with their child processes, by force.
std::vector<std::string> wormKillCommands();
// Step 2: the worm files at fixed places under c:\windows.
std::vector<std::string> systemWormFiles();
// Step 3: the worm files in the root of the drive `letter` (as the drive list gives it).
std::vector<std::string> rootWormFiles(char letter);

inline constexpr const char* kCleanerIdleCaption = "一键杀毒";
inline constexpr const char* kCleanerRunningCaption = "一键暂停";
inline constexpr const char* kCleanerReadyStatus = "准备就绪...";

// What a run removed, and what stayed (a file that was not there is neither).
struct CleanerReport {
    int removed = 0;
    std::vector<removal::NotRemoved> stays;
};
// The closing message: "紧急杀毒完成！共删除 N 个文件。", then the files that stayed, each
// with its reason.
std::string cleanerDoneMessage(const CleanerReport& report);

}  // namespace qv::protection
