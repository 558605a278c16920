#include "guard/platform/posix/MemoryServices.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "guard/platform/CommandLine.h"

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

// Ends with its scripted exit code once it has been looked at often enough.
class ScriptedProgram : public platform::WatchedProgram {
public:
    ScriptedProgram(std::optional<unsigned long> exitCode, int polls, int* ends = nullptr)
        : exitCode_(exitCode), pollsLeft_(polls), ends_(ends) {}
    std::optional<unsigned long> exitCode() override {
        if (pollsLeft_ > 0) {
            --pollsLeft_;
            return std::nullopt;
        }
        return exitCode_;
    }
    // Ended as TerminateProcess ends a program, with exit code 1.
    bool end() override {
        if (ends_) ++*ends_;
        pollsLeft_ = 0;
        if (!exitCode_) exitCode_ = 1;
        return true;
    }

private:
    std::optional<unsigned long> exitCode_;
    int pollsLeft_;
    int* ends_;
};

}  // namespace

void MemoryRegistry::store(const std::string& valuePath, platform::RegistryValue value) {
    std::string path = lowerCase(valuePath);
    values_[path] = std::move(value);
    // Every key on the way is there now.
    for (size_t end = path.rfind('\\'); end != std::string::npos && end > 0;
         end = path.rfind('\\', end - 1)) {
        keys_.insert(path.substr(0, end));
    }
}

Status MemoryRegistry::writeString(const std::string& valuePath, const std::string& data) {
    if (readOnly_) return Status::failure("拒绝访问。");
    store(valuePath, {platform::RegistryValue::Type::String, data, 0});
    return Status::success();
}

void MemoryRegistry::writeNumber(const std::string& valuePath, std::uint32_t number) {
    store(valuePath, {platform::RegistryValue::Type::Number, "", number});
}

Status MemoryRegistry::deleteValue(const std::string& valuePath) {
    if (readOnly_) return Status::failure("拒绝访问。");
    if (values_.erase(lowerCase(valuePath)) == 0) {
        return Status::failure("系统找不到指定的文件。");
    }
    return Status::success();
}

void MemoryRegistry::deleteKey(const std::string& keyPath) {
    const std::string key = lowerCase(keyPath);
    auto under = [&](const std::string& path) {
        return path == key || path.starts_with(key + "\\");
    };
    std::erase_if(values_, [&](const auto& entry) { return under(entry.first); });
    std::erase_if(keys_, under);
}

std::optional<platform::RegistryValue> MemoryRegistry::readValue(const std::string& valuePath) {
    auto it = values_.find(lowerCase(valuePath));
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

bool MemoryRegistry::keyExists(const std::string& keyPath) {
    return keys_.contains(lowerCase(keyPath));
}

const std::string* MemoryRegistry::find(const std::string& valuePath) const {
    auto it = values_.find(lowerCase(valuePath));
    if (it == values_.end() || it->second.type != platform::RegistryValue::Type::String)
        return nullptr;
    return &it->second.text;
}

Status RecordingProcesses::start(const std::string& commandLine, platform::WindowMode mode) {
    const std::string path = platform::programOf(commandLine);
    if (!platform::isFullPath(path)) {
        refused_.push_back(commandLine);
        return Status::failure("参数错误。");
    }
    std::string program = programName(path);
    if (program.empty() || missing_.contains(program)) {
        refused_.push_back(commandLine);
        return Status::failure("系统找不到指定的文件。");
    }
    starts_.push_back({commandLine, mode});
    if (onStart) onStart(commandLine);
    return Status::success();
}

platform::WatchedStart RecordingProcesses::startWatched(const std::string& commandLine,
                                                        platform::WindowMode mode) {
    Status status = start(commandLine, mode);
    if (!status.ok()) return {std::move(status), nullptr};
    Outcome outcome{0, 0};
    if (auto it = outcomes_.find(programName(platform::programOf(commandLine)));
        it != outcomes_.end()) {
        outcome = it->second;
    }
    return {std::move(status),
            std::make_unique<ScriptedProgram>(outcome.exitCode, outcome.polls, &ends_)};
}

void RecordingProcesses::setOutcome(const std::string& program,
                                    std::optional<unsigned long> exitCode, int polls) {
    outcomes_[programName(program)] = {exitCode, polls};
}

void RecordingProcesses::setMissing(const std::string& program) {
    missing_.insert(programName(program));
}

platform::RunningPrograms RecordingProcesses::running(const std::string& imageName) {
    auto it = running_.find(lowerCase(imageName));
    return it == running_.end() ? platform::RunningPrograms{} : it->second;
}

void RecordingProcesses::setRunning(const std::string& imageName,
                                    platform::RunningPrograms programs) {
    running_[lowerCase(imageName)] = programs;
}

platform::ElevatedStart ScriptedElevation::startElevated(const std::string& program,
                                                         const std::string& parameters,
                                                         platform::WindowMode mode) {
    using Result = platform::ElevatedStart::Result;
    prompts_.push_back({program, parameters, mode});
    if (whilePrompting) whilePrompting();
    switch (answer_) {
        case Answer::Decline:
            return {Result::Declined, "", nullptr};
        case Answer::Fail:
            return {Result::Failed, "系统找不到指定的文件。", nullptr};
        case Answer::Agree:
        case Answer::AgreeWithoutProcess:
            break;
    }
    if (onStart) onStart(program, parameters);
    if (answer_ == Answer::AgreeWithoutProcess) return {Result::Started, "", nullptr};
    return {Result::Started, "", std::make_unique<ScriptedProgram>(exitCode_, polls_)};
}

}  // namespace qv::posix
