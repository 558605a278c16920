#include "common/worms/DriveNames.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

#include "common/removal/DrivePath.h"

namespace qv::worms {

namespace {

// The longest path the system takes (in UTF-16 units; UTF-8 is never shorter).
constexpr std::size_t kMaxPath = 32767;

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// A name the guard could remove without surprise: none of the characters Windows refuses
// (wildcards, the stream and drive separator ':', control characters), and no trailing dot
// or blank, which the system would strip from the last name of a path (and from a
// folder's name on the way only in part) and so name another entry.
bool isPlainName(std::string_view part) {
    for (unsigned char c : part) {
        if (c < 0x20 || std::strchr("<>:\"|?*", c) != nullptr) return false;
    }
    return part.back() != '.' && part.back() != ' ' && !removal::isDeviceName(part);
}

}  // namespace

std::string foldedName(std::string_view name) {
    std::string out(name);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::optional<std::string> fileBelowRoot(std::string_view root, std::string_view name) {
    if (root.size() != 3 || root[1] != ':' || root[2] != '\\' ||
        !std::isalpha(static_cast<unsigned char>(root[0]))) {
        return std::nullopt;
    }
    // "If the path doesn't end in a separator, all trailing periods and spaces are removed"
    // (learn.microsoft.com/dotnet/standard/io/file-path-formats, on how Windows normalises
    // a path): "setup.exe. " opens setup.exe.
    if (!name.empty() && !isSeparator(name.back())) {
        while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.remove_suffix(1);
    }
    if (name.empty() || isSeparator(name.front()) || name.size() + 3 > kMaxPath) {
        return std::nullopt;  // rooted, network ("\\server") or device ("\\.\", "\\?\")
    }
    int depth = 0;
    bool lastIsFile = false;
    std::size_t at = 0;
    while (at <= name.size()) {
        std::size_t end = at;
        while (end < name.size() && !isSeparator(name[end])) ++end;
        std::string_view part = name.substr(at, end - at);
        lastIsFile = false;
        if (part == "..") {
            if (--depth < 0) return std::nullopt;
        } else if (!part.empty() && part != ".") {
            if (!isPlainName(part)) return std::nullopt;
            ++depth;
            lastIsFile = true;
        }
        at = end + 1;
    }
    if (!lastIsFile) return std::nullopt;  // names a folder, not a file
    std::string path(root);
    path += name;
    return path;
}

}  // namespace qv::worms
