#pragma once
// The browser's file operations over a drive table: each letter is a real folder, and the
// DOS attributes, which the POSIX file system has not got, are kept beside the files in a
// table keyed by path. A path through a symbolic link is refused, as on Windows. Deleting
// goes the one way of common/removal, over the same drives (hostPathOnDrive).

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include "filedir/browser/BrowserFiles.h"

namespace qv::filedir::test {

class DriveTableFiles : public BrowserFiles {
public:
    void addDrive(char letter, int type, std::filesystem::path folder) {
        drives_[letter] = {type, std::move(folder)};
    }
    void setAttr(const std::string& path, std::uint32_t a) { attrs_[lower(path)] = a; }

    std::vector<Drive> drives() override {
        std::vector<Drive> out;
        for (auto& [letter, d] : drives_) out.push_back({letter, d.type});
        return out;
    }
    std::unique_ptr<FolderReader> openFolder(const std::string& folder, Status& failure) override {
        auto dir = resolve(folder);
        if (!dir) {
            failure = Status::failure("路径经过链接，不予跟随。");
            return nullptr;
        }
        std::error_code ec;
        std::filesystem::directory_iterator it(*dir, ec);
        if (ec) {
            failure = Status::failure(ec.message());
            return nullptr;
        }
        return std::make_unique<Reader>(*this, folder, std::move(it));
    }
    std::optional<std::uint32_t> attributes(const std::string& path, Status& failure) override {
        auto p = resolve(path, true);
        if (!p) {
            failure = Status::failure("路径经过链接，不予跟随。");
            return std::nullopt;
        }
        std::error_code ec;
        auto st = std::filesystem::symlink_status(*p, ec);
        if (ec || !std::filesystem::exists(st)) {
            failure = Status::failure("系统找不到指定的文件");
            return std::nullopt;
        }
        std::uint32_t base = 0;
        if (std::filesystem::is_symlink(st))
            base = kReparsePoint | kDirectory;
        else if (std::filesystem::is_directory(st))
            base = kDirectory;
        auto it = attrs_.find(lower(path));
        return base | (it == attrs_.end() ? kArchive : it->second);
    }
    Status setAttributes(const std::string& path, std::uint32_t a) override {
        auto p = resolve(path, true);
        if (!p) return Status::failure("路径经过链接，不予跟随。");
        if (std::filesystem::is_symlink(*p)) return Status::failure("是链接。");
        attrs_[lower(path)] = a & (kReadOnly | kHidden | kSystem | kArchive);
        ++writes;
        return Status::success();
    }
    std::optional<std::string> readStart(const std::string& path, std::size_t maxBytes) override {
        auto p = resolve(path);
        if (!p || !std::filesystem::is_regular_file(*p)) return std::nullopt;
        ++reads;
        std::ifstream in(*p, std::ios::binary);
        std::string bytes(maxBytes, '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(maxBytes));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        return bytes;
    }
    // The code page is taken as ASCII: the tests' names are.
    std::string ansiToText(std::string_view bytes) override { return std::string(bytes); }
    // The host path of a drive path with no link on the way, its last part included: how
    // the removal's drive-table back-end reaches these drives.
    std::optional<std::filesystem::path> hostPathOnDrive(const std::string& path) {
        return resolve(path);
    }
    int writes = 0;
    int reads = 0;  // files read by readStart

private:
    // Reads the host folder with one directory iterator, a piece per call.
    class Reader : public FolderReader {
    public:
        Reader(DriveTableFiles& files, std::string folder, std::filesystem::directory_iterator it)
            : files_(files), folder_(std::move(folder)), it_(std::move(it)) {}
        Status read(std::vector<Entry>& out, std::size_t count, bool& finished) override {
            std::error_code ec;
            for (; count > 0 && it_ != std::filesystem::directory_iterator(); --count) {
                std::string name = it_->path().filename().string();
                Status unread = Status::success();
                std::optional<std::uint32_t> a =
                    files_.attributes(childPath(folder_, name), unread);
                if (a) out.push_back({name, *a, 0, ""});  // gone since the listing: left out
                it_.increment(ec);
                if (ec) return Status::failure(ec.message());
            }
            finished = it_ == std::filesystem::directory_iterator();
            return Status::success();
        }

    private:
        DriveTableFiles& files_;
        std::string folder_;
        std::filesystem::directory_iterator it_;
    };
    struct Table {
        int type;
        std::filesystem::path folder;
    };
    static std::string lower(std::string s) {
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    }
    // The host path of a drive path; nullopt when a link lies on the way (the last part
    // itself may be a link when `lastMayBeLink`).
    std::optional<std::filesystem::path> resolve(const std::string& path,
                                                 bool lastMayBeLink = false) {
        if (path.size() < 2 || !drives_.contains(path[0])) return std::nullopt;
        std::filesystem::path p = drives_[path[0]].folder;
        std::string rest = path.substr(2);
        std::vector<std::string> parts;
        for (std::size_t at = 0; at < rest.size();) {
            std::size_t next = rest.find('\\', at);
            if (next == std::string::npos) next = rest.size();
            if (next > at) parts.push_back(rest.substr(at, next - at));
            at = next + 1;
        }
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (parts[i] == "..") return std::nullopt;
            p /= parts[i];
            bool last = i + 1 == parts.size();
            if (std::filesystem::is_symlink(p) && !(last && lastMayBeLink)) return std::nullopt;
        }
        return p;
    }
    std::map<char, Table> drives_;
    std::map<std::string, std::uint32_t> attrs_;
};

}  // namespace qv::filedir::test
