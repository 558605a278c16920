#pragma once
// The removal's file operations over a drive table, for the native tests of the guard and
// of the file browser. Drive paths are mapped to host paths by the table's own resolver,
// which refuses a path that leaves its drive or passes through a symbolic link; other
// paths lie under a folder standing for the current directory. What POSIX has not got is
// kept here: a file another program holds open without letting it be deleted, the hidden
// and system attributes (read-only is the owner's write permission, as in the drive
// table), a disk that fills up or stops flushing, and a clock that moves one second per
// removal. The hidden and system marks may be shared with the guard's drive-table file
// system (DosMarks).

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "common/posix/DosMarks.h"
#include "common/removal/RemovalFiles.h"

namespace qv::posix {

class DriveTableRemovalFiles : public removal::RemovalFiles {
public:
    // The host path of a drive path ("e:\x"); nullopt when the drive is not in the table,
    // when the path leaves its drive or passes through a link (its last part included).
    using DriveResolver =
        std::function<std::optional<std::filesystem::path>(const std::string& path)>;

    DriveTableRemovalFiles(std::filesystem::path currentDirectory, DriveResolver resolve,
                           std::shared_ptr<DosMarks> marks = std::make_shared<DosMarks>());

    // Another program has `hostFile` open without sharing its deletion.
    void holdOpen(const std::filesystem::path& hostFile) { held_.insert(hostFile); }
    void release(const std::filesystem::path& hostFile) { held_.erase(hostFile); }
    // `hostFile` belongs to another user of the computer: closed to this one.
    void makeForeign(const std::filesystem::path& hostFile) { foreign_.insert(hostFile); }
    // The hidden and system bits of a file; read-only is its owner's write permission.
    void setDosAttributes(const std::filesystem::path& hostFile, std::uint32_t attributes);
    std::uint32_t attributesOf(const std::filesystem::path& hostFile) const;
    // Writes fail once `bytes` more have been written, as on a disk that fills up.
    void limitFreeSpace(std::uint64_t bytes) { freeSpace_ = bytes; }
    // Flushes fail from the `nth` on, counting from 1, as on a disk that went away.
    void failFlushesFrom(int nth) { failFlushesFrom_ = nth; }
    // The flushes of new files asked for so far.
    int flushes() const { return flushes_; }
    // How often a copy said it was still working.
    int stillWorkingTold() const { return stillWorkingTold_; }

    removal::Opened<removal::DriveFile> openOnDrive(const std::string& path) override;
    Status findOnDrive(const std::string& path, removal::Found& found) override;
    Status makeFolderOnDrive(const std::string& path) override;
    removal::Opened<removal::NewFile> createOnDrive(const std::string& path) override;
    Status makeFolder(const std::string& path) override;
    std::optional<std::vector<removal::StoredFile>> listFiles(const std::string& folder) override;
    removal::Opened<removal::NewFile> create(const std::string& path) override;
    removal::Opened<removal::ReadableFile> openToRead(const std::string& path) override;
    Status removeFile(const std::string& path) override;
    removal::Moment now() override;
    void stillWorking() override { ++stillWorkingTold_; }

private:
    class OpenDriveFile;
    class HostNewFile;

    std::optional<std::filesystem::path> placeOf(const std::string& path) const;
    removal::Opened<removal::NewFile> createAt(const std::string& path);
    Status spend(std::uint64_t bytes);
    Status flushFile(int fd);

    std::filesystem::path currentDirectory_;
    DriveResolver resolve_;
    std::set<std::filesystem::path> held_;
    std::set<std::filesystem::path> foreign_;
    std::shared_ptr<DosMarks> marks_;
    std::optional<std::uint64_t> freeSpace_;
    // Flushes run on the removal's task thread.
    std::atomic<int> flushes_{0}, failFlushesFrom_{0};
    int stillWorkingTold_ = 0;
    std::uint64_t seconds_ = 0;
};

}  // namespace qv::posix
