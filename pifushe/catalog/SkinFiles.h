#pragma once
// The file operations of the skin changer, each on a file `name` (UTF-8) inside a folder:
// the skins folder and the program folder that holds Pifu.she. Entries that are links or
// junctions are left out and refused, so nothing outside those two folders is read or
// written. Win32 and POSIX back-ends.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/Status.h"

namespace qv::pifushe {

struct FileInfo {
    std::string name;
    std::uint64_t size = 0;
};

class SkinFiles {
public:
    virtual ~SkinFiles() = default;
    // The plain files of `folder` (no folders, no links), in no particular order.
    virtual Status list(const std::string& folder, std::vector<FileInfo>& out) = 0;
    // At most `limit` bytes from the start of the file; `out` is untouched on failure.
    virtual Status read(const std::string& folder, const std::string& name, std::size_t limit,
                        std::string& out) = 0;
    // Creates a new file of its own in `folder` holding `bytes`, flushed to the disk, and
    // names it in `name`. On failure no such file is left behind.
    virtual Status writeTemporary(const std::string& folder, std::string_view bytes,
                                  std::string& name) = 0;
    // Puts the file `from` in place of `to` in one step: afterwards `to` is either its old
    // content or the whole new one, never a mixture or nothing.
    virtual Status replace(const std::string& folder, const std::string& from,
                           const std::string& to) = 0;
    // Removes a file; failures are not reported (used to tidy up after a failure).
    virtual void remove(const std::string& folder, const std::string& name) = 0;
};

}  // namespace qv::pifushe
