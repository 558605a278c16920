#include "guard/shell/ProcessList.h"

#include <cstdint>

#include "common/GuardRuntimeFiles.h"
#include "guard/platform/CommandLine.h"

namespace qv::process_list {

std::string captureCommand(const std::string& cmd, const std::string& tasklist) {
    return platform::commandLine(cmd, "/d /s /c \"" + platform::quoted(tasklist) + " >" +
                                          runtime_files::kProcessListCapture + "\"");
}

std::string normalisedPid(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    // A negative number is no PID: it ends no process, as 0 does.
    if (i < text.size() && text[i] == '-') return "0";
    if (i < text.size() && text[i] == '+') ++i;
    constexpr std::uint64_t kMax = 4294967295u;
    std::uint64_t value = 0;  // no digit at all reads as 0
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
        if (value > kMax) value = kMax;
    }
    return std::to_string(value);
}

std::string killCommand(const std::string& taskkill, std::string_view pid) {
    return platform::commandLine(taskkill, "/PID " + std::string(pid) + " /f");
}

std::string captureFailedText(const std::string& reason) {
    return "无法获取进程列表：" + reason + "\r\n（仍在每隔 1.2 秒重试）";
}

}  // namespace qv::process_list
