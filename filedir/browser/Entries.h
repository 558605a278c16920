#pragma once
// What the file browser shows of one folder: its entries with the DOS attributes a worm
// plays with, and the marks that point the user at what a worm planted. Pure logic over
// names and attribute bits, shared by the window and the tests.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv::filedir {

// The attribute bits as Windows numbers them.
enum Attribute : std::uint32_t {
    kReadOnly = 0x1,
    kHidden = 0x2,
    kSystem = 0x4,
    kDirectory = 0x10,
    kArchive = 0x20,
    kReparsePoint = 0x400,
};

struct Entry {
    std::string name;  // UTF-8
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    std::string modified;  // local date and time, "2012-01-19 08:30"
    bool isFolder() const { return attributes & kDirectory; }
    bool isLink() const { return attributes & kReparsePoint; }
};

enum class Mark {
    None,
    LookAlike,     // an executable named after a folder of the same folder
    Shortcut,      // a shortcut in a drive's root
    WormShortcut,  // a shortcut in a drive's root that runs a worm (common/worms)
};

// One mark per entry, in the entries' order. `driveRoot` says whether the folder is a
// drive's root, where a shortcut is a worm's usual bait.
std::vector<Mark> marksFor(const std::vector<Entry>& entries, bool driveRoot);

// "RHSA" with '-' for each attribute that is clear.
std::string attributeText(std::uint32_t attributes);

// CON, PRN, AUX, NUL, COM1-9, LPT1-9, also with an extension ("con.txt"): Windows opens
// the device for such a name unless the path starts with "\\?\".
bool isReservedDeviceName(std::string_view name);

// Folders first, then files, each by name without regard to ASCII case.
void sortEntries(std::vector<Entry>& entries);

}  // namespace qv::filedir
