#pragma once
// Drives and files over a drive table, for native tests: each drive letter maps to a host
// folder and a drive type, and bare relative names lie in a folder standing for the
// process's current directory. Paths are Windows-style and compare names without regard
// to ASCII case, as Windows does. A path never resolves outside its drive's folder: "..",
// stream names and links that lead out are refused, and so are names with characters
// Windows forbids (wildcards among them). A file whose owner may not write it stands for
// a read-only file: it cannot be deleted or overwritten. The other marks Windows keeps
// (hidden, system, and read-only on a folder) are held in memory (DosMarks), shared with
// the removal's drive-table files when they are handed the same table. Folders are listed
// sorted by name without regard to case, as Windows lists them. A drive is on no bus a
// disk can report unless the test says it is attached by USB.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/posix/DosMarks.h"
#include "guard/platform/FileSystem.h"

namespace qv::posix {

class DriveTableFileSystem : public platform::FileSystem {
public:
    // Larger files are refused by readText, as by the Win32 back-end.
    static constexpr std::uintmax_t kMaxTextBytes = 16u << 20;

    explicit DriveTableFileSystem(std::filesystem::path currentDirectory,
                                  std::string codePage = "GBK");

    // Plugs a drive in (or replaces it); a drive whose folder does not exist is a drive
    // without a medium.
    void addDrive(char letter, platform::DriveType type, std::filesystem::path folder);
    void removeDrive(char letter);
    // Drive `letter` says it is attached by USB (or no longer does).
    void setOnUsbBus(char letter, bool usb);
    // The hidden and system marks of the drives' entries.
    const std::shared_ptr<DosMarks>& marks() const { return marks_; }
    // The host path a Windows path stands for; nullopt when it would leave its drive.
    std::optional<std::filesystem::path> hostPath(const std::string& path) const;
    // The host path of a drive path ("e:\x") that neither leaves its drive nor passes
    // through a link (its last part included); nullopt otherwise. The removal's drive-table
    // back-end reaches the drives through this.
    std::optional<std::filesystem::path> hostPathOnDrive(const std::string& path) const;

    platform::DriveLetters driveLetters() override;
    std::optional<platform::DriveType> driveType(char letter) override;
    bool onUsbBus(char letter) override;
    std::optional<platform::VolumeIdentity> volumeIdentity(char letter) override;
    bool fileExists(const std::string& path) override;
    std::optional<std::vector<std::string>> subfolders(const std::string& folder) override;
    using platform::FileSystem::listFolder;
    std::optional<platform::FolderListing> listFolder(
        const std::string& folder, platform::ShortcutListener* listener) override;
    Status deleteFile(const std::string& path) override;
    Status createDirectory(const std::string& path) override;
    Status createDirectoryAs(const std::string& path, platform::DosAttributes attributes) override;
    Status removeDirectory(const std::string& path) override;
    std::optional<platform::EntryAttributes> attributes(const std::string& path) override;
    Status clearHiddenAndSystem(const std::string& path) override;
    Status clearReadOnly(const std::string& path) override;
    std::optional<std::string> readText(const std::string& path) override;
    std::optional<std::string> readTextStart(const std::string& path,
                                             std::size_t maxBytes) override;
    std::optional<std::string> readBytes(const std::string& path, std::size_t maxBytes) override;
    std::string ansiToText(std::string_view bytes) override;
    Status writeText(const std::string& path, const std::string& text) override;
    Status appendText(const std::string& path, const std::string& text) override;

private:
    struct Drive {
        platform::DriveType type;
        std::filesystem::path folder;
        bool usb = false;
    };

    // True when a symbolic link lies anywhere between the drive's folder and `host`.
    bool linkOnTheWay(const std::filesystem::path& host) const;
    Status write(const std::string& path, const std::string& text, bool append);

    std::filesystem::path currentDirectory_;
    std::string codePage_;
    std::map<char, Drive> drives_;
    std::shared_ptr<DosMarks> marks_ = std::make_shared<DosMarks>();
};

}  // namespace qv::posix
