#pragma once
// Starting other programs, and where the running program lies. A start never waits for
// the program; only the failure of the start itself is reported.

#include <string>

#include "guard/platform/Status.h"

namespace qv::platform {

enum class WindowMode {
    Hidden,     // no window shown
    Normal,     // normal size, activated
    Minimized,  // minimised, activated (show style 2)
};

class Processes {
public:
    virtual ~Processes() = default;
    virtual Status start(const std::string& commandLine, WindowMode mode) = 0;
    // The folder that holds the running program's file, without a trailing backslash
    // except for the root of a drive ("C:\Program Files\QV", "E:\").
    virtual std::string programFolder() = 0;
};

}  // namespace qv::platform
