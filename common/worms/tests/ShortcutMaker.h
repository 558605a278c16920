#pragma once
// Shortcut files made byte by byte as Windows writes them, for the tests and the fuzzing
// seeds: the header, an item ID list (computer, volume, one file system item per folder
// and file with its short name and, in an extension block, its long name), a LinkInfo
// with a volume ID and the local base path, the string data and, when asked, the
// environment-variable block, then the terminal block. Plain C++, for every tree.

#include <string>

namespace qv::worms::test {

struct ShortcutSpec {
    // A full local path ("C:\Windows\System32\cmd.exe"): the ID list and LinkInfo name it.
    std::string target;
    std::string arguments;
    std::string relativePath;
    std::string workingFolder;
    std::string iconLocation;
    // "%windir%\system32\cmd.exe": written in the environment-variable block.
    std::string environmentTarget;
    bool unicode = true;  // string data in UTF-16, else in single bytes
    bool idList = true;
    bool linkInfo = true;
};

// A shortcut to `target` with `arguments`, shaped as the shell saves it.
inline ShortcutSpec shortcutTo(std::string target, std::string arguments = {}) {
    ShortcutSpec spec;
    spec.target = std::move(target);
    spec.arguments = std::move(arguments);
    return spec;
}

// The bytes of the shortcut `spec` describes (ASCII names are written as they are).
std::string makeShortcut(const ShortcutSpec& spec);

// Little-endian numbers, for tests that damage a shortcut on purpose.
std::string le16(unsigned value);
std::string le32(unsigned long value);
// UTF-16LE of ASCII or UTF-8 text (characters of the Basic Multilingual Plane).
std::string utf16le(const std::string& text);

}  // namespace qv::worms::test
