#pragma once
// The quarantine as the browser shows it: one line per kept file with its original path,
// the time it was removed and its size, newest first, "已损坏" for one whose header cannot be
// read or whose content a restore found changed, and the two actions on a line:
// "恢复" puts the file back where it was (asking before it replaces a file there) and
// "彻底删除" drops it for good.

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "common/removal/DriveFileRemoval.h"
#include "common/removal/QuarantineRestore.h"
#include "filedir/browser/BrowserFiles.h"

namespace qv::filedir {

inline constexpr const char* kQuarantineViewName = "隔离区";

enum class QuarantineColumn { OriginalPath, Size, RemovedAt, State };
inline constexpr int kQuarantineColumns = 4;

class QuarantineView {
public:
    explicit QuarantineView(removal::DriveFileRemoval& removal) : removal_(removal) {}

    // Reads the entries afresh; on failure the lines shown stay as they were.
    Status load();
    std::size_t size() const { return entries_.size(); }
    std::string cell(std::size_t line, QuarantineColumn column) const;
    // "隔离区共 N 个文件（X KB）".
    std::string statusText() const;
    // The original path of a line, or what stands for it when the entry is damaged.
    std::string pathOf(std::size_t line) const;

    // Puts the file of `line` back. What to tell the user; no text when they kept a file
    // that was in the way.
    Told restore(std::size_t line, const removal::AskReplace& askReplace);
    // Drops the entry of `line` for good.
    Told purge(std::size_t line);

private:
    removal::DriveFileRemoval& removal_;
    std::vector<removal::QuarantineEntry> entries_;
    // Entries whose content a restore found damaged, though their header reads well.
    std::set<std::string> foundDamaged_;
};

// The size of a file as the list shows it: bytes below 1 KB, then KB and MB.
std::string sizeText(std::uint64_t bytes);

}  // namespace qv::filedir
