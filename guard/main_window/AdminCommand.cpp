#include "guard/main_window/AdminCommand.h"

#include <utility>

#include "guard/platform/CommandLine.h"

namespace qv {

AdminCommand::AdminCommand(ui::Form& owner, const std::string& timerName,
                           platform::Elevation& elevation, platform::Processes& processes)
    : timer_(owner, timerName), elevation_(elevation), processes_(processes) {
    timer_.setInterval(kPollMs);
    timer_.setEnabled(false);
    timer_.onTimer = [this] { watch(); };
}

bool AdminCommand::run(const std::string& program, const std::string& parameters, Done done) {
    if (running()) return false;
    done_ = std::move(done);
    outcome_.reset();
    waitedMs_ = 0;
    starting_ = true;
    start(program, parameters);
    starting_ = false;
    timer_.setEnabled(true);
    return true;
}

void AdminCommand::start(const std::string& program, const std::string& parameters) {
    using Result = AdminOutcome::Result;
    std::unique_ptr<platform::WatchedProgram> started;
    if (elevation_.elevated()) {
        // The guard's own rights are an administrator's: a program it starts has them too.
        platform::WatchedStart direct = processes_.startWatched(
            platform::commandLine(program, parameters), platform::WindowMode::Hidden);
        if (!direct.status.ok()) {
            outcome_ = AdminOutcome{Result::NotStarted, std::nullopt, direct.status.description()};
            return;
        }
        started = std::move(direct.program);
    } else {
        platform::ElevatedStart prompted =
            elevation_.startElevated(program, parameters, platform::WindowMode::Hidden);
        if (prompted.result == platform::ElevatedStart::Result::Declined) {
            outcome_ = AdminOutcome{Result::Declined, std::nullopt, ""};
            return;
        }
        if (prompted.result == platform::ElevatedStart::Result::Failed) {
            outcome_ = AdminOutcome{Result::NotStarted, std::nullopt, prompted.reason};
            return;
        }
        started = std::move(prompted.program);
    }
    // Without a handle there is nothing to watch: what it did is read back, and a change
    // that is not there is not blamed on an exit code nobody knows.
    if (!started) outcome_ = AdminOutcome{Result::Ended, std::nullopt, ""};
    program_ = std::move(started);
}

void AdminCommand::watch() {
    if (outcome_) return finish(*outcome_);
    if (!program_) return;
    if (std::optional<unsigned long> code = program_->exitCode()) {
        return finish({AdminOutcome::Result::Ended, *code, ""});
    }
    waitedMs_ += kPollMs;
    if (waitedMs_ >= kWaitMs) finish({AdminOutcome::Result::TimedOut, std::nullopt, ""});
}

void AdminCommand::finish(AdminOutcome outcome) {
    // The watch stops before `done` runs: timers keep ticking inside the message boxes it
    // may show.
    timer_.setEnabled(false);
    program_.reset();
    outcome_.reset();
    Done done = std::move(done_);
    done_ = nullptr;
    if (done) done(outcome);
}

std::string adminFailureReason(const AdminOutcome& outcome, const std::string& tool) {
    switch (outcome.result) {
        case AdminOutcome::Result::Declined:
            return "您没有同意以管理员身份运行，未作任何更改。";
        case AdminOutcome::Result::NotStarted:
            return "无法以管理员身份启动 " + tool + "。\r\n原因：" + outcome.reason;
        case AdminOutcome::Result::TimedOut:
            return tool + " 在 " + std::to_string(AdminCommand::kWaitMs / 1000) + " 秒内没有结束。";
        case AdminOutcome::Result::Ended:
            break;
    }
    if (!outcome.exitCode) return tool + " 已启动，但无从得知它的结果，更改没有生效。";
    return tool + " 已运行结束（退出代码 " + std::to_string(*outcome.exitCode) +
           "），但更改没有生效。";
}

const char* adminFailureTitle(const AdminOutcome& outcome) {
    return outcome.result == AdminOutcome::Result::Declined ? "提示" : "错误";
}

}  // namespace qv
