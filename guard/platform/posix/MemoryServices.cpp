#include "guard/platform/posix/MemoryServices.h"

#include <algorithm>
#include <cctype>
#include <memory>

namespace qv::posix {

namespace {

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// A program's file name in lower case, without its folder and without ".exe".
std::string programName(std::string program) {
    size_t folder = program.find_last_of("\\/");
    if (folder != std::string::npos) program.erase(0, folder + 1);
    program = lowerCase(program);
    if (program.ends_with(".exe")) program.resize(program.size() - 4);
    return program;
}

// The program a command line starts: its first word, or the quoted text at its start.
std::string programOf(const std::string& commandLine) {
    size_t start = commandLine.find_first_not_of(" \t");
    if (start == std::string::npos) return {};
    if (commandLine[start] == '"') {
        size_t end = commandLine.find('"', start + 1);
        return commandLine.substr(start + 1, end == std::string::npos ? end : end - start - 1);
    }
    return commandLine.substr(start, commandLine.find_first_of(" \t", start) - start);
}

// Ends with its scripted exit code once it has been looked at often enough.
class ScriptedProgram : public platform::WatchedProgram {
public:
    ScriptedProgram(std::optional<unsigned long> exitCode, int polls)
        : exitCode_(exitCode), pollsLeft_(polls) {}
    std::optional<unsigned long> exitCode() override {
        if (pollsLeft_ > 0) {
            --pollsLeft_;
            return std::nullopt;
        }
        return exitCode_;
    }

private:
    std::optional<unsigned long> exitCode_;
    int pollsLeft_;
};

}  // namespace

Status MemoryRegistry::writeString(const std::string& valuePath, const std::string& data) {
    if (readOnly_) return Status::failure("拒绝访问。");
    values_[lowerCase(valuePath)] = data;
    return Status::success();
}

Status MemoryRegistry::deleteValue(const std::string& valuePath) {
    if (readOnly_) return Status::failure("拒绝访问。");
    if (values_.erase(lowerCase(valuePath)) == 0) {
        return Status::failure("系统找不到指定的文件。");
    }
    return Status::success();
}

const std::string* MemoryRegistry::find(const std::string& valuePath) const {
    auto it = values_.find(lowerCase(valuePath));
    return it == values_.end() ? nullptr : &it->second;
}

Status RecordingProcesses::start(const std::string& commandLine, platform::WindowMode mode) {
    std::string program = programName(programOf(commandLine));
    if (program.empty() || missing_.contains(program)) {
        refused_.push_back(commandLine);
        return Status::failure("系统找不到指定的文件。");
    }
    starts_.push_back({commandLine, mode});
    return Status::success();
}

platform::WatchedStart RecordingProcesses::startWatched(const std::string& commandLine,
                                                        platform::WindowMode mode) {
    Status status = start(commandLine, mode);
    if (!status.ok()) return {std::move(status), nullptr};
    Outcome outcome{0, 0};
    if (auto it = outcomes_.find(programName(programOf(commandLine))); it != outcomes_.end()) {
        outcome = it->second;
    }
    return {std::move(status), std::make_unique<ScriptedProgram>(outcome.exitCode, outcome.polls)};
}

void RecordingProcesses::setOutcome(const std::string& program,
                                    std::optional<unsigned long> exitCode, int polls) {
    outcomes_[programName(program)] = {exitCode, polls};
}

void RecordingProcesses::setMissing(const std::string& program) {
    missing_.insert(programName(program));
}

}  // namespace qv::posix
