#pragma once
// The pure rules of the process manager: the command that captures the process list, the
// PID the user types, and the command that ends a process.

#include <string>
#include <string_view>

namespace qv::process_list {

// "cmd /c tasklist.exe >Jincheng.qvjc": the capture of the process list, by the
// system's task-list tool, into the capture file (runtime_files::kProcessListCapture).
std::string captureCommand();

// The PID entry as the decimal text of its numeric value, read leniently: leading blanks
// and an optional sign, then the digits that follow; the rest is ignored, and text that
// does not begin with a number (the empty text too) gives "0", as does a negative number,
// which is no PID. A value too large for a PID is capped at 4294967295, so the result is
// always digits only, one whole number. The result normalises to itself.
std::string normalisedPid(std::string_view text);

// "TASKKILL.exe /PID <pid> /f".
std::string killCommand(std::string_view pid);

}  // namespace qv::process_list
