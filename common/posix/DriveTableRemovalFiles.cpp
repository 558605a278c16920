#include "common/posix/DriveTableRemovalFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>

#include "common/removal/RemovalTexts.h"

namespace fs = std::filesystem;

namespace qv::posix {

namespace {

using removal::kHidden;
using removal::kReadOnly;
using removal::kSystem;

// The system's own texts for the errors a Chinese Windows reports.
const char* const kFileNotFound = "系统找不到指定的文件。";
const char* const kPathNotFound = "系统找不到指定的路径。";
const char* const kAccessDenied = "拒绝访问。";
const char* const kAlreadyExists = "当文件已存在时，无法创建该文件。";
const char* const kSharingViolation = "另一个程序正在使用此文件，进程无法访问。";
const char* const kDiskFull = "磁盘空间不足。";
const char* const kDeviceError = "由于 I/O 设备错误，无法运行此项请求。";

// Windows counts time in 100 ns steps since 1601; a host file's times count from 1970.
constexpr std::uint64_t kUnixEpochSince1601 = 11644473600;
constexpr std::uint64_t kStepsPerSecond = 10'000'000;

std::uint64_t fileTimeOf(const timespec& time) {
    if (time.tv_sec < 0) return 0;
    return (static_cast<std::uint64_t>(time.tv_sec) + kUnixEpochSince1601) * kStepsPerSecond +
           static_cast<std::uint64_t>(time.tv_nsec) / 100;
}

timespec timespecOf(std::uint64_t fileTime) {
    const std::uint64_t seconds = fileTime / kStepsPerSecond;
    timespec time{};
    time.tv_sec =
        static_cast<time_t>(seconds > kUnixEpochSince1601 ? seconds - kUnixEpochSince1601 : 0);
    time.tv_nsec = static_cast<long>(fileTime % kStepsPerSecond * 100);
    return time;
}

// When the host file was last written, as Windows counts; 0 when it cannot be told.
std::uint64_t lastWrittenOf(const fs::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? fileTimeOf(status.st_mtim) : 0;
}

bool readOnly(const fs::path& path) {
    std::error_code ec;
    auto perms = fs::status(path, ec).permissions();
    return !ec && (perms & fs::perms::owner_write) == fs::perms::none;
}

template <typename File>
removal::Opened<File> refused(const char* reason, bool missing = false) {
    removal::Opened<File> opened;
    opened.failure = Status::failure(reason);
    opened.missing = missing;
    return opened;
}

// A host file read from its start.
class HostReadableFile : public removal::ReadableFile {
public:
    explicit HostReadableFile(const fs::path& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~HostReadableFile() override {
        if (fd_ >= 0) ::close(fd_);
    }
    HostReadableFile(const HostReadableFile&) = delete;
    HostReadableFile& operator=(const HostReadableFile&) = delete;

    bool ok() const { return fd_ >= 0; }
    Status read(char* buffer, std::size_t capacity, std::size_t& got) override {
        ssize_t n;
        do n = ::read(fd_, buffer, capacity);
        while (n < 0 && errno == EINTR);
        if (n < 0) return Status::failure(kAccessDenied);
        got = static_cast<std::size_t>(n);
        return Status::success();
    }

private:
    int fd_;
};

}  // namespace

class DriveTableRemovalFiles::OpenDriveFile : public removal::DriveFile {
public:
    OpenDriveFile(DriveTableRemovalFiles& table, fs::path host, std::uint64_t size)
        : table_(table),
          host_(std::move(host)),
          reader_(host_),
          size_(size),
          attributes_(table.attributesOf(host_)),
          written_(lastWrittenOf(host_)) {}
    ~OpenDriveFile() override {
        if (!deleteOnClose_) return;
        std::error_code ec;
        fs::remove(host_, ec);
        table_.marks_->set(host_, 0);
    }
    bool ok() const { return reader_.ok(); }

    std::uint64_t size() const override { return size_; }
    std::uint32_t attributes() const override { return attributes_; }
    std::uint64_t lastWritten() const override { return written_; }
    Status read(char* buffer, std::size_t capacity, std::size_t& got) override {
        return reader_.read(buffer, capacity, got);
    }
    Status setAttributes(std::uint32_t attributes) override {
        std::error_code ec;
        fs::permissions(host_, fs::perms::owner_write,
                        attributes & kReadOnly ? fs::perm_options::remove : fs::perm_options::add,
                        ec);
        if (ec) return Status::failure(kAccessDenied);
        table_.setDosAttributes(host_, attributes);
        return Status::success();
    }
    // As on Windows, a read-only file cannot be marked for deletion.
    Status deleteOnClose() override {
        if (readOnly(host_)) return Status::failure(kAccessDenied);
        deleteOnClose_ = true;
        return Status::success();
    }

private:
    DriveTableRemovalFiles& table_;
    fs::path host_;
    HostReadableFile reader_;
    std::uint64_t size_;
    std::uint32_t attributes_;
    std::uint64_t written_;
    bool deleteOnClose_ = false;
};

class DriveTableRemovalFiles::HostNewFile : public removal::NewFile {
public:
    HostNewFile(DriveTableRemovalFiles& table, fs::path host, int fd)
        : table_(table), host_(std::move(host)), fd_(fd) {}
    ~HostNewFile() override { discard(); }

    Status write(std::string_view bytes) override {
        if (Status spent = table_.spend(bytes.size()); !spent.ok()) return spent;
        while (!bytes.empty()) {
            ssize_t n = ::write(fd_, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return Status::failure(kAccessDenied);
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return Status::success();
    }
    Status flush() override { return table_.flushFile(fd_); }
    Status setLastWritten(std::uint64_t moment) override {
        const timespec times[2] = {{0, UTIME_OMIT}, timespecOf(moment)};
        if (::futimens(fd_, times) != 0) return Status::failure(kAccessDenied);
        return Status::success();
    }
    // Named as the Win32 back-end names a file, then flushed: the flush commits the new
    // name along on a journaling file system.
    Status place(const std::string& path) override {
        auto target = table_.placeOf(path);
        if (!target) return Status::failure(removal::kThroughLinkReason);
        // A second name, then the first one goes: never over an entry that is there.
        if (::link(host_.c_str(), target->c_str()) != 0) {
            return Status::failure(errno == EEXIST ? kAlreadyExists : kAccessDenied);
        }
        std::error_code ec;
        fs::remove(host_, ec);
        host_ = *target;
        if (Status flushed = flush(); !flushed.ok()) return flushed;
        placed_ = ::close(fd_) == 0;
        fd_ = -1;
        return placed_ ? Status::success() : Status::failure(kAccessDenied);
    }

private:
    void discard() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
        std::error_code ec;
        if (!placed_) fs::remove(host_, ec);
    }

    DriveTableRemovalFiles& table_;
    fs::path host_;  // its name now
    int fd_;
    bool placed_ = false;
};

DriveTableRemovalFiles::DriveTableRemovalFiles(fs::path currentDirectory, DriveResolver resolve,
                                               std::shared_ptr<DosMarks> marks)
    : currentDirectory_(std::move(currentDirectory)),
      resolve_(std::move(resolve)),
      marks_(std::move(marks)) {}

void DriveTableRemovalFiles::setDosAttributes(const fs::path& hostFile, std::uint32_t attributes) {
    marks_->set(hostFile, attributes & (kHidden | kSystem));
}

std::uint32_t DriveTableRemovalFiles::attributesOf(const fs::path& hostFile) const {
    return (marks_->of(hostFile) & (kHidden | kSystem)) | (readOnly(hostFile) ? kReadOnly : 0);
}

std::optional<fs::path> DriveTableRemovalFiles::placeOf(const std::string& path) const {
    if (path.size() >= 2 && path[1] == ':') return resolve_(path);
    std::string relative = path;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return currentDirectory_ / relative;
}

Status DriveTableRemovalFiles::spend(std::uint64_t bytes) {
    if (!freeSpace_) return Status::success();
    if (bytes > *freeSpace_) {
        *freeSpace_ = 0;
        return Status::failure(kDiskFull);
    }
    *freeSpace_ -= bytes;
    return Status::success();
}

Status DriveTableRemovalFiles::flushFile(int fd) {
    const int nth = ++flushes_;
    if (failFlushesFrom_ > 0 && nth >= failFlushesFrom_) return Status::failure(kDeviceError);
    if (::fsync(fd) != 0) return Status::failure(kAccessDenied);
    return Status::success();
}

removal::Opened<removal::DriveFile> DriveTableRemovalFiles::openOnDrive(const std::string& path) {
    using Result = removal::Opened<removal::DriveFile>;
    auto host = resolve_(path);
    if (!host) return refused<removal::DriveFile>(removal::kThroughLinkReason);
    std::error_code ec;
    auto status = fs::symlink_status(*host, ec);
    // A folder of that name (an immunised drive's autorun.inf) is no file to remove.
    if (!fs::exists(status) || fs::is_directory(status)) {
        return refused<removal::DriveFile>(kFileNotFound, true);
    }
    if (!fs::is_regular_file(status))
        return refused<removal::DriveFile>(removal::kNotPlainFileReason);
    if (held_.contains(*host)) return refused<removal::DriveFile>(kSharingViolation);
    auto size = fs::file_size(*host, ec);
    if (ec) return refused<removal::DriveFile>(kAccessDenied);
    auto file = std::make_unique<OpenDriveFile>(*this, *host, size);
    if (!file->ok()) return refused<removal::DriveFile>(kAccessDenied);
    Result opened;
    opened.file = std::move(file);
    return opened;
}

Status DriveTableRemovalFiles::findOnDrive(const std::string& path, removal::Found& found) {
    auto host = resolve_(path);
    if (!host) return Status::failure(removal::kThroughLinkReason);
    std::error_code ec;
    auto status = fs::symlink_status(*host, ec);
    if (!fs::exists(status)) {
        found = removal::Found::Nothing;
    } else if (fs::is_directory(status)) {
        found = removal::Found::Folder;
    } else if (fs::is_regular_file(status)) {
        found = removal::Found::File;
    } else {
        return Status::failure(removal::kNotPlainFileReason);
    }
    return Status::success();
}

Status DriveTableRemovalFiles::makeFolderOnDrive(const std::string& path) {
    auto host = resolve_(path);
    if (!host) return Status::failure(removal::kThroughLinkReason);
    std::error_code ec;
    if (!fs::is_directory(host->parent_path(), ec)) return Status::failure(kPathNotFound);
    if (!fs::create_directory(*host, ec)) return Status::failure(kAlreadyExists);
    return Status::success();
}

removal::Opened<removal::NewFile> DriveTableRemovalFiles::createAt(const std::string& path) {
    auto host = placeOf(path);
    if (!host) return refused<removal::NewFile>(removal::kThroughLinkReason);
    std::error_code ec;
    if (!fs::is_directory(host->parent_path(), ec)) {
        return refused<removal::NewFile>(kPathNotFound, true);
    }
    int fd = ::open(host->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return refused<removal::NewFile>(errno == EEXIST ? kAlreadyExists : kAccessDenied);
    removal::Opened<removal::NewFile> opened;
    opened.file = std::make_unique<HostNewFile>(*this, *host, fd);
    return opened;
}

removal::Opened<removal::NewFile> DriveTableRemovalFiles::createOnDrive(const std::string& path) {
    return createAt(path);
}

Status DriveTableRemovalFiles::makeFolder(const std::string& path) {
    auto host = placeOf(path);
    std::error_code ec;
    if (!host) return Status::failure(removal::kThroughLinkReason);
    if (fs::is_directory(*host, ec)) return Status::success();
    if (!fs::create_directory(*host, ec)) return Status::failure(kAccessDenied);
    return Status::success();
}

std::optional<std::vector<removal::StoredFile>> DriveTableRemovalFiles::listFiles(
    const std::string& folder) {
    auto host = placeOf(folder);
    if (!host) return std::nullopt;
    std::error_code ec;
    std::vector<removal::StoredFile> files;
    if (!fs::exists(*host, ec)) return files;
    for (fs::directory_iterator it(*host, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code sizeError;
        if (!it->is_regular_file(sizeError)) continue;
        files.push_back({it->path().filename().string(), it->file_size(sizeError)});
    }
    if (ec) return std::nullopt;
    return files;
}

removal::Opened<removal::NewFile> DriveTableRemovalFiles::create(const std::string& path) {
    return createAt(path);
}

removal::Opened<removal::ReadableFile> DriveTableRemovalFiles::openToRead(const std::string& path) {
    auto host = placeOf(path);
    std::error_code ec;
    if (!host || !fs::is_regular_file(*host, ec)) {
        return refused<removal::ReadableFile>(kFileNotFound, true);
    }
    if (foreign_.contains(*host)) {
        removal::Opened<removal::ReadableFile> closed =
            refused<removal::ReadableFile>(kAccessDenied);
        closed.foreign = true;
        return closed;
    }
    auto file = std::make_unique<HostReadableFile>(*host);
    if (!file->ok()) return refused<removal::ReadableFile>(kAccessDenied);
    removal::Opened<removal::ReadableFile> opened;
    opened.file = std::move(file);
    return opened;
}

Status DriveTableRemovalFiles::removeFile(const std::string& path) {
    auto host = placeOf(path);
    std::error_code ec;
    if (!host || !fs::is_regular_file(fs::symlink_status(*host, ec))) {
        return Status::failure(kFileNotFound);
    }
    if (foreign_.contains(*host) || !fs::remove(*host, ec)) return Status::failure(kAccessDenied);
    return Status::success();
}

// From 2026-12-08 14:00:00 on, one second further at every call.
removal::Moment DriveTableRemovalFiles::now() {
    constexpr std::time_t kStart = 1796738400;  // 2026-12-08 14:00:00 UTC
    std::time_t at = kStart + static_cast<std::time_t>(seconds_++);
    std::tm parts{};
    gmtime_r(&at, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    // In the 100 ns steps since 1601 that Windows counts, as the quarantine takes them.
    return {(static_cast<std::uint64_t>(at) + kUnixEpochSince1601) * kStepsPerSecond, text};
}

}  // namespace qv::posix
