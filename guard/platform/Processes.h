#pragma once
// Starting other programs, and the programs running now. A start never waits for the
// program; start() reports only the failure of the start itself, startWatched() also lets
// the caller look, without waiting, at how the program ended.

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
    // Ends the program now, with the programs it started where the system lets them be
    // followed; false when it could not be ended.
    virtual bool end() = 0;
};

struct WatchedStart {
    Status status;                            // whether the start itself succeeded
    std::unique_ptr<WatchedProgram> program;  // set when it did
};

// The running processes of one program, by the name of its file.
struct RunningPrograms {
    int count = 0;
    // How many of them this program may not end with its own rights: another user's, or
    // one running elevated while this program does not.
    int beyondReach = 0;
};

class Processes {
public:
    virtual ~Processes() = default;
    // The program of `commandLine` (see CommandLine.h) must be named by its full path: it is
    // never looked for through the search order, and a start of a bare name fails.
    virtual Status start(const std::string& commandLine, WindowMode mode) = 0;
    // Starts a program like start(), keeping a way to learn how it ended.
    virtual WatchedStart startWatched(const std::string& commandLine, WindowMode mode) = 0;
    // The processes running now whose program file is named `imageName` ("temp1.exe"),
    // compared without regard to case.
    virtual RunningPrograms running(const std::string& imageName) = 0;
};

}  // namespace qv::platform
