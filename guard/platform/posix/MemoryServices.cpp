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

// The program a command line starts: its first word, or the quoted text at its start.
std::string programOf(const std::string& commandLine) {
    if (!commandLine.empty() && commandLine[0] == '"') {
        return commandLine.substr(1, commandLine.find('"', 1) - 1);
    }
    return commandLine.substr(0, commandLine.find(' '));
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
    if (missing_.contains(lowerCase(programOf(commandLine)))) {
        return Status::failure("系统找不到指定的文件。");
    }
    starts_.push_back({commandLine, mode});
    return Status::success();
}

void RecordingProcesses::setMissing(const std::string& program) {
    missing_.insert(lowerCase(program));
}

}  // namespace qv::posix
