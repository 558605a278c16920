#pragma once
// The one way a file is removed from a drive, for the guard and for the file browser.
//
//   1. The file is opened as itself: never through a link or junction, never a folder or
//      a device, and it must be the file of that name on that drive (RemovalFiles).
//   2. Its whole content goes into the quarantine, flushed to the disk (Quarantine).
//   3. Read-only, hidden and system are cleared on that one open file, which is then
//      removed. Where that fails, its attributes are put back and its copy leaves the
//      quarantine again: a file that stays is never in the quarantine.
//   4. The quarantine sheds its oldest entries beyond its limits.
//
// A file over 100 MiB, a copy that cannot be made whole (a full disk, a read error) and
// every refusal leave the file where it is, with the reason to tell the user.

#include <string>

#include "common/removal/Quarantine.h"
#include "common/removal/RemovalFiles.h"

namespace qv::removal {

class [[nodiscard]] RemovalResult {
public:
    enum class Outcome {
        Removed,   // gone, its copy in the quarantine
        NotFound,  // there was no such file
        Kept,      // it stays, for `reason`
    };
    static RemovalResult succeeded() { return {Outcome::Removed, {}}; }
    static RemovalResult nothingThere(std::string reason) { return {Outcome::NotFound, reason}; }
    static RemovalResult keptFor(std::string reason) { return {Outcome::Kept, reason}; }

    Outcome outcome() const { return outcome_; }
    bool removed() const { return outcome_ == Outcome::Removed; }
    // Whether the file is no longer there, removed now or missing already.
    bool gone() const { return outcome_ != Outcome::Kept; }
    const std::string& reason() const { return reason_; }

private:
    RemovalResult(Outcome outcome, std::string reason)
        : outcome_(outcome), reason_(std::move(reason)) {}
    Outcome outcome_;
    std::string reason_;
};

class DriveFileRemoval {
public:
    // The quarantine is the folder `quarantineFolder`; `files` outlives this object.
    DriveFileRemoval(RemovalFiles& files, std::string quarantineFolder);
    DriveFileRemoval(const DriveFileRemoval&) = delete;
    DriveFileRemoval& operator=(const DriveFileRemoval&) = delete;

    // Removes the file `path` ("x:\..."), keeping its copy in the quarantine.
    RemovalResult remove(const std::string& path);

    Quarantine& quarantine() { return quarantine_; }
    RemovalFiles& files() { return files_; }

private:
    RemovalFiles& files_;
    Quarantine quarantine_;
};

}  // namespace qv::removal
