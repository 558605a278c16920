#pragma once
// The browser's file operations on Windows. Every path is passed with the "\\?\" prefix,
// so names over MAX_PATH, names ending in a dot or space and reserved device names reach
// the file system as they are; every folder on the way is checked for a reparse point
// first, so a junction or symbolic link never leads an operation off the drive; and a file
// that is read or changed must be the entry of its name (under Wine a Unix link to a file
// shows as the file it leads to).

#include "filedir/browser/BrowserFiles.h"

namespace qv::filedir::win32 {

class Win32BrowserFiles : public BrowserFiles {
public:
    std::vector<Drive> drives() override;
    std::unique_ptr<FolderReader> openFolder(const std::string& folder, Status& failure) override;
    std::optional<std::uint32_t> attributes(const std::string& path, Status& failure) override;
    Status setAttributes(const std::string& path, std::uint32_t attributes) override;
    std::optional<std::string> readStart(const std::string& path, std::size_t maxBytes) override;
    std::string ansiToText(std::string_view bytes) override;
};

}  // namespace qv::filedir::win32
