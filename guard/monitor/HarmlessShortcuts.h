#pragma once
// What the shortcut scan remembers of one drive's root between passes: the shortcuts it
// read and found to be the user's whatever the root hides (to a document, or to a program
// elsewhere, or no shortcut at all), each by name with the stamp the root listing gave it.
// The next pass reads such a shortcut again only when its stamp changed, so a stick left
// plugged in costs a listing per pass and no file opened; a shortcut that may be a worm's
// is read at every pass, as whether it is depends on what the root hides then.
//
// A pass keeps only the shortcuts it listed, at most kMostRemembered of them; the monitor
// forgets a drive's memory when the drive goes away or a new volume arrives.

#include <cstddef>
#include <string>
#include <unordered_map>

#include "guard/platform/FileSystem.h"

namespace qv::monitor {

class HarmlessShortcuts {
public:
    static constexpr std::size_t kMostRemembered = 20000;

    // Whether the last pass found `shortcut`, with this very stamp, to be harmless.
    bool unchanged(const platform::StampedFile& shortcut) const;
    // This pass found `shortcut` harmless. A stamp of nothing (the listing could not look
    // at the file) is not remembered.
    void remember(const platform::StampedFile& shortcut);
    // The shortcuts remembered in this pass replace those of the last.
    void passEnded();
    void forget();

private:
    std::unordered_map<std::string, platform::FileStamp> lastPass_;
    std::unordered_map<std::string, platform::FileStamp> thisPass_;
};

}  // namespace qv::monitor
