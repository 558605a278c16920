#pragma once
// Reading a root's shortcuts on a thread of its own while the root is still being listed:
// the listing tells of each shortcut as it finds it (platform::ShortcutListener), the
// thread opens and reads it meanwhile, and the shortcut scan then finds the reads done.
// With a core to spare, the first pass over a stick (which must open every shortcut of its
// root) costs little more than the listing.
//
// What the thread keeps is bounded: of each shortcut whether it could be read and, for one
// that may be a worm's, what it says; once it keeps as many of those as one pass of the
// scan takes, it reads no further, and the scan reads whatever else it needs itself. The
// thread is made at the first shortcut to read and kept for the next passes (making one
// costs about a millisecond under Wine); where none can be made, nothing is read ahead.

#include <atomic>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "common/removal/Rendezvous.h"
#include "common/worms/ShellLink.h"
#include "guard/monitor/HarmlessShortcuts.h"
#include "guard/platform/FileSystem.h"

namespace qv::monitor {

// What reading one shortcut of a root found, as far as the scan needs it.
struct ShortcutRead {
    bool readable = false;  // false: it is read again at the next pass
    // What the shortcut says, kept only when it may be a worm's (worms::mayBeWorms).
    std::optional<worms::ShellLink> link;
};

// Reads the shortcut at `path` on the drive whose root is `root` ("e:\").
ShortcutRead readShortcut(platform::FileSystem& files, const std::string& root,
                          const std::string& path);

class ShortcutReadAhead : public platform::ShortcutListener {
public:
    explicit ShortcutReadAhead(platform::FileSystem& files);
    ~ShortcutReadAhead();
    ShortcutReadAhead(const ShortcutReadAhead&) = delete;
    ShortcutReadAhead& operator=(const ShortcutReadAhead&) = delete;

    // A listing of `root` follows, with this object as its listener: the shortcuts it tells
    // of are read, but for those `harmless` remembers unchanged (the scan reads none of
    // them).
    // What earlier reads found and the scan did not take is dropped.
    void begin(const std::string& root, const HarmlessShortcuts& harmless);
    void shortcutListed(const platform::StampedFile& shortcut) override;
    // Returns once every read begun is done (a listing's last shortcut is read by then).
    void finish();
    // What the read of shortcut `name` (as listed) found, when it was read ahead; each is
    // given once. Only after finish().
    std::optional<ShortcutRead> take(const std::string& name);

private:
    void run();
    bool startThread();  // false when no thread can be made
    bool allRead() const { return read_ == told_; }

    platform::FileSystem& files_;
    // Set by begin while the thread is idle.
    std::string root_;
    const HarmlessShortcuts* harmless_ = nullptr;
    std::size_t toldThisListing_ = 0;

    std::mutex mutex_;  // guards the two below
    std::vector<std::string> toRead_;
    std::unordered_map<std::string, ShortcutRead> found_;
    // The thread's own; begin clears them while it is idle.
    std::size_t keptLinks_ = 0, keptArgumentBytes_ = 0;

    std::atomic<std::size_t> told_{0}, read_{0};
    std::thread thread_;
    bool noThread_ = false;
    std::atomic<bool> stopping_{false};
    removal::Rendezvous rendezvous_;
    std::atomic<bool> threadAsleep_{false}, callerAsleep_{false};
};

}  // namespace qv::monitor
