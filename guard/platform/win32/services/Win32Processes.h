#pragma once
// Starting programs with CreateProcessW: the command line is looked up as Windows does
// (the program's folder, the current folder, the system folders, then PATH), the window
// is shown as asked, and the new process is left to run on its own at once.

#include "guard/platform/Processes.h"

namespace qv::win32 {

class Win32Processes : public platform::Processes {
public:
    Status start(const std::string& commandLine, platform::WindowMode mode) override;
    platform::WatchedStart startWatched(const std::string& commandLine,
                                        platform::WindowMode mode) override;
    std::string programFolder() override;
};

}  // namespace qv::win32
