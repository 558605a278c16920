#pragma once
// In-memory back-ends of the services that reach outside the file system (folders,
// registry, process start, elevation, clock, single instance, skin, web visit), for native
// tests. Each one is a working implementation that also records what it was asked to do.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <functional>

#include "guard/platform/Clock.h"
#include "guard/platform/Elevation.h"
#include "guard/platform/Folders.h"
#include "guard/platform/Processes.h"
#include "guard/platform/Registry.h"
#include "guard/platform/SingleInstance.h"
#include "guard/platform/Skin.h"
#include "guard/platform/WebVisit.h"

namespace qv::posix {

// The folders of an installed guard; a test may move any of them.
class FixedFolders : public platform::Folders {
public:
    std::string programFolder() override { return program; }
    std::string dataFolder() override { return data; }
    std::string systemFolder() override { return system; }
    std::string windowsFolder() override { return windows; }

    std::string program = "C:\\Program Files\\QV";
    std::string data = "C:\\ProgramData\\QVu盘卫士";
    std::string system = "C:\\Windows\\system32";
    std::string windows = "C:\\Windows";
};

class MemoryRegistry : public platform::Registry {
public:
    Status writeString(const std::string& valuePath, const std::string& data) override;
    Status deleteValue(const std::string& valuePath) override;
    std::optional<platform::RegistryValue> readValue(const std::string& valuePath) override;
    bool keyExists(const std::string& keyPath) override;
    // Value and key paths compare without regard to ASCII case, as registry names do.
    const std::string* find(const std::string& valuePath) const;
    // A REG_DWORD value, as an imported registry file writes one.
    void writeNumber(const std::string& valuePath, std::uint32_t number);
    // Removes a key with everything under it.
    void deleteKey(const std::string& keyPath);
    // Refuses every change, as a registry without the right to write does.
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }

private:
    void store(const std::string& valuePath, platform::RegistryValue value);

    std::map<std::string, platform::RegistryValue> values_;  // by lower-case path
    std::set<std::string> keys_;                             // lower case, made by writes
    bool readOnly_ = false;
};

class RecordingProcesses : public platform::Processes {
public:
    struct Start {
        std::string commandLine;
        platform::WindowMode mode;
        friend bool operator==(const Start&, const Start&) = default;
    };
    // A program not named by its full path is refused, as the Win32 back-end refuses it.
    Status start(const std::string& commandLine, platform::WindowMode mode) override;
    // Recorded as start() records; the program ends at once with exit code 0 unless the
    // test said otherwise with setOutcome.
    platform::WatchedStart startWatched(const std::string& commandLine,
                                        platform::WindowMode mode) override;
    platform::RunningPrograms running(const std::string& imageName) override;
    // Starts of `program` fail from now on, as for a program that is not there. The program
    // of a command line is its first word (or its quoted start), compared by file name
    // without regard to case or to a folder or ".exe" before or after it: "Filedir" stands
    // for "Filedir.exe" and for "C:\QV\filedir.EXE".
    void setMissing(const std::string& program);
    // How the watched programs named `program` (as for setMissing) end from now on: with
    // `exitCode` after `polls` looks at them, or never when `exitCode` is nullopt.
    void setOutcome(const std::string& program, std::optional<unsigned long> exitCode,
                    int polls = 0);
    // What running() answers for `imageName` from now on.
    void setRunning(const std::string& imageName, platform::RunningPrograms programs);
    // Runs after each start that succeeded, with its command line: what the program does.
    std::function<void(const std::string&)> onStart;
    // The programs started, in order; and the command lines whose start failed.
    const std::vector<Start>& starts() const { return starts_; }
    const std::vector<std::string>& refused() const { return refused_; }
    // How many watched programs were ended by end().
    int ends() const { return ends_; }

private:
    struct Outcome {
        std::optional<unsigned long> exitCode;
        int polls = 0;
    };
    std::set<std::string> missing_;
    std::map<std::string, Outcome> outcomes_;
    std::map<std::string, platform::RunningPrograms> running_;
    std::vector<Start> starts_;
    std::vector<std::string> refused_;
    int ends_ = 0;
};

// The elevation prompt, answered as the test says: agreed to (the program then runs and
// ends as RecordingProcesses' setOutcome would have it), declined, or failing.
class ScriptedElevation : public platform::Elevation {
public:
    // AgreeWithoutProcess: the program runs, but its process is not handed back.
    enum class Answer { Agree, AgreeWithoutProcess, Decline, Fail };
    struct Start {
        std::string program;
        std::string parameters;
        platform::WindowMode mode;
        friend bool operator==(const Start&, const Start&) = default;
    };
    bool elevated() override { return elevated_; }
    platform::ElevatedStart startElevated(const std::string& program, const std::string& parameters,
                                          platform::WindowMode mode) override;

    void setElevated(bool elevated) { elevated_ = elevated; }
    void setAnswer(Answer answer) { answer_ = answer; }
    // The started programs end with `exitCode` after `polls` looks, or never (nullopt).
    void setOutcome(std::optional<unsigned long> exitCode, int polls = 0) {
        exitCode_ = exitCode;
        polls_ = polls;
    }
    // Runs when an agreed program starts, with its program and parameters: what it does.
    std::function<void(const std::string&, const std::string&)> onStart;
    // Runs while the prompt waits for the answer, as the guard's messages are dispatched
    // meanwhile (its timers tick).
    std::function<void()> whilePrompting;
    // Every prompt shown, whatever the answer.
    const std::vector<Start>& prompts() const { return prompts_; }

private:
    bool elevated_ = false;
    Answer answer_ = Answer::Agree;
    std::optional<unsigned long> exitCode_ = 0;
    int polls_ = 0;
    std::vector<Start> prompts_;
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
