#pragma once
// Removing a file the one way (copied whole into the quarantine with its SHA-256, flushed,
// then removed) against a bare copy of the same file, flushed to the disk as well, for
// files of 1 MiB and 64 MiB; the goal is at most 1.2 times the copy. The copy is the
// leanest the platform offers on one thread: the system's own copy natively, a loop of
// reads and writes of a MiB under Wine. Beside it, the copy followed by deleting the
// original, which is what keeping a copy and removing takes without the quarantine's
// header, digest, entry and checks; and the SHA-256 of the same bytes in memory alone,
// the processor time the removal spends beyond a copy. The same code runs natively over
// the drive table and under Wine over the Win32 back-end. The quarantine keeps its
// entries from run to run, as in use.

#include <functional>
#include <string>

#include "common/removal/RemovalFiles.h"

namespace qv::bench {

struct RemovalBenchPlatform {
    removal::RemovalFiles& files;
    // Where the quarantine lies.
    std::string quarantineFolder;
    // Writes a file of `bytes` on the drive, flushed to the disk as a file on a stick is,
    // and returns its drive path; "" on failure. Not timed: it also settles what the run
    // before left for the file system to do, so that neither side pays for the other.
    std::function<std::string(const std::string& bytes)> plantFile;
    // Copies the file at the drive path to a new file in the data folder with the
    // platform's own means and flushes it to the disk; false on failure.
    std::function<bool(const std::string& drivePath)> bareCopy;
    // Deletes the file at the drive path with the platform's own means.
    std::function<bool(const std::string& drivePath)> bareDelete;
    // Removes the copy, between runs (not timed).
    std::function<void()> clearUp;
};

// Prints the figures; returns 0 when every run could be made.
int runRemovalBench(RemovalBenchPlatform& platform, const char* label);

}  // namespace qv::bench
