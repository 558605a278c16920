#pragma once
// The DOS marks a POSIX file system has not got (hidden, system, and read-only on a
// folder), kept in memory by host path. One table is shared by the drive-table back-ends
// that stand for the same drives, so that what the guard's file system lists is what the
// removal's files see.

#include <cstdint>
#include <filesystem>
#include <map>

namespace qv::posix {

class DosMarks {
public:
    // The attribute bits as Windows numbers them.
    static constexpr std::uint32_t kReadOnly = 0x1, kHidden = 0x2, kSystem = 0x4;

    std::uint32_t of(const std::filesystem::path& host) const {
        auto found = marks_.find(host);
        return found == marks_.end() ? 0 : found->second;
    }
    void set(const std::filesystem::path& host, std::uint32_t bits) {
        if (bits == 0)
            marks_.erase(host);
        else
            marks_[host] = bits;
    }
    bool empty() const { return marks_.empty(); }

private:
    std::map<std::filesystem::path, std::uint32_t> marks_;
};

}  // namespace qv::posix
