#pragma once
// Starting other programs, and where the running program lies. A start never waits for
// the program; start() reports only the failure of the start itself, startWatched() also
// lets the caller look, without waiting, at how the program ended.

#include <memory>
#include <optional>
#include <string>

#include "common/Status.h"

namespace qv::platform {

enum class WindowMode {
    Hidden,     // no window shown
    Normal,     // normal size, activated
    Minimized,  // minimised, activated (show style 2)
};

// A program started by startWatched, which can be asked without waiting whether it has
// ended and with which exit code.
class WatchedProgram {
public:
    virtual ~WatchedProgram() = default;
    // The exit code once the program has ended; nullopt while it still runs.
    virtual std::optional<unsigned long> exitCode() = 0;
};

struct WatchedStart {
    Status status;                            // whether the start itself succeeded
    std::unique_ptr<WatchedProgram> program;  // set when it did
};

class Processes {
public:
    virtual ~Processes() = default;
    virtual Status start(const std::string& commandLine, WindowMode mode) = 0;
    // Starts a program like start(), keeping a way to learn how it ended.
    virtual WatchedStart startWatched(const std::string& commandLine, WindowMode mode) = 0;
    // The folder that holds the running program's file, without a trailing backslash
    // except for the root of a drive ("C:\Program Files\QV", "E:\").
    virtual std::string programFolder() = 0;
};

}  // namespace qv::platform
