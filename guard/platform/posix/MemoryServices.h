#pragma once
// In-memory back-ends of the services that reach outside the file system (registry,
// process start, clock, single instance, skin, web visit), for native tests. Each one is
// a working implementation that also records what it was asked to do.

#include <map>
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
    platform::Status writeString(const std::string& valuePath, const std::string& data) override;
    platform::Status deleteValue(const std::string& valuePath) override;
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
    platform::Status start(const std::string& commandLine, platform::WindowMode mode) override;
    // Starts of `program` (the command line's first word, case-insensitive) fail.
    void setMissing(const std::string& program);
    const std::vector<Start>& starts() const { return starts_; }

private:
    std::set<std::string> missing_;
    std::vector<Start> starts_;
};

class FixedClock : public platform::Clock {
public:
    std::string generalDateTime() override { return text; }
    std::string text = "2026/12/8 14:03:59";
};

class FlagSingleInstance : public platform::SingleInstance {
public:
    bool acquire() override { return !anotherCopyRunning_; }
    void setAnotherCopyRunning(bool running) { anotherCopyRunning_ = running; }

private:
    bool anotherCopyRunning_ = false;
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
