#pragma once
// A shortcut (.lnk file) read by the guard itself. The shell is never asked to load one: a
// shortcut on a stick is the attacker's file, and loading it runs the shell's own code over
// its bytes (and may fetch an icon from the stick). Pure logic over the file's first bytes,
// after the Shell Link Binary File Format:
//
//   header         76 bytes: its size, the class identifier, the flags saying which of
//                  the parts below follow, times, attributes, icon index, show command
//   item ID list   the target as the shell's items (computer, volume "C:\", one item per
//                  folder and file, each with its short and, in an extension block, long
//                  name)
//   LinkInfo       the target's local base path (or network share) and common suffix
//   string data    name, relative path, working folder, arguments, icon location; in
//                  UTF-16 when the header says so, else in the system code page
//   extra data     blocks of a size and a signature each; the environment-variable block
//                  holds the target as typed ("%windir%\system32\cmd.exe")
//
// Every size and offset is checked against the bytes there are. A header, ID list or
// LinkInfo that does not fit refuses the whole file (Windows could not follow it either);
// an item or string inside them that does not fit is left out; string data that runs past
// the bytes read is taken as far as it goes (a file padded beyond the read limit still
// shows what it runs).

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::worms {

// At most this much of a shortcut is read: every part that names the target lies near the
// start, and a shortcut made huge is padding.
inline constexpr std::size_t kShellLinkReadLimit = 64 * 1024;

// Turns bytes in the system code page into UTF-8 (the platform's own conversion).
using AnsiDecoder = std::function<std::string(std::string_view)>;

struct ShellLink {
    // Each place the file names its target, as written there (UTF-8); empty when absent.
    std::string environmentPath;  // the environment-variable block, not expanded
    std::string idListPath;       // the item ID list: "C:\" and the names after it
    std::string linkInfoPath;     // LinkInfo: local base path (or share) and suffix
    std::string relativePath;     // relative to the shortcut's own folder
    std::string workingFolder;
    std::string arguments;
    // The string data ran past the bytes read: the last string holds what there was.
    bool cutShort = false;

    // The non-empty target paths above, the one Windows follows first first.
    std::vector<std::string> targets() const;
};

// The shortcut in `bytes` (at most kShellLinkReadLimit of them are looked at); nullopt
// when they are not a shortcut or its header, ID list or LinkInfo does not fit.
std::optional<ShellLink> readShellLink(std::string_view bytes, const AnsiDecoder& ansi);

}  // namespace qv::worms
