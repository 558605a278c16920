// The pure helpers of guard/platform: folders joined, command lines made and read.

#include "common/folders/DataFolder.h"
#include "guard/platform/CommandLine.h"
#include "guard/platform/Folders.h"

namespace qv::platform {

std::string inFolder(std::string_view folder, std::string_view name) {
    return folders::inFolder(folder, name);
}

char driveLetterOf(std::string_view path) {
    if (path.size() < 2 || path[1] != ':') return 0;
    const char c = path[0];
    if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
    return c >= 'a' && c <= 'z' ? c : 0;
}

std::string quoted(std::string_view path) {
    std::string text = "\"";
    text.append(path);
    text += '"';
    return text;
}

std::string commandLine(std::string_view program, std::string_view arguments) {
    std::string line = quoted(program);
    if (!arguments.empty()) line.append(" ").append(arguments);
    return line;
}

std::string argument(std::string_view text) {
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : text) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes are literal unless a double quote follows them.
        out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    // The closing quote follows: the backslashes before it are doubled too.
    out.append(backslashes * 2, '\\');
    out += '"';
    return out;
}

std::string programOf(std::string_view line) {
    std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos) return {};
    if (line[start] == '"') {
        std::size_t end = line.find('"', start + 1);
        return std::string(
            line.substr(start + 1, end == std::string_view::npos ? end : end - start - 1));
    }
    return std::string(line.substr(start, line.find_first_of(" \t", start) - start));
}

bool isFullPath(std::string_view path) {
    bool drive = path.size() >= 3 &&
                 ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z')) &&
                 path[1] == ':' && path[2] == '\\';
    bool server = path.size() >= 3 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\';
    return drive || server;
}

}  // namespace qv::platform
