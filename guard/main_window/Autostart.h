#pragma once
// The autostart entry: the value QVud under the Run key of the local machine, whose data
// starts the program from the folder it lies in now. Writing or deleting it needs an
// administrator's rights (Windows lets only administrators change HKEY_LOCAL_MACHINE\SOFTWARE);
// a guard without them has the system's registry tool reg.exe do it through the elevation
// prompt.

#include <string>
#include <string_view>

#include "guard/platform/Registry.h"

namespace qv::autostart {

inline constexpr const char* kValuePath =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\QVud";

// The data for a program in `folder` (no trailing backslash except for a drive root),
// always naming QVud.exe: "E:\QVud.exe" in a drive root, otherwise the whole path in
// double quotes ("\"C:\Program Files\QV\QVud.exe\"").
std::string commandFor(std::string_view folder);

// True when the entry is as wanted: there with exactly `data` when `wanted`, absent when not.
bool inEffect(platform::Registry& registry, bool wanted, std::string_view data);

// The arguments of reg.exe that write the entry with `data` (wanted) or delete it.
std::string regArguments(bool wanted, std::string_view data);

}  // namespace qv::autostart
