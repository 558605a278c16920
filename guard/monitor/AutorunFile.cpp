#include "guard/monitor/AutorunFile.h"

#include <algorithm>
#include <cctype>

#include "common/worms/CommandPayloads.h"
#include "common/worms/DriveNames.h"
#include "common/worms/Utf16.h"

namespace qv::monitor {

namespace {

constexpr std::string_view kOpenKey = "open=";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool sameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// "shell\<verb>\command", the verb anything but empty or holding a backslash.
bool isVerbCommandKey(std::string_view key) {
    constexpr std::string_view kShell = "shell\\", kCommand = "\\command";
    if (key.size() <= kShell.size() + kCommand.size()) return false;
    if (!sameWord(key.substr(0, kShell.size()), kShell) ||
        !sameWord(key.substr(key.size() - kCommand.size()), kCommand)) {
        return false;
    }
    std::string_view verb = key.substr(kShell.size(), key.size() - kShell.size() - kCommand.size());
    return verb.find('\\') == std::string_view::npos;
}

}  // namespace

std::string autorunText(std::string_view bytes,
                        const std::function<std::string(std::string_view)>& ansiToText) {
    if (worms::startsWithUtf16leMark(bytes)) return worms::utf16leToUtf8(bytes.substr(2));
    // A line end is never the second byte of a double-byte character, but a code page's
    // converter may take it as one after a lone lead byte ("junk\x81" CR LF "open=x.exe"
    // would lose its CR, and the open= line its start). When the whole text comes out with
    // fewer line ends than its bytes hold, the bytes are cut before each line end that
    // follows a byte which may lead a character, and the pieces converted apart.
    std::string whole = ansiToText(bytes);
    auto lineEnds = [](std::string_view text) {
        return std::count_if(text.begin(), text.end(),
                             [](char c) { return c == '\r' || c == '\n'; });
    };
    if (lineEnds(whole) == lineEnds(bytes)) return whole;
    std::string text;
    std::size_t start = 0;
    for (std::size_t i = 1; i < bytes.size(); ++i) {
        if ((bytes[i] == '\r' || bytes[i] == '\n') &&
            static_cast<unsigned char>(bytes[i - 1]) >= 0x80) {
            text += ansiToText(bytes.substr(start, i - start));
            start = i;
        }
    }
    text += ansiToText(bytes.substr(start));
    return text;
}

std::optional<std::string> openLine(std::string_view text) {
    std::size_t lineStart = 0;
    while (lineStart <= text.size()) {
        std::size_t lineEnd = text.find('\r', lineStart);
        if (lineEnd == std::string_view::npos) lineEnd = text.size();
        std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        if (line.starts_with(kOpenKey)) return std::string(line.substr(kOpenKey.size()));
        if (lineEnd == text.size()) break;
        lineStart = lineEnd + 1;
        if (lineStart < text.size() && text[lineStart] == '\n') ++lineStart;
    }
    return std::nullopt;
}

std::optional<std::string> openCommand(std::string_view text) {
    std::optional<std::string> value = openLine(text);
    if (!value || value->empty()) return std::nullopt;
    return value;
}

std::optional<std::string> executeCommand(std::string_view text) {
    std::optional<std::string> shellExecute, verbCommand;
    bool inAutorun = false;
    std::size_t lineStart = 0;
    while (lineStart < text.size() && !shellExecute) {
        std::size_t lineEnd = text.find_first_of("\r\n", lineStart);
        if (lineEnd == std::string_view::npos) lineEnd = text.size();
        std::string_view line = trimmed(text.substr(lineStart, lineEnd - lineStart));
        lineStart = lineEnd + 1;
        if (line.starts_with('[')) {
            std::string_view name = line.substr(1, line.find(']') - 1);
            inAutorun = sameWord(trimmed(name), "autorun");
            continue;
        }
        std::size_t equals = line.find('=');
        if (!inAutorun || equals == std::string_view::npos) continue;
        std::string_view key = trimmed(line.substr(0, equals));
        std::string_view value = line.substr(equals + 1);
        value = trimmed(value.substr(0, value.find('\0')));
        if (value.empty()) continue;
        if (sameWord(key, "shellexecute")) {
            shellExecute = std::string(value);
        } else if (!verbCommand && isVerbCommandKey(key)) {
            verbCommand = std::string(value);
        }
    }
    return shellExecute ? shellExecute : verbCommand;
}

std::optional<std::string> associatedFilePath(std::string_view autorunPath, std::string_view name) {
    return worms::fileBelowRoot(autorunPath.substr(0, 3), name);
}

std::optional<AutorunProgram> autorunProgram(std::string_view autorunPath, std::string_view text) {
    if (std::optional<std::string> open = openLine(text)) {
        if (open->empty()) return std::nullopt;
        AutorunProgram program{*open, {}};
        if (auto file = associatedFilePath(autorunPath, *open)) program.files.push_back(*file);
        return program;
    }
    std::optional<std::string> command = executeCommand(text);
    if (!command) return std::nullopt;
    return AutorunProgram{*command, worms::namedFiles(*command, autorunPath.substr(0, 3))};
}

}  // namespace qv::monitor
