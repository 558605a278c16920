#pragma once
// The removal's file operations on Windows. On a drive every path is passed in its "\\?\"
// form, so that long names and names ending in a dot or blank reach the file system as
// they are; every entry on the way is checked for a reparse point first, and what a handle
// reached is checked against the name it was opened by, so that no link, junction or
// mount point (nor a Unix link under Wine, which the system follows) leads off the drive.
// Files are opened sharing only reading: nobody writes or deletes a file while it is
// copied into the quarantine, and a file another program holds open for writing or
// without sharing its deletion is refused (ERROR_SHARING_VIOLATION).

#include "common/removal/RemovalFiles.h"

namespace qv::win32 {

class Win32RemovalFiles : public removal::RemovalFiles {
public:
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
    void stillWorking() override;
};

}  // namespace qv::win32
