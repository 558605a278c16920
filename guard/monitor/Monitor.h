#pragma once
// The monitor tick: one pass over every drive of the computer looking for the marks USB
// worms leave in a drive's root: an autorun.inf file, executables named like a root
// folder, and shortcuts that run a worm in the place of hidden folders and files. It is
// the handler of Form1's timer Jstm (real-time mode) and is run once by the insertion
// check when a new drive appears in smart mode.
//
// On a removable drive the dialogs come in this order: the threat dialog for the drive's
// autorun.inf (or, with automatic handling, its removal the one way of common/removal and
// the toast); then, once it is answered, the look-alike scan and its dialog, over the
// root as the first left it; then, when that is closed, the shortcut scan of the same
// root listing and the shortcut-worm dialog (or, with automatic handling, the cleaning and
// the toast). The shortcut scan runs where the look-alike scan does ("检视本地 U盘" and
// "U盘插入扫描" ticked, the drive not ignored, both asked again after the dialogs before
// it), and also on a fixed disk that says it is attached by USB, after that disk's own
// autorun.inf check. One listing of the root serves the whole pass unless the threat
// dialog may have changed the drive; where the shortcut scan will run, the shortcuts it
// finds are read while the rest of the root is being listed (ShortcutReadAhead.h).
//
// At most one pass runs at a time: a pass waits inside its dialogs, and timer ticks keep
// arriving meanwhile; a tick that finds a pass running does nothing.
//
// What cannot change while a drive stays is asked once: its type, whether a fixed disk is
// on a USB bus (under Wine each costs round trips to the mount manager), and which of a
// root's shortcuts are harmless unchanged (HarmlessShortcuts.h: reading one opens a file). A
// drive's memory goes when a pass or an insertion check (every 1.5 s, in either mode)
// finds its letter gone, or when Windows announces a new volume under its letter (the
// system broadcasts DBT_DEVICEARRIVAL "when a device or piece of media has been inserted
// and becomes available", per its documentation), so a stick swapped for another between
// two passes, or a letter taken by a drive of another kind, is asked afresh. A card changed
// in a reader without that message keeps the reader's type; its shortcuts are told apart
// by their stamps.
//
// Automatic handling tells of each removal on the toast. A removal that failed stays told
// for the rest of the pass: a later one that succeeds does not turn it into a success.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/removal/DriveFileRemoval.h"
#include "guard/main_window/Form1.h"
#include "guard/main_window/IgnoreList.h"
#include "guard/monitor/HarmlessShortcuts.h"
#include "guard/monitor/MonitorWindows.h"
#include "guard/monitor/ProtectionLog.h"
#include "guard/monitor/ShortcutReadAhead.h"
#include "guard/platform/FileSystem.h"

namespace qv::monitor {

class Monitor {
public:
    // Wires Jstm of `main`; every reference outlives this object.
    // `windowsDrive` is the lower-case letter of the drive Windows runs from (0: unknown).
    Monitor(Form1& main, platform::FileSystem& files, removal::DriveFileRemoval& removal,
            IgnoreList& ignoreList, ProtectionLog& log, MonitorWindows& windows, char windowsDrive);
    Monitor(const Monitor&) = delete;
    Monitor& operator=(const Monitor&) = delete;

    void tick();  // Jstm_Timer
    bool scanning() const { return scanning_; }
    // A new volume arrived under the drive letters `letters` (bit 0 for a:, as Windows
    // names them in DEV_BROADCAST_VOLUME): what is remembered of those drives is asked
    // afresh.
    void forgetDrives(std::uint32_t letters);
    // Forgets the drives whose letters the drive-list entries `entries` do not hold.
    void forgetMissingDrives(const std::vector<std::string>& entries);

private:
    struct DriveMemory {
        std::optional<platform::DriveType> type;
        std::optional<bool> onUsbBus;
        HarmlessShortcuts harmlessShortcuts;
    };
    DriveMemory& memoryOf(char letter);

    std::optional<platform::FolderListing> listRoot(char letter);
    void checkRemovable(char letter);
    void checkAskingOnly(char letter);
    void checkUsbDisk(char letter);
    void noticeCdRom(char letter);
    void scanLookAlikes(const std::string& root, const platform::FolderListing& listing);
    // Whether the shortcut scan runs on drive `letter` now (its options, the ignore list).
    bool scansShortcuts(char letter) const;
    void scanShortcuts(char letter, const platform::FolderListing& listing);
    // The toast of automatic handling.
    void tellRemoving();
    void tellRemovalFailed();

    Form1& main_;
    platform::FileSystem& files_;
    removal::DriveFileRemoval& removal_;
    IgnoreList& ignoreList_;
    ProtectionLog& log_;
    MonitorWindows& windows_;
    const char windowsDrive_;
    bool scanning_ = false;
    bool removalFailedThisPass_ = false;
    std::array<DriveMemory, 26> drives_;
    ShortcutReadAhead readAhead_{files_};
};

}  // namespace qv::monitor
