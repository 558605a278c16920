#pragma once
// The guard running headless over real temporary folders standing for drives: drive c:
// (fixed) exists from the start, more drives can be plugged in, and every other service
// is an in-memory back-end that records what the guard asked of it. The quarantine is the
// folder 隔离区 of the current directory. The guard is an installed one, not elevated: its
// program folder lies under Program Files on c:, its data folder is the current directory.

#include <filesystem>

#include "common/posix/DriveTableRemovalFiles.h"
#include "guard/app/Guard.h"
#include "guard/platform/posix/DriveTableFileSystem.h"
#include "guard/platform/posix/MemoryServices.h"
#include "tests/support/HeadlessHost.h"
#include "tests/support/TempFolder.h"

namespace qv::test {

class GuardHarness {
public:
    GuardHarness();

    // Plugs in drive `letter` over a fresh folder and returns that folder.
    std::filesystem::path addDrive(char letter, platform::DriveType type);
    // The folder standing for the guard's current directory, its data folder.
    std::filesystem::path currentDirectory() const { return temp.path() / "cwd"; }
    std::filesystem::path quarantineFolder() const { return currentDirectory() / "隔离区"; }
    // The folder standing for the program folder (folders.program, on drive c:), made when
    // first asked for: where the shipped files lie.
    std::filesystem::path programFolder();

    HeadlessHost host;
    TempFolder temp;
    posix::DriveTableFileSystem files;
    // The same drives and their hidden and system marks, for removing files; the
    // quarantine lies in the current directory.
    posix::DriveTableRemovalFiles removalFiles;
    posix::FixedFolders folders;
    posix::RecordingProcesses processes;
    posix::ScriptedElevation elevation;
    posix::MemoryRegistry registry;
    posix::ManualClock clock;
    posix::RecordingSkin skin;
    posix::RecordingWebVisit web;
    platform::Services services;
    Guard guard;
};

}  // namespace qv::test
