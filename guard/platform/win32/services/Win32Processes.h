#pragma once
// Starting programs with CreateProcessW by the full path the command line begins with
// (never looked for through the search order), the window shown as asked, the new process
// left to run on its own at once; and the processes running now, from a snapshot of them.

#include "guard/platform/Processes.h"

namespace qv::win32 {

class Win32Processes : public platform::Processes {
public:
    Status start(const std::string& commandLine, platform::WindowMode mode) override;
    platform::WatchedStart startWatched(const std::string& commandLine,
                                        platform::WindowMode mode) override;
    platform::RunningPrograms running(const std::string& imageName) override;
};

}  // namespace qv::win32
