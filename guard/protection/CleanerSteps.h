#pragma once
// The fixed work of the emergency cleaner, step by step: what the status line and the
// progress bar show, which worm processes are ended and which worm files are deleted, the
// command that does the first two steps' work with an administrator's rights, and what
// the user is told at the end. Pure data and text, no form.

#include <array>
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

// Step 1: the worm processes, by the name of their program file.
inline constexpr std::array<const char*, 2> kWormImages = {"temp1.exe", "temp2.exe"};
// The task-kill tool's command line (its full path `taskkill`) that ends `image`'s
// processes with their child processes ("/t"), by force ("/f").
std::string wormKillCommand(const std::string& taskkill, const std::string& image);
// Step 2: the worm files at fixed places under c:\windows.
std::vector<std::string> systemWormFiles();
// Step 3: the worm files in the root of the drive `letter` (as the drive list gives it).
std::vector<std::string> rootWormFiles(char letter);

// The arguments of the command interpreter (cmd.exe of `systemFolder`, run with an
// administrator's rights) that end the processes of `images` and then delete `files`; when
// it does both, it waits about two seconds between them, as long as a step of the cleaner,
// so that the ended processes have let go of their files.
std::string adminCleaningArguments(const std::string& systemFolder,
                                   const std::vector<std::string>& images,
                                   const std::vector<std::string>& files);

inline constexpr const char* kCleanerIdleCaption = "一键杀毒";
inline constexpr const char* kCleanerRunningCaption = "一键暂停";
inline constexpr const char* kCleanerReadyStatus = "准备就绪...";

// Why a worm file or process stayed when the user declined the elevation prompt, and
// when the command with an administrator's rights ran and still it stayed.
inline constexpr const char* kDeclinedAdminWork = "需要管理员权限，而您没有同意以管理员身份运行";
inline constexpr const char* kStaysForTheAdministratorToo = "以管理员身份也未能清除";
// Why a worm process still runs after the task-kill tool was started for it.
inline constexpr const char* kNotEnded = "结束进程的命令没有成功";

// What a run removed, and what stayed (a file that was not there is neither): files with
// why, and worm processes that still run, with why.
struct CleanerReport {
    int removed = 0;
    std::vector<removal::NotRemoved> stays;
    std::vector<removal::NotRemoved> running;
};
// The closing message: "紧急杀毒完成！共删除 N 个文件。", then the files that stayed and
// the processes that still run, each with its reason.
std::string cleanerDoneMessage(const CleanerReport& report);

}  // namespace qv::protection
