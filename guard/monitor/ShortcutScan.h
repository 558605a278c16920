#pragma once
// The shortcut scan of a drive's root: the worm's shortcuts there (common/worms/
// WormShortcut.h), what each runs and the files of the drive it names (its payloads), and
// the root's hidden items, which the cleaning shows again.
//
// It works from the root listing the monitor pass already has, which says which entries
// are hidden or system; of the files it opens only the root's shortcuts, reading at most
// 64 KiB of each, and of those only the ones it has not found harmless unchanged before.

#include <cstddef>
#include <string>
#include <vector>

#include "guard/monitor/HarmlessShortcuts.h"
#include "guard/platform/FileSystem.h"

namespace qv::monitor {

struct WormShortcutFound {
    std::string path;     // "e:\docs.lnk"
    std::string command;  // the target that makes it a worm's, and the arguments
    // Files of the drive the command names that exist, except the hidden items of the root
    // that a shortcut is named after: those are the user's, which the command opens.
    std::vector<std::string> payloads;
};

struct ShortcutWorm {
    std::string root;  // "e:\"
    // In the order of their names, without regard to case.
    std::vector<WormShortcutFound> shortcuts;
    // The root's folders (in folder-list order) and then files (by name) with hidden or
    // system set (none while moreLeft), except what systems keep hidden of their own accord
    // (worms::systemsOwnHiddenItem: System Volume Information, desktop.ini...), the
    // immunisation folder autorun.inf and what the cleaning removes.
    std::vector<std::string> hiddenItems;
    // The scan stopped before the root's other shortcuts: it had found as many worm
    // shortcuts, as much of their commands or as many payloads as one pass keeps. The hidden items
    // are then left for the pass that finds the last of them.
    bool moreLeft = false;
    bool found() const { return !shortcuts.empty(); }
};

// What one pass keeps of worm shortcuts, so that a stick made to exhaust the guard's memory
// or time (thousands of shortcuts with 64 KiB of arguments each, naming thousands of files)
// cannot: once these are cleaned, the next pass finds the rest.
inline constexpr std::size_t kMostWormShortcutsPerPass = 100;
inline constexpr std::size_t kMostCommandBytesPerPass = std::size_t{1} << 20;
inline constexpr std::size_t kMostPayloadsPerPass = 1000;

class ShortcutReadAhead;

// The shortcut scan of `root` ("e:\"), whose listing is `listing`. It passes over the
// shortcuts `harmless` has unchanged from the last pass, and remembers there the harmless
// ones of this pass. What `readAhead` read during the listing is taken from it; the other
// shortcuts are read here.
ShortcutWorm scanShortcuts(const std::string& root, const platform::FolderListing& listing,
                           platform::FileSystem& files, HarmlessShortcuts& harmless,
                           ShortcutReadAhead* readAhead = nullptr);

}  // namespace qv::monitor
