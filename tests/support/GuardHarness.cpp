#include "tests/support/GuardHarness.h"

namespace qv::test {

namespace {

std::filesystem::path prepared(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    return folder;
}

// The current directory and a fixed drive c:, present before the guard starts.
posix::DriveTableFileSystem startingDrives(const std::filesystem::path& root) {
    posix::DriveTableFileSystem files(prepared(root / "cwd"));
    files.addDrive('c', platform::DriveType::Fixed, prepared(root / "c"));
    return files;
}

}  // namespace

GuardHarness::GuardHarness()
    : files(startingDrives(temp.path())),
      removalFiles(
          currentDirectory(),
          [this](const std::string& path) { return files.hostPathOnDrive(path); }, files.marks()),
      services{files, removalFiles, folders, processes, elevation, registry, clock, skin, web},
      guard(host, services) {}

std::filesystem::path GuardHarness::programFolder() {
    return prepared(*files.hostPath(folders.program));
}

std::filesystem::path GuardHarness::addDrive(char letter, platform::DriveType type) {
    std::filesystem::path folder = prepared(temp.path() / std::string(1, letter));
    files.addDrive(letter, type, folder);
    return folder;
}

}  // namespace qv::test
