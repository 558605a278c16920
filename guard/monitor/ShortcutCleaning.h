#pragma once
// Cleaning a drive of a shortcut worm, by the dialog's "立即清除" or, with automatic
// handling, by the monitor pass: the worm's shortcuts and then their payloads are removed
// the one way (common/removal: each quarantined first) and logged as the protection log
// decides for who removed them; then hidden and system are cleared on the root's hidden
// items, each item itself only (what a folder holds is never touched).
//
// A file or item that is no longer there is neither counted nor a failure; everything that
// stays is named with the system's reason.

#include <string>
#include <vector>

#include "common/removal/DriveFileRemoval.h"
#include "common/removal/RemovalTexts.h"
#include "guard/monitor/ProtectionLog.h"
#include "guard/monitor/ShortcutScan.h"
#include "guard/platform/FileSystem.h"

namespace qv::monitor {

struct CleaningReport {
    int shortcutsRemoved = 0;
    int payloadsRemoved = 0;
    int itemsShown = 0;
    std::vector<removal::NotRemoved> notRemoved;  // shortcuts and payloads that stayed
    std::vector<removal::NotRemoved> notShown;    // hidden items that stay hidden
    bool complete() const { return notRemoved.empty() && notShown.empty(); }
};

CleaningReport cleanShortcutWorm(const ShortcutWorm& worm, removal::DriveFileRemoval& removal,
                                 platform::FileSystem& files, ProtectionLog& log, Remover remover);

// What the user is told afterwards: how many shortcuts and payloads went and how many items
// were shown again, then what stayed and why.
std::string cleaningNotice(const CleaningReport& report);

}  // namespace qv::monitor
