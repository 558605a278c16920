#include "guard/platform/posix/MemoryServices.h"

#include <algorithm>
#include <cctype>

namespace qv::posix {

using platform::Status;

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

void RecordingProcesses::setMissing(const std::string& program) {
    missing_.insert(programName(program));
}

}  // namespace qv::posix
