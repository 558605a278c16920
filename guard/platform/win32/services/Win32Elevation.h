#pragma once
// The elevation prompt of User Account Control: ShellExecuteExW with the verb "runas"
// starts a program with an administrator's rights once the user agreed (on a computer
// without User Account Control, or for the built-in administrator, it starts at once).
// The shell library is loaded at the first prompt, not when the guard starts. The prompt
// waits on a thread of its own while the guard goes on (DispatchingWait.h); one prompt is
// open at a time.

#include "guard/platform/Elevation.h"

namespace qv::win32 {

class Win32Elevation : public platform::Elevation {
public:
    bool elevated() override;
    platform::ElevatedStart startElevated(const std::string& program, const std::string& parameters,
                                          platform::WindowMode mode) override;

private:
    bool prompting_ = false;
};

}  // namespace qv::win32
