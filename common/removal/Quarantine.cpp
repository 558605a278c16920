#include "common/removal/Quarantine.h"

#include <algorithm>
#include <vector>

#include "common/removal/RemovalTexts.h"

namespace qv::removal {

namespace {

// Files are read back a piece of this size at a time.
constexpr std::size_t kPiece = std::size_t{1} << 20;
// Files are copied in pieces of this size, so that even a file of 1 MiB is hashed a piece
// at a time while the next pieces are read and written.
constexpr std::size_t kCopyPiece = std::size_t{256} << 10;
// A smaller file is hashed on the copying thread: handing it over costs more than it saves.
constexpr std::uint64_t kHashedApartFrom = kCopyPiece;
// A copy is flushed to the disk on the task thread whenever this much more has been
// written since the last flush began, so that the disk writes while the copy goes on and
// the flush at the end has little left to do.
constexpr std::uint64_t kFlushEvery = std::uint64_t{8} << 20;
// While a file is copied, the program is told it is still working every time this much
// more has been copied: under a second's worth from a stick, a few from a slow one.
constexpr std::uint64_t kStillWorkingEvery = std::uint64_t{8} << 20;
// A header is looked for in pieces of this size, so that listing the entries reads little.
constexpr std::size_t kHeaderPiece = 4096;
constexpr std::size_t kOrderDigits = 20;

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

std::string orderName(std::uint64_t order, std::string_view extension) {
    std::string digits = std::to_string(order);
    std::string name(kOrderDigits - digits.size(), '0');
    name += digits;
    name += extension;
    return name;
}

// The order of an entry's or a leftover's name; nullopt for any other name.
std::optional<std::uint64_t> orderOf(std::string_view name) {
    std::string_view stem;
    if (endsWith(name, kEntryExtension)) {
        stem = name.substr(0, name.size() - kEntryExtension.size());
    } else if (endsWith(name, kUnfinishedExtension)) {
        stem = name.substr(0, name.size() - kUnfinishedExtension.size());
    }
    if (stem.size() != kOrderDigits) return std::nullopt;
    std::uint64_t order = 0;
    for (char c : stem) {
        if (c < '0' || c > '9') return std::nullopt;
        std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
        if (order > (UINT64_MAX - digit) / 10) return std::nullopt;
        order = order * 10 + digit;
    }
    return order;
}

// Whether the entry `name` was made within kKeptAtLeast before `now` (one said to be made
// after it, by a clock set back since, is not).
bool recent(std::string_view name, std::uint64_t now) {
    const std::optional<std::uint64_t> order = orderOf(name);
    return order && *order <= now && now - *order < kKeptAtLeast;
}

// Fills `buffer` with up to `capacity` bytes, fewer only at the file's end.
Status readFull(ReadableFile& file, char* buffer, std::size_t capacity, std::size_t& filled) {
    filled = 0;
    while (filled < capacity) {
        std::size_t got = 0;
        if (Status read = file.read(buffer + filled, capacity - filled, got); !read.ok()) {
            return read;
        }
        if (got == 0) break;
        filled += got;
    }
    return Status::success();
}

// Reads until `out` holds `want` bytes or the file ends; `out` keeps what was read.
Status readUpTo(ReadableFile& file, std::string& out, std::size_t want) {
    while (out.size() < want) {
        std::size_t before = out.size(), got = 0;
        out.resize(want);
        Status read = file.read(out.data() + before, want - before, got);
        out.resize(before + (read.ok() ? got : 0));
        if (!read.ok()) return read;
        if (got == 0) break;
    }
    return Status::success();
}

// The header at the start of `file`; `bytes` keeps everything read, the header included.
std::optional<ParsedHeader> readHeader(ReadableFile& file, std::string& bytes, Status& failure) {
    for (std::size_t want = kHeaderPiece;; want = std::min(want * 4, kLongestHeader)) {
        failure = readUpTo(file, bytes, want);
        if (!failure.ok()) return std::nullopt;
        if (auto parsed = parseHeader(bytes)) return parsed;
        // Not a header, or not a whole one yet: only a longer read can tell.
        if (bytes.size() < want || want == kLongestHeader) return std::nullopt;
    }
}

}  // namespace

Quarantine::Quarantine(RemovalFiles& files, std::string folder)
    : files_(files), folder_(std::move(folder)) {}

std::string Quarantine::pathOf(std::string_view entryName) const {
    std::string path = folder_;
    if (!path.empty() && path.back() != '\\') path += '\\';
    path += entryName;
    return path;
}

std::optional<std::vector<StoredFile>> Quarantine::entryFiles(
    std::optional<std::string_view> clearLeftoversBut) {
    auto listed = files_.listFiles(folder_);
    if (!listed) return std::nullopt;
    std::vector<StoredFile> found;
    for (StoredFile& file : *listed) {
        if (endsWith(file.name, kEntryExtension) && orderOf(file.name)) {
            found.push_back(std::move(file));
        } else if (clearLeftoversBut && endsWith(file.name, kUnfinishedExtension) &&
                   file.name != *clearLeftoversBut) {
            // One being written by another program right now cannot be removed, and stays.
            (void)files_.removeFile(pathOf(file.name));
        }
    }
    std::sort(found.begin(), found.end(),
              [](const StoredFile& a, const StoredFile& b) { return a.name < b.name; });
    return found;
}

Status Quarantine::copyPieces(NewFile& copy, DriveFile& file, std::uint64_t size,
                              HashingThread::Job& hashing, Status& flushed) {
    std::uint64_t copied = 0, flushBegunAt = 0, toldAt = 0;
    while (copied < size) {
        const std::span<char> buffer = hashing.nextBuffer();
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), size - copied));
        std::size_t filled = 0;
        Status read = readFull(file, buffer.data(), want, filled);
        if (!read.ok()) return Status::failure(readFailedReason(read.description()));
        if (filled < want) return Status::failure(kChangedWhileCopiedReason);
        hashing.hash(filled);
        if (Status written = copy.write({buffer.data(), filled}); !written.ok()) {
            return Status::failure(notQuarantinedReason(written.description()));
        }
        copied += filled;
        if (copied - toldAt >= kStillWorkingEvery) {
            toldAt = copied;
            files_.stillWorking();
        }
        if (copied - flushBegunAt >= kFlushEvery && tasks_.idle()) {
            if (!flushed.ok()) return Status::failure(notQuarantinedReason(flushed.description()));
            flushBegunAt = copied;
            tasks_.post([&copy, &flushed] {
                if (Status done = copy.flush(); !done.ok() && flushed.ok()) flushed = done;
            });
        }
    }
    // The whole file, and nothing more: a last read finds its end, unless it grew meanwhile.
    char probe;
    std::size_t more = 0;
    if (Status read = file.read(&probe, 1, more); !read.ok()) {
        return Status::failure(readFailedReason(read.description()));
    }
    if (more != 0) return Status::failure(kChangedWhileCopiedReason);
    return Status::success();
}

Status Quarantine::keep(const std::string& originalPath, DriveFile& file, KeptEntry& kept) {
    const std::uint64_t size = file.size();
    if (size > kLargestQuarantinedFile) return Status::failure(kTooLargeReason);
    Moment moment = files_.now();
    const std::string header = encodeHeader({originalPath, moment.text, size, file.lastWritten()});
    if (header.empty()) return Status::failure(kPathTooLongReason);

    auto notQuarantined = [](const Status& failure) {
        return Status::failure(notQuarantinedReason(failure.description()));
    };
    // Written under a name of its own and named as an entry only once it is whole.
    const std::string partName = orderName(moment.order, kUnfinishedExtension);
    Opened<NewFile> copy;
    std::optional<std::vector<StoredFile>> existing;
    Status flushed = Status::success();
    // However keep returns, the task thread is done with the three above before they go.
    struct TasksEnded {
        TaskThread& tasks;
        ~TasksEnded() { tasks.wait(); }
    } tasksEnded{tasks_};
    const std::uint64_t storedBytes = header.size() + size + kTrailerSize;
    if (refusedForRoom_) {
        // The last file found no room: this one looks for room before it is copied, not
        // after (a worm's file that stays is offered again at every pass).
        existing = entryFiles(partName);
        if (existing && !roomBesideRecent(*existing, moment.order, storedBytes)) {
            return Status::failure(kQuarantineFullReason);
        }
    } else {
        // The quarantine is listed on the task thread while the file is copied.
        tasks_.post([&] { existing = entryFiles(partName); });
    }
    const auto piece = static_cast<std::size_t>(std::clamp<std::uint64_t>(size, 1, kCopyPiece));
    HashingThread::Job hashing = hashing_.start(piece, size >= kHashedApartFrom);

    copy = files_.create(pathOf(partName));
    if (copy.missing) {  // no quarantine folder yet
        if (Status made = files_.makeFolder(folder_); !made.ok()) return notQuarantined(made);
        copy = files_.create(pathOf(partName));
    }
    if (!copy.file) return notQuarantined(copy.failure);
    if (Status written = copy.file->write(header); !written.ok()) return notQuarantined(written);
    if (Status copied = copyPieces(*copy.file, file, size, hashing, flushed); !copied.ok()) {
        return copied;
    }
    const Sha256Digest digest = hashing.finish();
    tasks_.wait();
    if (!flushed.ok()) return notQuarantined(flushed);
    if (!existing) return Status::failure(notQuarantinedReason(kQuarantineUnreadableReason));
    refusedForRoom_ = !roomBesideRecent(*existing, moment.order, storedBytes);
    if (refusedForRoom_) return Status::failure(kQuarantineFullReason);
    if (Status written = copy.file->write(encodeTrailer(digest)); !written.ok()) {
        return notQuarantined(written);
    }
    // After every entry there is, whatever the clock says: the order is the order of the
    // removals even when the clock was set back.
    std::uint64_t order = moment.order;
    if (!existing->empty()) order = std::max(order, *orderOf(existing->back().name) + 1);
    const std::string name = orderName(order, kEntryExtension);
    // Named, then flushed with its name: on the disk before the file leaves the drive.
    if (Status placed = copy.file->place(pathOf(name)); !placed.ok()) return notQuarantined(placed);
    kept = {name, storedBytes, std::move(*existing), moment.order};
    return Status::success();
}

Status Quarantine::drop(std::string_view entryName) {
    return files_.removeFile(pathOf(entryName));
}

bool Quarantine::roomBesideRecent(const std::vector<StoredFile>& existing, std::uint64_t now,
                                  std::uint64_t bytes) {
    std::uint64_t recentBytes = bytes;
    std::size_t recentCount = 1;
    for (const StoredFile& file : existing) {
        if (recent(file.name, now)) {
            recentBytes += file.size;
            ++recentCount;
        }
    }
    if (recentBytes <= kQuarantineCapacity && recentCount <= kMostEntries) return true;
    // Nearly full of recent entries: are some of them another user's? Each is opened once
    // to tell, only now, as the quarantine seldom comes to this.
    for (const StoredFile& file : existing) {
        if (!recent(file.name, now)) continue;
        auto [known, added] = foreign_.try_emplace(file.name, false);
        if (added) known->second = files_.openToRead(pathOf(file.name)).foreign;
        if (!known->second) continue;
        recentBytes -= file.size;
        --recentCount;
    }
    return recentBytes <= kQuarantineCapacity && recentCount <= kMostEntries;
}

void Quarantine::trim(const KeptEntry& newest) {
    std::uint64_t total = newest.storedBytes;
    for (const StoredFile& file : newest.earlier) total += file.size;
    std::size_t count = newest.earlier.size() + 1;
    for (const StoredFile& file : newest.earlier) {
        if (total <= kQuarantineCapacity && count <= kMostEntries) break;
        if (recent(file.name, newest.madeAt)) continue;
        // One that cannot go is passed over and counts no more: another user's copy (in the
        // shared data folder each user's copies make room for his own only, so that nobody
        // can push out another's by filling the folder), or one being restored this moment.
        (void)files_.removeFile(pathOf(file.name));
        total -= file.size;
        --count;
    }
}

std::optional<std::vector<QuarantineEntry>> Quarantine::entries(Status& failure) {
    auto stored = entryFiles();
    if (!stored) {
        failure = Status::failure(kQuarantineUnreadableReason);
        return std::nullopt;
    }
    std::vector<QuarantineEntry> found;
    for (auto file = stored->rbegin(); file != stored->rend(); ++file) {
        QuarantineEntry entry{file->name, file->size, std::nullopt};
        Opened<ReadableFile> opened = files_.openToRead(pathOf(file->name));
        if (opened.missing) continue;  // dropped a moment ago
        if (opened.foreign) continue;  // another user's
        if (opened.file) {
            std::string bytes;
            Status read = Status::success();
            if (auto parsed = readHeader(*opened.file, bytes, read)) {
                entry.header = std::move(parsed->header);
            }
        }
        found.push_back(std::move(entry));
    }
    return found;
}

Status Quarantine::read(std::string_view entryName,
                        const std::function<Status(const EntryHeader&)>& start,
                        const std::function<Status(std::string_view)>& sink) {
    Opened<ReadableFile> opened = files_.openToRead(pathOf(entryName));
    if (opened.foreign) return Status::failure(kForeignEntryReason);
    if (!opened.file) return opened.failure;
    ReadableFile& file = *opened.file;
    std::string bytes;
    Status read = Status::success();
    auto parsed = readHeader(file, bytes, read);
    if (!read.ok()) return read;
    if (!parsed) return Status::failure(kDamagedEntryReason);
    if (Status started = start(parsed->header); !started.ok()) return started;

    // The bytes read past the header are the file's first bytes.
    std::string piece = bytes.substr(parsed->length);
    std::string trailer;
    Sha256 hash;
    std::uint64_t left = parsed->header.size, sinceTold = 0;
    for (;;) {
        std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(left, piece.size()));
        if (take > 0) {
            std::string_view data(piece.data(), take);
            hash.update(data);
            if (Status sunk = sink(data); !sunk.ok()) return sunk;
            left -= take;
            if ((sinceTold += take) >= kStillWorkingEvery) {
                sinceTold = 0;
                files_.stillWorking();
            }
        }
        trailer.append(piece, take, std::string::npos);
        if (trailer.size() > kTrailerSize) return Status::failure(kDamagedEntryReason);
        piece.clear();
        std::size_t want = left > 0 ? kPiece : kTrailerSize + 1 - trailer.size();
        if (Status more = readUpTo(file, piece, want); !more.ok()) return more;
        if (piece.empty()) break;
    }
    if (left > 0) return Status::failure(kDamagedEntryReason);
    auto digest = parseTrailer(trailer);
    if (!digest || *digest != hash.finish()) return Status::failure(kDamagedEntryReason);
    return Status::success();
}

}  // namespace qv::removal
