#pragma once
// Drives and files over Win32: the drive list and drive types of the system, files and
// folders by their Windows paths, text in the ANSI code page. No call here ever brings
// up a system error box (for example "no disk in drive"): the drive's absence comes back
// as a failure instead.

#include "guard/platform/FileSystem.h"

namespace qv::win32 {

class Win32FileSystem : public platform::FileSystem {
public:
    // Larger files are refused by readText (a hostile drive may hold a huge autorun.inf;
    // every text file the guard reads is a few lines long).
    static constexpr unsigned long long kMaxTextBytes = 16ull << 20;

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
};

}  // namespace qv::win32
