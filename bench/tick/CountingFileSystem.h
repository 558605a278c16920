#pragma once
// Passes every call on to another file system and counts the calls by kind, to show what
// a pass of the guard asks of the disk.

#include <map>
#include <string>

#include "guard/platform/FileSystem.h"

namespace qv::bench {

class CountingFileSystem : public platform::FileSystem {
public:
    explicit CountingFileSystem(platform::FileSystem& inner) : inner_(inner) {}

    const std::map<std::string, long>& calls() const { return calls_; }
    void reset() { calls_.clear(); }

    platform::DriveLetters driveLetters() override { return count("driveLetters").driveLetters(); }
    std::optional<platform::DriveType> driveType(char letter) override {
        return count("driveType").driveType(letter);
    }
    bool fileExists(const std::string& path) override {
        return count("fileExists").fileExists(path);
    }
    std::optional<std::vector<std::string>> subfolders(const std::string& folder) override {
        return count("subfolders").subfolders(folder);
    }
    std::optional<platform::FolderListing> listFolder(const std::string& folder) override {
        return count("listFolder").listFolder(folder);
    }
    Status deleteFile(const std::string& path) override {
        return count("deleteFile").deleteFile(path);
    }
    Status createDirectory(const std::string& path) override {
        return count("createDirectory").createDirectory(path);
    }
    Status createDirectoryAs(const std::string& path, platform::DosAttributes attributes) override {
        return count("createDirectoryAs").createDirectoryAs(path, attributes);
    }
    Status removeDirectory(const std::string& path) override {
        return count("removeDirectory").removeDirectory(path);
    }
    std::optional<platform::EntryAttributes> attributes(const std::string& path) override {
        return count("attributes").attributes(path);
    }
    std::optional<std::string> readText(const std::string& path) override {
        return count("readText").readText(path);
    }
    std::optional<std::string> readTextStart(const std::string& path,
                                             std::size_t maxBytes) override {
        return count("readTextStart").readTextStart(path, maxBytes);
    }
    Status writeText(const std::string& path, const std::string& text) override {
        return count("writeText").writeText(path, text);
    }
    Status appendText(const std::string& path, const std::string& text) override {
        return count("appendText").appendText(path, text);
    }

private:
    platform::FileSystem& count(const char* kind) {
        ++calls_[kind];
        return inner_;
    }

    platform::FileSystem& inner_;
    std::map<std::string, long> calls_;
};

}  // namespace qv::bench
