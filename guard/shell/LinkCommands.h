#pragma once
// The command lines of the external modules and of the web links. Each web link opens a
// page of the forum site whose address (scheme and host) is given, through the command
// interpreter's `start` or through the shell program `explorer`; both hand the address to
// the user's default web browser. Every program is named by its full path.

#include <string>
#include <string_view>

#include "guard/platform/Folders.h"

namespace qv::links {

// The system's programs the links start, by full path: cmd.exe of the system folder,
// explorer.exe and notepad.exe of the Windows folder.
struct Tools {
    std::string cmd;
    std::string explorer;
    std::string notepad;
};
Tools toolsIn(platform::Folders& folders);

// The protection log (runtime_files::kProtectionLog, in the current folder, which the
// editor starts in) in the text editor; Windows' file names do not distinguish case, so
// "rz.log" is the same file.
std::string logViewer(const Tools& tools);
inline constexpr const char* kFileBrowser = "Filedir.exe";
inline constexpr const char* kSkinChanger = "Pifushe.exe";
inline constexpr const char* kFileBrowserMissing = "文件浏览器模块丢失！";
inline constexpr const char* kSkinChangerMissing = "更换皮肤模块丢失！";

// cmd /c start + `address`, with the characters the command interpreter would act on
// (& | < > ^) escaped by a caret, so that the whole address reaches `start`.
std::string cmdStart(const Tools& tools, std::string_view address);
// explorer + the address in double quotes.
std::string explorerOpen(const Tools& tools, std::string_view address);

// The forum's home page (Bbscom, and the welcome window's link).
std::string forumHome(const Tools& tools, std::string_view forum);
// The bug-report thread (Label11).
std::string bugReportThread(const Tools& tools, std::string_view forum);
// The form for a new thread in board 54, returning to that board (Label6).
std::string publishSoftware(const Tools& tools, std::string_view forum);
// Board 52, help with immunisation and repair (Label5).
std::string helpBoard(const Tools& tools, std::string_view forum);
// Board 58, moods of the day (Label9).
std::string moodBoard(const Tools& tools, std::string_view forum);

}  // namespace qv::links
