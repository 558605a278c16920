#pragma once
// Putting a file of the quarantine back where it was removed from. The copy is written
// beside the original place under a name of its own, checked against its SHA-256 and
// flushed before it takes the original name; missing folders on the way are made again.
// A file that lies there now is never overwritten without asking: when the user agrees it
// is removed the one way, so that it goes into the quarantine in its turn. The entry
// leaves the quarantine once its file is back.

#include <functional>
#include <string>

#include "common/removal/DriveFileRemoval.h"

namespace qv::removal {

struct RestoreResult {
    enum class Outcome {
        Restored,
        Declined,  // a file lies at the original path and the user kept it
        Failed,    // nothing was put back, for `reason`
    };
    Outcome outcome;
    std::string originalPath;  // as the entry names it, when its header could be read
    std::string reason;
};

// Asked with the original path when a file lies there; true to replace it.
using AskReplace = std::function<bool(const std::string& path)>;

RestoreResult restoreEntry(DriveFileRemoval& removal, const std::string& entryName,
                           const AskReplace& askReplace);

// "已恢复“...”。", or why not; nothing when the user kept the file in the way.
std::string describe(const RestoreResult& result);

}  // namespace qv::removal
