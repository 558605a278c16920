#pragma once
// In-memory back-ends of the services that reach outside the file system (registry,
// process start, clock, single instance, skin, web visit), for native tests. Each one is
// a working implementation that also records what it was asked to do.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "guard/platform/Clock.h"
#include "guard/platform/Processes.h"
#include "guard/platform/Registry.h"
#include "guard/platform/SingleInstance.h"
#include "guard/platform/Skin.h"
#include "guard/platform/WebVisit.h"

namespace qv::posix {

class MemoryRegistry : public platform::Registry {
public:
    Status writeString(const std::string& valuePath, const std::string& data) override;
    Status deleteValue(const std::string& valuePath) override;
    bool valueExists(const std::string& valuePath) override { return find(valuePath) != nullptr; }
    // Value paths compare without regard to ASCII case, as registry names do.
    const std::string* find(const std::string& valuePath) const;
    // Refuses every change, as a registry without the right to write does.
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }

private:
    std::map<std::string, std::string> values_;  // by lower-case path
    bool readOnly_ = false;
};

class RecordingProcesses : public platform::Processes {
public:
    struct Start {
        std::string commandLine;
        platform::WindowMode mode;
        friend bool operator==(const Start&, const Start&) = default;
    };
    Status start(const std::string& commandLine, platform::WindowMode mode) override;
    // Recorded as start() records; the program ends at once with exit code 0 unless the
    // test said otherwise with setOutcome.
    platform::WatchedStart startWatched(const std::string& commandLine,
                                        platform::WindowMode mode) override;
    std::string programFolder() override { return programFolder_; }
    void setProgramFolder(std::string folder) { programFolder_ = std::move(folder); }
    // Starts of `program` fail from now on, as for a program that is not there. The program
    // of a command line is its first word (or its quoted start), compared by file name
    // without regard to case or to a folder or ".exe" before or after it: "Filedir" stands
    // for "Filedir.exe" and for "C:\QV\filedir.EXE".
    void setMissing(const std::string& program);
    // How the watched programs named `program` (as for setMissing) end from now on: with
    // `exitCode` after `polls` looks at them, or never when `exitCode` is nullopt.
    void setOutcome(const std::string& program, std::optional<unsigned long> exitCode,
                    int polls = 0);
    // The programs started, in order; and the command lines whose start failed.
    const std::vector<Start>& starts() const { return starts_; }
    const std::vector<std::string>& refused() const { return refused_; }

private:
    std::string programFolder_ = "C:\\Program Files\\QV";
    struct Outcome {
        std::optional<unsigned long> exitCode;
        int polls = 0;
    };
    std::set<std::string> missing_;
    std::map<std::string, Outcome> outcomes_;
    std::vector<Start> starts_;
    std::vector<std::string> refused_;
};

// The general date text of "now" is whatever the test set last.
class ManualClock : public platform::Clock {
public:
    std::string generalDateTime() override { return text_; }
    void set(std::string text) { text_ = std::move(text); }

private:
    std::string text_ = "2026/12/8 14:03:59";
};

// Answers every claim as the test said (Held unless told otherwise).
class FlagSingleInstance : public platform::SingleInstance {
public:
    platform::InstanceClaim claim() override { return answer_; }
    void setAnswer(platform::InstanceClaim answer) { answer_ = answer; }

private:
    platform::InstanceClaim answer_ = platform::InstanceClaim::Held;
};

class RecordingSkin : public platform::Skin {
public:
    void attach(const std::string& skinFile, const std::string& password) override {
        attached.emplace_back(skinFile, password);
    }
    std::vector<std::pair<std::string, std::string>> attached;
};

class RecordingWebVisit : public platform::WebVisit {
public:
    void navigate(const std::string& url) override { visited.push_back(url); }
    std::vector<std::string> visited;
};

}  // namespace qv::posix
