#pragma once
// Administrator's rights. The guard runs with the user's ordinary rights; what Windows
// reserves to administrators (values under HKEY_LOCAL_MACHINE, the policy imports, files
// under the Windows folder, other users' processes) it starts as a program through the
// system's elevation prompt, and learns how that program ended without waiting for it.

#include <memory>
#include <string>

#include "guard/platform/Processes.h"

namespace qv::platform {

struct ElevatedStart {
    enum class Result {
        Started,   // the program runs with an administrator's rights
        Declined,  // the user said no at the elevation prompt
        Failed,    // it could not be started; `reason` says why
    };
    Result result = Result::Failed;
    std::string reason;
    // How the started program ends; null when the system gave no way to learn it.
    std::unique_ptr<WatchedProgram> program;
};

class Elevation {
public:
    virtual ~Elevation() = default;
    // True when the guard itself runs with an administrator's full rights (an elevated
    // token): a program it starts has them too, and no prompt is needed.
    virtual bool elevated() = 0;
    // Starts `program` (a full path) with `parameters` through the elevation prompt; returns
    // once the user has answered it.
    virtual ElevatedStart startElevated(const std::string& program, const std::string& parameters,
                                        WindowMode mode) = 0;
};

}  // namespace qv::platform
