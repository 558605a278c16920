#pragma once
// The folder the browser shows, read a piece at a time: the window asks for the next
// piece between messages, so it keeps answering the user on a folder of 100,000 entries.
// Once the last piece is in, the entries are sorted and marked; in a drive's root the
// shortcuts are then read, a few at a time in the same way, and those that run a worm
// marked so (the guard's own reader and rule, common/worms).

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "common/worms/WormShortcut.h"
#include "filedir/browser/BrowserFiles.h"
#include "filedir/browser/Entries.h"

namespace qv::filedir {

class FolderLoad {
public:
    // Starts reading `folder`; on failure nothing changes and the current folder stays.
    Status start(BrowserFiles& files, const std::string& folder);
    // Reads up to `count` more entries, or once they are all in, up to kShortcutsPerStep
    // of the root's shortcuts. Returns false once both are over, with the entries sorted
    // and marked; a failure part way keeps what was read and is told by `interruption`.
    bool step(std::size_t count);
    static constexpr std::size_t kShortcutsPerStep = 16;

    // The entries are still being read (the actions wait for them).
    bool loading() const { return reader_ != nullptr; }
    // The root's shortcuts are still being read (their marks may still change).
    bool checkingShortcuts() const { return nextShortcut_ < shortcuts_.size(); }
    // More steps are to come.
    bool busy() const { return loading() || checkingShortcuts(); }
    const std::string& folder() const { return folder_; }
    const std::vector<Entry>& entries() const { return entries_; }
    // Empty while loading; one mark per entry afterwards.
    const std::vector<Mark>& marks() const { return marks_; }
    const std::string& interruption() const { return interruption_; }
    // The status line: progress while loading, then the counts of entries, hidden entries
    // and marked entries.
    std::string statusText() const;

private:
    void finish();
    void checkShortcuts(std::size_t count);

    BrowserFiles* files_ = nullptr;
    std::unique_ptr<FolderReader> reader_;
    std::string folder_;
    std::vector<Entry> entries_;
    std::vector<Mark> marks_;
    std::string interruption_;
    std::vector<std::size_t> shortcuts_;  // the entries marked Shortcut, to be read
    std::size_t nextShortcut_ = 0;
    worms::HiddenNames hidden_;                    // the root's hidden and system entries
    std::unordered_set<std::string> rootFolders_;  // the root's folders, folded
};

}  // namespace qv::filedir
