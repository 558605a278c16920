#pragma once
// The fixed work of the emergency cleaner, step by step: what the status line and the
// progress bar show, which worm processes are ended and which worm files are deleted, the
// command that does the first two steps' work with an administrator's rights, and what
// the user is told at the end. Pure data and text, no form.

#include <array>
#include <string>
#include <vector>

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
inline constexpr const char* kCleanerDoneMessage = "紧急杀毒完成！";
// Why what was left stayed, when the user declined the elevation prompt.
inline constexpr const char* kDeclinedAdminWork =
    "清除它们需要管理员权限，而您没有同意以管理员身份运行。";

// The message at the end of a run: "紧急杀毒完成！" when nothing was left, otherwise what
// was left (one line each) and, when it is known, why.
std::string cleanerClosingMessage(const std::vector<std::string>& left, const std::string& why);
// One line of what was left.
std::string processLeft(const std::string& image);
std::string fileLeft(const std::string& path);

}  // namespace qv::protection
