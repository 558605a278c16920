#pragma once
// The quarantine: a folder of the program's own ("隔离区" in the guard's data folder) that
// keeps a copy of every file removed from a drive, with what is needed to put it back (the
// original path, the time, the size and a SHA-256 of the bytes). It keeps at most 500 MiB
// and 1,000 entries; the oldest go first, but none made within the last day: a stick of
// thousands of worm files cannot push out what was removed before, nor what it just lost
// itself (a file that finds no room stays on its drive). One file per entry, in the format
// of QuarantineFormat.h.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/Status.h"
#include "common/removal/HashingThread.h"
#include "common/removal/QuarantineFormat.h"
#include "common/removal/RemovalFiles.h"
#include "common/removal/TaskThread.h"

namespace qv::removal {

// A larger file is not taken in, and so not removed.
inline constexpr std::uint64_t kLargestQuarantinedFile = std::uint64_t{100} << 20;
// What the quarantine keeps at most, in bytes of its files and in entries.
inline constexpr std::uint64_t kQuarantineCapacity = std::uint64_t{500} << 20;
inline constexpr std::size_t kMostEntries = 1000;
// Entries made within this long, in the steps of a Moment's order, are never pushed out.
inline constexpr std::uint64_t kKeptAtLeast = std::uint64_t{24} * 3600 * 10'000'000;

// An entry just made, and the entries there were before it (oldest first), which are
// all the quarantine holds but for what other programs add meanwhile.
struct KeptEntry {
    std::string name;
    std::uint64_t storedBytes = 0;
    std::vector<StoredFile> earlier;
    // The clock's order when it was made (its name may be later: after every entry there
    // is, even one dated ahead of the clock).
    std::uint64_t madeAt = 0;
};

struct QuarantineEntry {
    std::string name;               // the entry's file in the folder, "<order>.qvq"
    std::uint64_t storedBytes = 0;  // the size of that file
    // What the header says; nullopt when the entry is damaged and cannot say it.
    std::optional<EntryHeader> header;
};

class Quarantine {
public:
    // `folder` is where the entries lie (made on first use); `files` outlives this object.
    Quarantine(RemovalFiles& files, std::string folder);

    const std::string& folder() const { return folder_; }
    std::string pathOf(std::string_view entryName) const;

    // Copies the whole of `file` (which lies at `originalPath`) into a new entry, flushed
    // to the disk before it counts, and tells of it in `kept`. A file over
    // kLargestQuarantinedFile, one that cannot be read whole or that changes while it is
    // read, and a copy that cannot be written whole (a full disk) all fail, and leave no
    // entry behind.
    Status keep(const std::string& originalPath, DriveFile& file, KeptEntry& kept);
    Status drop(std::string_view entryName);
    // Drops the oldest of the entries before `newest` until what is left fits the
    // quarantine's limits (the folder is listed once per removal, by keep), none made
    // within kKeptAtLeast before `newest` was (one dated ahead of the clock may go).
    void trim(const KeptEntry& newest);

    // The entries, newest first; nullopt (with `failure`) when the folder cannot be listed.
    std::optional<std::vector<QuarantineEntry>> entries(Status& failure);

    // Reads the entry whole: its header goes to `start`, then its bytes a piece at a time to
    // `sink`. Fails when the entry is damaged (not whole, or its bytes do not give its
    // digest), which is known only once the last piece has gone to the sink; and when
    // `start` or `sink` fails.
    Status read(std::string_view entryName, const std::function<Status(const EntryHeader&)>& start,
                const std::function<Status(std::string_view)>& sink);

private:
    // Whether the limits leave room for an entry of `bytes` made at `now` beside those of
    // the `existing` entries made within kKeptAtLeast, which stay. Another user's recent
    // entries leave this user's room alone, so that nobody can fill it for him.
    bool roomBesideRecent(const std::vector<StoredFile>& existing, std::uint64_t now,
                          std::uint64_t bytes);
    // The entries' files, oldest first; the leftovers of copies never finished, but for
    // the copy `clearLeftoversBut` being written now, are removed on the way when given.
    std::optional<std::vector<StoredFile>> entryFiles(
        std::optional<std::string_view> clearLeftoversBut = std::nullopt);
    // Copies the whole of `file` into `copy`, handing every piece to `hashing` and what is
    // written, now and then, to the task thread to flush; the first flush that fails goes
    // to `flushed`, which is the task thread's until it is idle.
    Status copyPieces(NewFile& copy, DriveFile& file, std::uint64_t size,
                      HashingThread::Job& hashing, Status& flushed);

    RemovalFiles& files_;
    std::string folder_;
    bool refusedForRoom_ = false;  // the last keep found no room beside the recent entries
    // Whether each entry asked about is another user's (an entry's owner does not change).
    std::unordered_map<std::string, bool> foreign_;
    HashingThread hashing_;
    TaskThread tasks_;
};

}  // namespace qv::removal
