#include "common/removal/DrivePath.h"

#include <cstring>
#include <vector>

namespace qv::removal {

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool isDriveLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool allowedInName(unsigned char c) {
    return c >= 0x20 && std::strchr("<>:\"|?*", c) == nullptr;
}

}  // namespace

std::optional<std::string> plainDrivePath(std::string_view path) {
    if (path.size() < 3 || !isDriveLetter(path[0]) || path[1] != ':' || !isSeparator(path[2])) {
        return std::nullopt;
    }
    std::vector<std::string_view> parts;
    std::size_t at = 3;
    while (at <= path.size()) {
        std::size_t end = at;
        while (end < path.size() && !isSeparator(path[end])) ++end;
        std::string_view part = path.substr(at, end - at);
        if (part == "..") {
            if (parts.empty()) return std::nullopt;
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            for (unsigned char c : part) {
                if (!allowedInName(c)) return std::nullopt;
            }
            parts.push_back(part);
        }
        at = end + 1;
    }
    if (parts.empty()) return std::nullopt;
    std::string plain(path.substr(0, 2));
    for (std::string_view part : parts) {
        plain += '\\';
        plain += part;
    }
    return plain;
}

std::string folderOf(std::string_view plainPath) {
    std::size_t slash = plainPath.find_last_of('\\');
    if (slash == std::string_view::npos) return std::string(plainPath);
    return std::string(plainPath.substr(0, slash <= 2 ? 3 : slash));
}

bool isDeviceName(std::string_view name) {
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    std::string upper(stem);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    for (std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (upper == device) return true;
    }
    if (!upper.starts_with("COM") && !upper.starts_with("LPT")) return false;
    if (upper.size() == 4) return upper[3] >= '0' && upper[3] <= '9';
    // Also with the superscript digits ¹ ² ³ (UTF-8 C2 B9, C2 B2, C2 B3), which Windows
    // reserves too ("Naming Files, Paths, and Namespaces", learn.microsoft.com/windows/win32/
    // fileio/naming-a-file).
    return upper.size() == 5 && upper[3] == '\xC2' &&
           (upper[4] == '\xB9' || upper[4] == '\xB2' || upper[4] == '\xB3');
}

bool namesDevice(std::string_view plainPath) {
    std::size_t start = plainPath.find('\\');
    while (start != std::string_view::npos) {
        const std::size_t end = plainPath.find('\\', start + 1);
        if (isDeviceName(plainPath.substr(start + 1, end == std::string_view::npos
                                                         ? std::string_view::npos
                                                         : end - start - 1))) {
            return true;
        }
        start = end;
    }
    return false;
}

std::string nameOf(std::string_view plainPath) {
    std::size_t slash = plainPath.find_last_of('\\');
    return std::string(slash == std::string_view::npos ? plainPath : plainPath.substr(slash + 1));
}

}  // namespace qv::removal
