#pragma once
// The pure rules of the process manager: the command that captures the process list, the
// PID the user types, the command that ends a process, and what is shown when the list
// cannot be captured.

#include <string>
#include <string_view>

namespace qv::process_list {

// The capture of the process list by the system's task-list tool into the capture file
// (runtime_files::kProcessListCapture, in the current folder), through the command
// interpreter's redirection; both tools by their full paths `cmd` and `tasklist`:
// "<cmd>" /d /s /c ""<tasklist>" >Jincheng.qvjc". (/d leaves out the registry's AutoRun
// commands; /s keeps everything between the outer quotes as it stands.)
std::string captureCommand(const std::string& cmd, const std::string& tasklist);

// The PID entry as the decimal text of its numeric value, read leniently: leading blanks
// and an optional sign, then the digits that follow; the rest is ignored, and text that
// does not begin with a number (the empty text too) gives "0", as does a negative number,
// which is no PID. A value too large for a PID is capped at 4294967295, so the result is
// always digits only, one whole number. The result normalises to itself.
std::string normalisedPid(std::string_view text);

// "<taskkill>" /PID <pid> /f, the task-kill tool by its full path.
std::string killCommand(const std::string& taskkill, std::string_view pid);

// What the list shows instead when it cannot be captured, and why.
std::string captureFailedText(const std::string& reason);

}  // namespace qv::process_list
