#pragma once
// The folder the browser shows, read a piece at a time: the window asks for the next
// piece between messages, so it keeps answering the user on a folder of 100,000 entries.
// Once the last piece is in, the entries are sorted and marked.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "filedir/browser/BrowserFiles.h"
#include "filedir/browser/Entries.h"

namespace qv::filedir {

class FolderLoad {
public:
    // Starts reading `folder`; on failure nothing changes and the current folder stays.
    Status start(BrowserFiles& files, const std::string& folder);
    // Reads up to `count` more entries. Returns false once reading is over, with the
    // entries sorted and marked; a failure part way keeps what was read and is told by
    // `interruption`.
    bool step(std::size_t count);

    bool loading() const { return reader_ != nullptr; }
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

    std::unique_ptr<FolderReader> reader_;
    std::string folder_;
    std::vector<Entry> entries_;
    std::vector<Mark> marks_;
    std::string interruption_;
};

}  // namespace qv::filedir
