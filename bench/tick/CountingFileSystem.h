#pragma once
// Passes every call on to another file system and counts the calls by kind, to show what
// a pass of the guard asks of the disk.

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "guard/platform/FileSystem.h"

namespace qv::bench {

class CountingFileSystem : public platform::FileSystem {
public:
    explicit CountingFileSystem(platform::FileSystem& inner) : inner_(inner) {}

    const std::map<std::string, long>& calls() const { return calls_; }
    const std::vector<std::string>& bytesRead() const { return bytesRead_; }
    void reset() {
        calls_.clear();
        bytesRead_.clear();
    }

    platform::DriveLetters driveLetters() override { return count("driveLetters").driveLetters(); }
    std::optional<platform::DriveType> driveType(char letter) override {
        return count("driveType").driveType(letter);
    }
    bool onUsbBus(char letter) override { return count("onUsbBus").onUsbBus(letter); }
    std::optional<platform::VolumeIdentity> volumeIdentity(char letter) override {
        return count("volumeIdentity").volumeIdentity(letter);
    }
    bool fileExists(const std::string& path) override {
        return count("fileExists").fileExists(path);
    }
    std::optional<std::vector<std::string>> subfolders(const std::string& folder) override {
        return count("subfolders").subfolders(folder);
    }
    using platform::FileSystem::listFolder;
    std::optional<platform::FolderListing> listFolder(
        const std::string& folder, platform::ShortcutListener* listener) override {
        return count("listFolder").listFolder(folder, listener);
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
    Status clearHiddenAndSystem(const std::string& path) override {
        return count("clearHiddenAndSystem").clearHiddenAndSystem(path);
    }
    Status clearReadOnly(const std::string& path) override {
        return count("clearReadOnly").clearReadOnly(path);
    }
    std::optional<std::string> readText(const std::string& path) override {
        return count("readText").readText(path);
    }
    std::optional<std::string> readTextStart(const std::string& path,
                                             std::size_t maxBytes) override {
        return count("readTextStart").readTextStart(path, maxBytes);
    }
    // Every file whose bytes a pass reads is remembered, to show that only shortcuts are.
    std::optional<std::string> readBytes(const std::string& path, std::size_t maxBytes) override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            bytesRead_.push_back(path);
        }
        return count("readBytes").readBytes(path, maxBytes);
    }
    std::string ansiToText(std::string_view bytes) override {
        return count("ansiToText").ansiToText(bytes);
    }
    Status writeText(const std::string& path, const std::string& text) override {
        return count("writeText").writeText(path, text);
    }
    Status appendText(const std::string& path, const std::string& text) override {
        return count("appendText").appendText(path, text);
    }

private:
    platform::FileSystem& count(const char* kind) {
        std::lock_guard<std::mutex> lock(mutex_);
        ++calls_[kind];
        return inner_;
    }

    platform::FileSystem& inner_;
    // Shortcuts are read on a thread of their own while the root is listed.
    std::mutex mutex_;
    std::map<std::string, long> calls_;
    std::vector<std::string> bytesRead_;
};

}  // namespace qv::bench
