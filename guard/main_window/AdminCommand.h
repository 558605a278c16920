#pragma once
// One program run with an administrator's rights for a user action: started directly when
// the guard itself is elevated, otherwise through the system's elevation prompt (the one
// prompt of that action), and watched on a timer of its own, so that the window stays
// responsive: its outcome is handed back once it has ended, or once it has not ended after
// kWaitMs. The program's own effect is for the caller to read back; its exit code only
// helps to say why something did not happen.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "guard/platform/Elevation.h"
#include "guard/platform/Processes.h"
#include "guard/platform/ui/Controls.h"

namespace qv {

struct AdminOutcome {
    enum class Result {
        Ended,       // the program ran and ended with `exitCode`, when it is known
        Declined,    // the user said no at the elevation prompt: nothing ran
        NotStarted,  // the program could not be started; `reason` says why
        TimedOut,    // it still ran after kWaitMs
    };
    Result result = Result::NotStarted;
    // Unknown when the system started the program without handing back its process.
    std::optional<unsigned long> exitCode;
    std::string reason;
};

class AdminCommand {
public:
    static constexpr int kPollMs = 100;
    static constexpr int kWaitMs = 30000;
    using Done = std::function<void(const AdminOutcome&)>;

    // The watch timer belongs to `owner` (named `timerName` there); every reference
    // outlives this object.
    AdminCommand(ui::Form& owner, const std::string& timerName, platform::Elevation& elevation,
                 platform::Processes& processes);

    // Starts `program` (a full path) with `parameters`, hidden. `done` runs once with the
    // outcome, always from a tick of the watch, never inside run(), so the caller has
    // finished its own part first. A command is never doubled: until its `done` has run,
    // run() does nothing and returns false. That holds while the elevation prompt waits
    // too, when the guard's timers tick on.
    bool run(const std::string& program, const std::string& parameters, Done done);
    bool running() const { return starting_ || timer_.enabled(); }

private:
    void start(const std::string& program, const std::string& parameters);
    void watch();
    void finish(AdminOutcome outcome);

    ui::Timer timer_;
    platform::Elevation& elevation_;
    platform::Processes& processes_;
    std::unique_ptr<platform::WatchedProgram> program_;
    std::optional<AdminOutcome> outcome_;  // known at once: handed over at the next tick
    int waitedMs_ = 0;
    bool starting_ = false;  // inside start(): the prompt may be waiting for its answer
    Done done_;
};

// Why a command did not do its work, for a message that names what was asked of `tool`
// ("reg.exe"): the user declined, it could not start, it did not end in time, or it ended
// (with its exit code, when known) and still the change is not there.
std::string adminFailureReason(const AdminOutcome& outcome, const std::string& tool);
// The title of that message: "提示" for the user's own refusal, "错误" otherwise.
const char* adminFailureTitle(const AdminOutcome& outcome);

}  // namespace qv
