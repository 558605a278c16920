#pragma once
// The autostart entry: the value QVud under the Run key of the local machine, whose data
// starts the program from the folder it lies in now.

#include <string>
#include <string_view>

namespace qv::autostart {

inline constexpr const char* kValuePath =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\QVud";

// The data for a program in `folder` (no trailing backslash except for a drive root),
// always naming QVud.exe: "E:\QVud.exe" in a drive root, otherwise the whole path in
// double quotes ("\"C:\Program Files\QV\QVud.exe\"").
std::string commandFor(std::string_view folder);

}  // namespace qv::autostart
