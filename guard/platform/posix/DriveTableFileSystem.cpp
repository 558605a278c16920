#include "guard/platform/posix/DriveTableFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

#include "common/SaveTemporary.h"
#include "common/removal/RemovalTexts.h"
#include "guard/platform/posix/AnsiText.h"

namespace fs = std::filesystem;

namespace qv::posix {

namespace {

// The system's own texts for the errors a Chinese Windows reports.
const char* const kFileNotFound = "系统找不到指定的文件。";
const char* const kPathNotFound = "系统找不到指定的路径。";
const char* const kAccessDenied = "拒绝访问。";
const char* const kAlreadyExists = "当文件已存在时，无法创建该文件。";
const char* const kNotEmpty = "目录不是空的。";
const char* const kBadName = "文件名、目录名或卷标语法不正确。";

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lower(x) == lower(y); });
}

// The entry of `folder` whose name matches `name` without regard to case (or `name` when
// none does), as a path, and whether it is a link. A host folder may hold names that
// differ only in case; the exact one wins, then the first in byte order, so that the
// answer never depends on the order of the listing.
std::pair<fs::path, bool> existingEntry(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    fs::path exact = folder / name;
    fs::file_status status = fs::symlink_status(exact, ec);
    if (fs::exists(status)) return {std::move(exact), fs::is_symlink(status)};
    std::string found;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string candidate = it->path().filename().string();
        if (sameName(candidate, name) && (found.empty() || candidate < found)) found = candidate;
    }
    if (found.empty()) return {std::move(exact), false};
    fs::path path = folder / found;
    return {path, fs::is_symlink(fs::symlink_status(path, ec))};
}

// Characters Windows never accepts in a file name: the wildcards, the other reserved
// punctuation and the control characters. (The stream separator ':' is refused as well.)
bool validName(const std::string& name) {
    for (unsigned char c : name) {
        if (c < 0x20 || std::strchr("<>:\"|?*", c) != nullptr) return false;
    }
    return true;
}

// Windows lists names in the order of their upper-case forms; ties go by the exact bytes.
// Equal bytes are passed over before any case is looked at: a root of 100,000 entries
// takes a million comparisons.
bool listedBefore(const std::string& a, const std::string& b) {
    auto upper = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : int{c}; };
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (a[i] == b[i]) continue;
        int x = upper(static_cast<unsigned char>(a[i])),
            y = upper(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

// The names sorted by listedBefore, at the cost of a few passes over them: a root of
// 100,000 entries is listed at every monitor pass. Each name gets a key, its first eight
// bytes in upper case as one number; the keys are sorted a byte at a time from the last
// (a radix sort, passing over bytes all keys share), and only names of equal keys are
// compared as names.
void sortAsListed(std::vector<std::string>& names) {
    struct Keyed {
        std::uint64_t key;
        std::uint32_t index;
    };
    std::vector<Keyed> keyed(names.size()), spare(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        unsigned char first[8] = {};
        std::memcpy(first, names[i].data(), std::min<std::size_t>(names[i].size(), 8));
        std::uint64_t key = 0;
        for (unsigned char c : first) key = (key << 8) | (c >= 'a' && c <= 'z' ? c - 32 : c);
        keyed[i] = {key, static_cast<std::uint32_t>(i)};
    }
    for (int shift = 0; shift < 64; shift += 8) {
        std::array<std::size_t, 257> starts{};
        for (const Keyed& k : keyed) ++starts[((k.key >> shift) & 0xFF) + 1];
        if (std::find(starts.begin(), starts.end(), keyed.size()) != starts.end()) continue;
        for (std::size_t b = 1; b < starts.size(); ++b) starts[b] += starts[b - 1];
        for (const Keyed& k : keyed) spare[starts[(k.key >> shift) & 0xFF]++] = k;
        keyed.swap(spare);
    }
    auto byName = [&](const Keyed& a, const Keyed& b) {
        return listedBefore(names[a.index], names[b.index]);
    };
    for (auto run = keyed.begin(); run != keyed.end();) {
        auto end =
            std::find_if(run, keyed.end(), [&](const Keyed& k) { return k.key != run->key; });
        if (end - run > 1) std::sort(run, end, byName);
        run = end;
    }
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const Keyed& k : keyed) sorted.push_back(std::move(names[k.index]));
    names = std::move(sorted);
}

// A file's size and times as the listing's stamp. Change time stands in for creation
// time, which not every file system keeps: it moves at every write as well.
platform::FileStamp stampOf(const struct stat& status) {
    auto nanoseconds = [](const timespec& time) {
        return static_cast<std::uint64_t>(time.tv_sec) * 1000000000u +
               static_cast<std::uint64_t>(time.tv_nsec);
    };
    return {static_cast<std::uint64_t>(status.st_size), nanoseconds(status.st_mtim),
            nanoseconds(status.st_ctim)};
}

bool isWithin(const fs::path& path, const fs::path& base) {
    std::error_code ec;
    fs::path real = fs::weakly_canonical(path, ec);
    if (ec) return false;
    fs::path root = fs::weakly_canonical(base, ec);
    if (ec) return false;
    auto [r, p] = std::mismatch(root.begin(), root.end(), real.begin(), real.end());
    return r == root.end();
}

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool readOnly(const fs::path& path) {
    std::error_code ec;
    auto perms = fs::status(path, ec).permissions();
    return !ec && (perms & fs::perms::owner_write) == fs::perms::none;
}

}  // namespace

DriveTableFileSystem::DriveTableFileSystem(fs::path currentDirectory, std::string codePage)
    : currentDirectory_(std::move(currentDirectory)), codePage_(std::move(codePage)) {}

void DriveTableFileSystem::addDrive(char letter, platform::DriveType type, fs::path folder) {
    drives_[lower(letter)] = {type, std::move(folder)};
}

void DriveTableFileSystem::removeDrive(char letter) {
    drives_.erase(lower(letter));
}

void DriveTableFileSystem::setOnUsbBus(char letter, bool usb) {
    if (auto drive = drives_.find(lower(letter)); drive != drives_.end()) drive->second.usb = usb;
}

std::optional<fs::path> DriveTableFileSystem::hostPath(const std::string& path) const {
    std::string rest = path;
    std::replace(rest.begin(), rest.end(), '/', '\\');
    fs::path base;
    if (rest.size() >= 2 && rest[1] == ':') {
        auto drive = drives_.find(lower(rest[0]));
        if (drive == drives_.end()) return std::nullopt;
        base = drive->second.folder;
        rest.erase(0, 2);
    } else if (!rest.empty() && rest[0] == '\\') {
        return std::nullopt;  // rooted without a drive, or a network name
    } else {
        base = currentDirectory_;
    }

    fs::path result = base;
    bool link = false;
    for (std::size_t at = 0; at <= rest.size();) {
        std::size_t end = std::min(rest.find('\\', at), rest.size());
        const std::string part = rest.substr(at, end - at);
        at = end + 1;
        if (part.empty() || part == ".") continue;
        if (part == ".." || !validName(part)) return std::nullopt;
        auto [entry, isLink] = existingEntry(result, part);
        result = std::move(entry);
        link = link || isLink;
    }
    // Without "..", only a link can lead out of the drive.
    if (link && !isWithin(result, base)) return std::nullopt;
    return result;
}

platform::DriveLetters DriveTableFileSystem::driveLetters() {
    platform::DriveLetters letters;
    for (const auto& [letter, drive] : drives_) letters.add(letter);
    return letters;
}

std::optional<platform::DriveType> DriveTableFileSystem::driveType(char letter) {
    auto drive = drives_.find(lower(letter));
    if (drive == drives_.end()) return std::nullopt;
    return drive->second.type;
}

bool DriveTableFileSystem::onUsbBus(char letter) {
    auto drive = drives_.find(lower(letter));
    return drive != drives_.end() && drive->second.usb;
}

// The host folder's device and inode: another folder plugged in under the letter differs.
std::optional<platform::VolumeIdentity> DriveTableFileSystem::volumeIdentity(char letter) {
    auto drive = drives_.find(lower(letter));
    struct stat status {};
    if (drive == drives_.end() || ::stat(drive->second.folder.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return platform::VolumeIdentity{static_cast<std::uint32_t>(status.st_dev),
                                    static_cast<std::uint64_t>(status.st_ino)};
}

bool DriveTableFileSystem::fileExists(const std::string& path) {
    auto host = hostPath(path);
    std::error_code ec;
    return host && fs::is_regular_file(*host, ec);
}

std::optional<std::vector<std::string>> DriveTableFileSystem::subfolders(
    const std::string& folder) {
    auto host = hostPath(folder);
    std::error_code ec;
    if (!host || !fs::is_directory(*host, ec)) return std::nullopt;
    std::vector<std::string> names;
    for (fs::directory_iterator it(*host, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError) && isWithin(it->path(), *host)) {
            names.push_back(it->path().filename().string());
        }
    }
    if (ec) return std::nullopt;
    sortAsListed(names);
    std::string prefix = folder;
    if (prefix.empty() || (prefix.back() != '\\' && prefix.back() != '/')) prefix += '\\';
    std::vector<std::string> paths;
    for (const std::string& name : names) paths.push_back(prefix + name);
    return paths;
}

// Read with readdir itself: the names and kinds it gives need no path made per entry (a
// root may hold 100,000 of them). Only a link or an entry of unknown kind is looked at.
std::optional<platform::FolderListing> DriveTableFileSystem::listFolder(
    const std::string& folder, platform::ShortcutListener* listener) {
    auto host = hostPath(folder);
    if (!host) return std::nullopt;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(host->c_str()), ::closedir);
    if (!dir) return std::nullopt;
    platform::FolderListing listing;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir.get());
        if (!entry) {
            if (errno != 0) return std::nullopt;
            break;
        }
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            std::error_code ec, typeError;
            fs::directory_entry linked(*host / name, ec);
            // Only a link can lead off the drive; it is left out as if it were not there.
            if (ec || (linked.is_symlink(typeError) && !isWithin(linked.path(), *host))) continue;
            isFolder = linked.is_directory(typeError);
            if (!isFolder && typeError) continue;
        }
        if (!marks_->empty() &&
            (marks_->of(*host / name) & (DosMarks::kHidden | DosMarks::kSystem))) {
            listing.hidden.push_back(name);
        }
        if (!isFolder && platform::isShortcutName(name)) {
            // A file that cannot be looked at gets no stamp, which matches none.
            struct stat status {};
            bool looked = ::fstatat(::dirfd(dir.get()), name.c_str(), &status, 0) == 0;
            listing.shortcuts.push_back({name, looked ? stampOf(status) : platform::FileStamp{}});
            if (listener) listener->shortcutListed(listing.shortcuts.back());
        }
        (isFolder ? listing.folders : listing.files).push_back(std::move(name));
    }
    sortAsListed(listing.folders);
    return listing;
}

Status DriveTableFileSystem::deleteFile(const std::string& path) {
    auto host = hostPath(path);
    if (!host) return Status::failure(kBadName);
    std::error_code ec;
    auto status = fs::symlink_status(*host, ec);
    if (!fs::exists(status)) return Status::failure(kFileNotFound);
    if (fs::is_directory(status) || readOnly(*host)) return Status::failure(kAccessDenied);
    if (!fs::remove(*host, ec)) return Status::failure(kAccessDenied);
    marks_->set(*host, 0);
    return Status::success();
}

bool DriveTableFileSystem::linkOnTheWay(const fs::path& host) const {
    for (const auto& [letter, drive] : drives_) {
        auto [d, h] =
            std::mismatch(drive.folder.begin(), drive.folder.end(), host.begin(), host.end());
        if (d != drive.folder.end()) continue;
        fs::path walked = drive.folder;
        for (; h != host.end(); ++h) {
            walked /= *h;
            std::error_code ec;
            if (fs::is_symlink(fs::symlink_status(walked, ec))) return true;
        }
        return false;
    }
    return false;  // the current directory: no drive of its own
}

std::optional<fs::path> DriveTableFileSystem::hostPathOnDrive(const std::string& path) const {
    if (path.size() < 3 || path[1] != ':') return std::nullopt;
    auto host = hostPath(path);
    if (!host || linkOnTheWay(*host)) return std::nullopt;
    return host;
}

Status DriveTableFileSystem::createDirectory(const std::string& path) {
    auto host = hostPath(path);
    if (!host) return Status::failure(kBadName);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(*host, ec))) return Status::failure(kAlreadyExists);
    if (!fs::is_directory(host->parent_path(), ec)) return Status::failure(kPathNotFound);
    if (!fs::create_directory(*host, ec)) return Status::failure(kAccessDenied);
    marks_->set(*host, 0);
    return Status::success();
}

Status DriveTableFileSystem::createDirectoryAs(const std::string& path,
                                               platform::DosAttributes attributes) {
    Status created = createDirectory(path);
    if (created.ok()) {
        marks_->set(*hostPath(path), (attributes.readOnly ? DosMarks::kReadOnly : 0) |
                                         (attributes.hidden ? DosMarks::kHidden : 0) |
                                         (attributes.system ? DosMarks::kSystem : 0));
    }
    return created;
}

std::optional<platform::EntryAttributes> DriveTableFileSystem::attributes(const std::string& path) {
    auto host = hostPath(path);
    std::error_code ec;
    if (!host || !fs::exists(fs::symlink_status(*host, ec))) return std::nullopt;
    const std::uint32_t marked = marks_->of(*host);
    return platform::EntryAttributes{
        fs::is_directory(*host, ec),
        {(marked & DosMarks::kReadOnly) || readOnly(*host), (marked & DosMarks::kHidden) != 0,
         (marked & DosMarks::kSystem) != 0}};
}

Status DriveTableFileSystem::clearHiddenAndSystem(const std::string& path) {
    auto host = hostPath(path);
    std::error_code ec;
    if (!host || !fs::exists(fs::symlink_status(*host, ec))) return Status::failure(kFileNotFound);
    if (!hostPathOnDrive(path)) return Status::failure(removal::kThroughLinkReason);
    marks_->set(*host, marks_->of(*host) & ~(DosMarks::kHidden | DosMarks::kSystem));
    return Status::success();
}

Status DriveTableFileSystem::clearReadOnly(const std::string& path) {
    auto host = hostPath(path);
    std::error_code ec;
    if (!host || !fs::exists(fs::symlink_status(*host, ec))) return Status::failure(kFileNotFound);
    if (!hostPathOnDrive(path)) return Status::failure(removal::kThroughLinkReason);
    marks_->set(*host, marks_->of(*host) & ~DosMarks::kReadOnly);
    fs::permissions(*host, fs::perms::owner_write, fs::perm_options::add, ec);
    return ec ? Status::failure(kAccessDenied) : Status::success();
}

Status DriveTableFileSystem::removeDirectory(const std::string& path) {
    auto host = hostPath(path);
    if (!host) return Status::failure(kBadName);
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(*host, ec))) return Status::failure(kFileNotFound);
    if (!fs::is_empty(*host, ec)) return Status::failure(kNotEmpty);
    // As on a FAT stick, a read-only folder stays.
    if ((marks_->of(*host) & DosMarks::kReadOnly) || readOnly(*host)) {
        return Status::failure(kAccessDenied);
    }
    if (!fs::remove(*host, ec)) return Status::failure(kAccessDenied);
    marks_->set(*host, 0);
    return Status::success();
}

std::optional<std::string> DriveTableFileSystem::readText(const std::string& path) {
    auto host = hostPath(path);
    std::error_code ec;
    if (!host || !fs::is_regular_file(*host, ec)) return std::nullopt;
    auto size = fs::file_size(*host, ec);
    if (ec || size > kMaxTextBytes) return std::nullopt;
    std::ifstream in(*host, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return codePageToUtf8(bytes, codePage_);
}

std::optional<std::string> DriveTableFileSystem::readTextStart(const std::string& path,
                                                               std::size_t maxBytes) {
    std::optional<std::string> bytes = readBytes(path, maxBytes);
    if (!bytes) return std::nullopt;
    return ansiToText(*bytes);
}

std::optional<std::string> DriveTableFileSystem::readBytes(const std::string& path,
                                                           std::size_t maxBytes) {
    auto host = hostPath(path);
    if (!host) return std::nullopt;
    int fd = ::open(host->c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0) return std::nullopt;
    struct stat status {};
    std::optional<std::string> bytes;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        // Room for what the file holds, up to the limit, not the limit itself.
        bytes.emplace(std::min<std::size_t>(maxBytes, static_cast<std::size_t>(status.st_size)),
                      '\0');
        std::size_t got = 0;
        while (got < bytes->size()) {
            ssize_t n = ::read(fd, bytes->data() + got, bytes->size() - got);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                bytes.reset();
                break;
            }
            if (n == 0) break;
            got += static_cast<std::size_t>(n);
        }
        if (bytes) bytes->resize(got);
    }
    ::close(fd);
    return bytes;
}

std::string DriveTableFileSystem::ansiToText(std::string_view bytes) {
    return codePageToUtf8(bytes, codePage_);
}

Status DriveTableFileSystem::writeText(const std::string& path, const std::string& text) {
    return write(path, text, false);
}

Status DriveTableFileSystem::appendText(const std::string& path, const std::string& text) {
    return write(path, text, true);
}

Status DriveTableFileSystem::write(const std::string& path, const std::string& text, bool append) {
    auto host = hostPath(path);
    if (!host) return Status::failure(kBadName);
    std::error_code ec;
    if (!fs::is_directory(host->parent_path(), ec)) return Status::failure(kPathNotFound);
    if (fs::is_directory(*host, ec) || (fs::exists(*host, ec) && readOnly(*host))) {
        return Status::failure(kAccessDenied);
    }
    std::string bytes = utf8ToCodePage(text, codePage_);
    if (append) {
        std::ofstream out(*host, std::ios::binary | std::ios::app);
        if (!(out << bytes).flush()) return Status::failure(kAccessDenied);
        return Status::success();
    }
    // Replace through the save's own temporary beside the target, so a failed write never
    // leaves half a file; one left by a save killed half-way goes first.
    fs::path temporary = *host;
    temporary += kSaveTemporarySuffix;
    fs::remove(temporary, ec);
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return Status::failure(kAccessDenied);
    bool written = writeAll(fd, bytes);
    if (::close(fd) != 0) written = false;
    if (!written) {
        fs::remove(temporary, ec);
        return Status::failure(kAccessDenied);
    }
    fs::rename(temporary, *host, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return Status::failure(kAccessDenied);
    }
    return Status::success();
}

}  // namespace qv::posix
