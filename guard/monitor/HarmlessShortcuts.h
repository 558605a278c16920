#pragma once
// What the shortcut scan remembers of one drive's root between passes, each shortcut by
// name with the stamp the root listing gave it:
// - the shortcuts it read and found to be the user's whatever the root hides (to a
//   document, or to a program elsewhere, or no shortcut at all);
// - the shortcuts that may be a worm's (to a program on the drive, or to a system tool) but
//   were not, with what
//   they say: whether they are a worm's depends on what the root hides, which the scan
//   judges again at every pass from what it remembers.
// The next pass reads such a shortcut again only when its stamp changed, so a stick left
// plugged in costs a listing per pass and no file opened.
//
// A pass keeps only the shortcuts it listed, at most kMostRemembered of them, and of what
// the second kind say at most kMostRememberedLinkBytes; the monitor forgets a drive's
// memory when the drive goes away or a new volume arrives.

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>

#include "common/worms/ShellLink.h"
#include "guard/platform/FileSystem.h"

namespace qv::monitor {

class HarmlessShortcuts {
public:
    static constexpr std::size_t kMostRemembered = 20000;
    static constexpr std::size_t kMostRememberedLinkBytes = std::size_t{4} << 20;

    // Whether the last pass found `shortcut`, with this very stamp, to be harmless.
    bool unchanged(const platform::StampedFile& shortcut) const;
    // What `shortcut` says, when the last pass read it with this very stamp and found that
    // it may be a worm's; null otherwise. Valid until passEnded().
    const worms::ShellLink* unchangedLink(const platform::StampedFile& shortcut) const;
    // This pass found `shortcut` harmless. A stamp of nothing (the listing could not look
    // at the file) is not remembered.
    void remember(const platform::StampedFile& shortcut);
    // This pass found that `shortcut`, which says `link`, may be a worm's and is not now.
    void rememberLink(const platform::StampedFile& shortcut, const worms::ShellLink& link);
    // The shortcuts remembered in this pass replace those of the last.
    void passEnded();
    void forget();

private:
    struct Known {
        platform::FileStamp stamp;
        std::optional<worms::ShellLink> link;
    };
    const Known* known(const platform::StampedFile& shortcut) const;

    std::unordered_map<std::string, Known> lastPass_;
    std::unordered_map<std::string, Known> thisPass_;
    std::size_t thisPassLinkBytes_ = 0;
};

}  // namespace qv::monitor
