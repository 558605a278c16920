#include "guard/monitor/AutorunFile.h"

#include "common/worms/DriveNames.h"

namespace qv::monitor {

namespace {

constexpr std::string_view kOpenKey = "open=";

}  // namespace

std::optional<std::string> openCommand(std::string_view text) {
    std::size_t lineStart = 0;
    while (lineStart <= text.size()) {
        std::size_t lineEnd = text.find('\r', lineStart);
        if (lineEnd == std::string_view::npos) lineEnd = text.size();
        std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        if (line.starts_with(kOpenKey)) {
            if (line.size() == kOpenKey.size()) return std::nullopt;
            return std::string(line.substr(kOpenKey.size()));
        }
        if (lineEnd == text.size()) break;
        lineStart = lineEnd + 1;
        if (lineStart < text.size() && text[lineStart] == '\n') ++lineStart;
    }
    return std::nullopt;
}

std::optional<std::string> associatedFilePath(std::string_view autorunPath, std::string_view name) {
    return worms::fileBelowRoot(autorunPath.substr(0, 3), name);
}

}  // namespace qv::monitor
