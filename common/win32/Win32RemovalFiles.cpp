#include "common/win32/Win32RemovalFiles.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "common/folders/DataFolder.h"
#include "common/removal/DrivePath.h"
#include "common/removal/RemovalTexts.h"
#include "common/win32/FileBytes.h"
#include "common/win32/Folders.h"
#include "common/win32/Ownership.h"
#include "common/win32/QuietDriveErrors.h"
#include "common/win32/ReachedPath.h"
#include "common/win32/SettableAttributes.h"
#include "common/win32/SystemError.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"

namespace qv::win32 {

namespace {

using removal::Found;
using removal::Opened;

// Nothing there to remove: no such file or folder, no such drive, no medium in it, a
// network drive out of reach.
bool isMissing(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_NOT_READY:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return true;
        default:
            return false;
    }
}

template <typename File>
Opened<File> failed(Status failure, bool missing = false) {
    Opened<File> opened;
    opened.failure = std::move(failure);
    opened.missing = missing;
    return opened;
}

template <typename File>
Opened<File> lastErrorOpened() {
    DWORD error = GetLastError();
    return failed<File>(failure(error), isMissing(error));
}

// Whether `path` lies in the shared data folder (%ProgramData%\QVu盘卫士).
// The full form of a quarantine path: the guard names its quarantine relative to its data
// folder, which it has made the current folder.
std::wstring fullWide(const std::string& path) {
    const std::optional<FullPath> full = fullPath(toWide(path));
    return full ? full->path : toWide(path);
}

bool inSharedDataFolder(const std::string& path) {
    static const std::string shared = sharedDataFolder();
    return !shared.empty() && folders::isInside(toUtf8(fullWide(path)), shared);
}

// The "\\?\" form of a plain drive path; empty for any other path.
std::wstring longDrivePath(const std::string& path) {
    if (removal::plainDrivePath(path) != path) return {};
    return L"\\\\?\\" + toWide(path);
}

// Looks at every entry from the first one below the root down to `path` (its parent only
// unless `last`): a reparse point (junction, symbolic link, mount point) anywhere is
// refused. `missing` tells that an entry on the way does not exist, or that `path` itself
// is a folder (an immunised drive's autorun.inf), where no file of that name can be.
Status noLinkOnTheWay(const std::wstring& path, bool last, bool& missing) {
    missing = false;
    // "\\?\e:\" is 7 characters; the first entry ends at the next backslash.
    for (std::size_t at = path.find(L'\\', 7);; at = path.find(L'\\', at + 1)) {
        if (at == std::wstring::npos && !last) break;
        std::wstring step = path.substr(0, at);
        DWORD attributes = GetFileAttributesW(step.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            DWORD error = GetLastError();
            missing = isMissing(error);
            return failure(error);
        }
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            return Status::failure(removal::kThroughLinkReason);
        }
        if (at == std::wstring::npos) {
            missing = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (missing) return failure(ERROR_FILE_NOT_FOUND);
            break;
        }
    }
    return Status::success();
}

// The file goes when its last handle is closed.
Status markForDeletion(HANDLE handle) {
    FILE_DISPOSITION_INFO disposition{TRUE};
    if (!SetFileInformationByHandle(handle, FileDispositionInfo, &disposition,
                                    sizeof disposition)) {
        return lastErrorFailure();
    }
    return Status::success();
}

Status readPiece(HANDLE file, char* buffer, std::size_t capacity, std::size_t& got) {
    DWORD want = static_cast<DWORD>(std::min<std::size_t>(capacity, std::size_t{1} << 30));
    DWORD read = 0;
    if (!ReadFile(file, buffer, want, &read, nullptr)) return lastErrorFailure();
    got = read;
    return Status::success();
}

class Win32ReadableFile : public removal::ReadableFile {
public:
    explicit Win32ReadableFile(UniqueFile file) : file_(std::move(file)) {}
    Status read(char* buffer, std::size_t capacity, std::size_t& got) override {
        return readPiece(file_.get(), buffer, capacity, got);
    }

private:
    UniqueFile file_;
};

class Win32DriveFile : public removal::DriveFile {
public:
    Win32DriveFile(UniqueFile file, DWORD attributes, std::uint64_t size, std::uint64_t written)
        : file_(std::move(file)), attributes_(attributes), size_(size), written_(written) {}

    std::uint64_t size() const override { return size_; }
    std::uint32_t attributes() const override { return attributes_; }
    std::uint64_t lastWritten() const override { return written_; }
    Status read(char* buffer, std::size_t capacity, std::size_t& got) override {
        return readPiece(file_.get(), buffer, capacity, got);
    }
    // Through the handle: the attributes of this very file, whatever its name leads to now.
    Status setAttributes(std::uint32_t attributes) override {
        FILE_BASIC_INFO basic{};  // times of 0 are left as they are
        basic.FileAttributes = basicInfoAttributes(attributes);
        if (!SetFileInformationByHandle(file_.get(), FileBasicInfo, &basic, sizeof basic)) {
            return lastErrorFailure();
        }
        return Status::success();
    }
    // The file goes when its handle is closed. Windows refuses this for a read-only file
    // (DeleteFileW's documentation: "To delete a read-only file, first you must remove the
    // read-only attribute"), which is why the attributes are cleared first.
    Status deleteOnClose() override { return markForDeletion(file_.get()); }

private:
    UniqueFile file_;
    std::uint32_t attributes_;
    std::uint64_t size_;
    std::uint64_t written_;
};

// A file made with CREATE_NEW, not shared; with DELETE access, so that it can be renamed
// and removed through its handle. A flush on another thread runs beside the writes under
// Wine, as on POSIX; Windows serializes all I/O on a synchronous handle, there it holds up
// the next write instead ("All I/O on a synchronous file handle is serialized", The Old
// New Thing), which costs no more than flushing it all at the end.
class Win32NewFile : public removal::NewFile {
public:
    Win32NewFile(UniqueFile file, bool onDrive) : file_(std::move(file)), onDrive_(onDrive) {}
    ~Win32NewFile() override {
        if (file_) (void)markForDeletion(file_.get());
    }

    Status write(std::string_view bytes) override { return writeAll(file_.get(), bytes); }
    Status flush() override {
        if (!FlushFileBuffers(file_.get())) return lastErrorFailure();
        return Status::success();
    }
    // Through the handle (GENERIC_WRITE holds FILE_WRITE_ATTRIBUTES). Attributes of 0 are
    // left as they are (FILE_BASIC_INFO's documentation), and so are times of 0; -1 and -2
    // would stop and resume the updating of the time instead ("FILE_BASIC_INFORMATION",
    // learn.microsoft.com/windows-hardware/drivers/ddi/wdm), so a moment beyond what a
    // FILETIME holds, which only a crafted entry gives, is refused.
    Status setLastWritten(std::uint64_t moment) override {
        if (moment == 0 || moment > static_cast<std::uint64_t>(INT64_MAX)) {
            return failure(ERROR_INVALID_PARAMETER);
        }
        FILE_BASIC_INFO basic{};
        basic.LastWriteTime.QuadPart = static_cast<LONGLONG>(moment);
        if (!SetFileInformationByHandle(file_.get(), FileBasicInfo, &basic, sizeof basic)) {
            return lastErrorFailure();
        }
        return Status::success();
    }

    // FILE_RENAME_INFO takes an absolute path or one relative to the current directory;
    // ReplaceIfExists FALSE refuses a name that is taken (FILE_RENAME_INFO's documentation).
    // Named first, then flushed, so that the name is on the disk too: a flush writes the
    // file's "data and metadata" and has the storage flush its cache (NtFlushBuffersFileEx's
    // documentation, for the flush FlushFileBuffers asks for). A flush that fails leaves
    // file_ held, so the destructor removes the file under its new name.
    Status place(const std::string& path) override {
        std::wstring target = onDrive_ ? longDrivePath(path) : toWide(path);
        if (target.empty()) return failure(ERROR_INVALID_NAME);
        std::size_t bytes = target.size() * sizeof(wchar_t);
        std::string buffer(offsetof(FILE_RENAME_INFO, FileName) + bytes + sizeof(wchar_t), '\0');
        auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
        rename->ReplaceIfExists = FALSE;
        rename->RootDirectory = nullptr;
        rename->FileNameLength = static_cast<DWORD>(bytes);
        std::memcpy(rename->FileName, target.data(), bytes);
        if (!SetFileInformationByHandle(file_.get(), FileRenameInfo, rename,
                                        static_cast<DWORD>(buffer.size()))) {
            return lastErrorFailure();
        }
        if (Status flushed = flush(); !flushed.ok()) return flushed;
        if (!CloseHandle(file_.release())) return lastErrorFailure();
        return Status::success();
    }

private:
    UniqueFile file_;
    bool onDrive_;
};

// Whether opening `path` (a full path) reached the entry of that name, and if not, why it
// is refused.
Status reachedAsNamed(HANDLE handle, const std::wstring& path) {
    switch (whereReached(handle, path)) {
        case Reached::There:
            return Status::success();
        case Reached::Elsewhere:
            return Status::failure(removal::kThroughLinkReason);
        case Reached::Unknown:
            break;
    }
    return Status::failure(removal::kUnconfirmedPathReason);
}

// The quarantine lies in the data folder, where every user of the computer may create and
// remove folders; a junction needs no privilege to make ("Hard links and junctions",
// learn.microsoft.com/windows/win32/fileio/hard-links-and-junctions). A guard running with
// an administrator's rights would otherwise write and delete wherever another user's
// junction in place of the quarantine folder points. A folder that is a reparse point is
// refused for every quarantine operation.
Status notALink(const std::wstring& folder) {
    DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return Status::failure(removal::kThroughLinkReason);
    return Status::success();
}

// The folder a quarantine file lies in.
std::wstring folderOf(const std::wstring& path) {
    std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

Opened<removal::NewFile> createNew(const std::wstring& path, bool onDrive) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return lastErrorOpened<removal::NewFile>();
    Opened<removal::NewFile> opened;
    opened.file = std::make_unique<Win32NewFile>(std::move(file), onDrive);
    return opened;
}

}  // namespace

Opened<removal::DriveFile> Win32RemovalFiles::openOnDrive(const std::string& path) {
    std::wstring wide = longDrivePath(path);
    if (wide.empty()) return failed<removal::DriveFile>(failure(ERROR_INVALID_NAME));
    QuietDriveErrors quiet;
    bool missing = false;
    if (Status way = noLinkOnTheWay(wide, true, missing); !way.ok()) {
        return failed<removal::DriveFile>(way, missing);
    }
    // Opened without following a link, then checked again through the handle: the path
    // may have changed since the look above. Sharing only reading: a file another program
    // writes, or holds without sharing its deletion, is refused (CreateFileW's
    // documentation on dwShareMode).
    UniqueFile file(CreateFileW(wide.c_str(), GENERIC_READ | DELETE | FILE_WRITE_ATTRIBUTES,
                                FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return lastErrorOpened<removal::DriveFile>();
    // The basic and standard information only: GetFileInformationByHandle also asks for the
    // volume's serial number, which costs Wine a round to the mount manager.
    FILE_BASIC_INFO basic{};
    FILE_STANDARD_INFO standard{};
    if (GetFileType(file.get()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandleEx(file.get(), FileBasicInfo, &basic, sizeof basic) ||
        !GetFileInformationByHandleEx(file.get(), FileStandardInfo, &standard, sizeof standard) ||
        standard.Directory ||
        (basic.FileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
        return failed<removal::DriveFile>(Status::failure(removal::kNotPlainFileReason));
    }
    if (Status there = reachedAsNamed(file.get(), toWide(path)); !there.ok()) {
        return failed<removal::DriveFile>(there);
    }
    Opened<removal::DriveFile> opened;
    opened.file =
        std::make_unique<Win32DriveFile>(std::move(file), basic.FileAttributes,
                                         static_cast<std::uint64_t>(standard.EndOfFile.QuadPart),
                                         static_cast<std::uint64_t>(basic.LastWriteTime.QuadPart));
    return opened;
}

Status Win32RemovalFiles::findOnDrive(const std::string& path, Found& found) {
    std::wstring wide = longDrivePath(path);
    if (wide.empty()) return failure(ERROR_INVALID_NAME);
    QuietDriveErrors quiet;
    bool missing = false;
    if (Status way = noLinkOnTheWay(wide, false, missing); !way.ok()) return way;
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        if (!isMissing(error)) return failure(error);
        found = Found::Nothing;
    } else if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        return Status::failure(removal::kThroughLinkReason);
    } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        found = Found::Folder;
    } else {
        // A link Wine shows as a plain file is told by where its handle leads. Asking for
        // its attributes alone, the open never conflicts with another program's sharing.
        UniqueFile file(CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (!file) return lastErrorFailure();
        if (Status there = reachedAsNamed(file.get(), toWide(path)); !there.ok()) return there;
        found = Found::File;
    }
    return Status::success();
}

Status Win32RemovalFiles::makeFolderOnDrive(const std::string& path) {
    std::wstring wide = longDrivePath(path);
    if (wide.empty()) return failure(ERROR_INVALID_NAME);
    QuietDriveErrors quiet;
    bool missing = false;
    if (Status way = noLinkOnTheWay(wide, false, missing); !way.ok()) return way;
    if (!CreateDirectoryW(wide.c_str(), nullptr)) return lastErrorFailure();
    return Status::success();
}

Opened<removal::NewFile> Win32RemovalFiles::createOnDrive(const std::string& path) {
    std::wstring wide = longDrivePath(path);
    if (wide.empty()) return failed<removal::NewFile>(failure(ERROR_INVALID_NAME));
    QuietDriveErrors quiet;
    bool missing = false;
    if (Status way = noLinkOnTheWay(wide, false, missing); !way.ok()) {
        return failed<removal::NewFile>(way, missing);
    }
    UniqueFile file(CreateFileW(wide.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return lastErrorOpened<removal::NewFile>();
    // Made where the name says, not through a link swapped in since the look above.
    if (Status there = reachedAsNamed(file.get(), toWide(path)); !there.ok()) {
        (void)markForDeletion(file.get());
        return failed<removal::NewFile>(there);
    }
    Opened<removal::NewFile> opened;
    opened.file = std::make_unique<Win32NewFile>(std::move(file), true);
    return opened;
}

Status Win32RemovalFiles::makeFolder(const std::string& path) {
    std::wstring wide = toWide(path);
    if (CreateDirectoryW(wide.c_str(), nullptr)) return Status::success();
    DWORD error = GetLastError();
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (error == ERROR_ALREADY_EXISTS && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return notALink(wide);
    }
    return failure(error);
}

std::optional<std::vector<removal::StoredFile>> Win32RemovalFiles::listFiles(
    const std::string& folder) {
    std::wstring pattern = toWide(folder);
    if (!notALink(pattern).ok()) return std::nullopt;
    if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW entry;
    UniqueFind search(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    std::vector<removal::StoredFile> files;
    if (!search) {
        if (isMissing(GetLastError())) return files;
        return std::nullopt;
    }
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        files.push_back({toUtf8(entry.cFileName),
                         (std::uint64_t{entry.nFileSizeHigh} << 32) | entry.nFileSizeLow});
    } while (FindNextFileW(search.get(), &entry));
    if (GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;
    return files;
}

Opened<removal::NewFile> Win32RemovalFiles::create(const std::string& path) {
    std::wstring wide = toWide(path);
    if (Status plain = notALink(folderOf(wide)); !plain.ok())
        return failed<removal::NewFile>(std::move(plain));
    return createNew(wide, false);
}

Opened<removal::ReadableFile> Win32RemovalFiles::openToRead(const std::string& path) {
    if (Status plain = notALink(folderOf(toWide(path))); !plain.ok())
        return failed<removal::ReadableFile>(std::move(plain));
    UniqueFile file(CreateFileW(toWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    // In the shared data folder every user's guard keeps its copies. Another user's is closed
    // to this one by the quarantine folder's list, or, in a folder without it, not his to
    // trust; so is a file of more than one name (a hard link to a file someone else may
    // write). A portable copy's quarantine (on a stick, where FAT keeps no owners) is its
    // user's alone.
    const bool shared = inSharedDataFolder(path);
    if (!file) {
        const bool closed = GetLastError() == ERROR_ACCESS_DENIED;
        Opened<removal::ReadableFile> refused = lastErrorOpened<removal::ReadableFile>();
        refused.foreign = shared && closed;
        return refused;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (shared && (!ownedByThisUserOrAdministrators(file.get()) ||
                   !GetFileInformationByHandle(file.get(), &information) ||
                   information.nNumberOfLinks != 1)) {
        Opened<removal::ReadableFile> refused =
            failed<removal::ReadableFile>(failure(ERROR_ACCESS_DENIED));
        refused.foreign = true;
        return refused;
    }
    Opened<removal::ReadableFile> opened;
    opened.file = std::make_unique<Win32ReadableFile>(std::move(file));
    return opened;
}

Status Win32RemovalFiles::removeFile(const std::string& path) {
    if (Status plain = notALink(folderOf(toWide(path))); !plain.ok()) return plain;
    // Deleted through a handle to the entry itself, never by name: Wine opens a Unix link
    // to a file as that file, and its DeleteFileW would delete what the link points at.
    const std::wstring full = fullWide(path);
    UniqueFile file(CreateFileW(full.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file) return lastErrorFailure();
    FILE_BASIC_INFO basic{};
    if (GetFileType(file.get()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandleEx(file.get(), FileBasicInfo, &basic, sizeof basic) ||
        (basic.FileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
        return Status::failure(removal::kNotPlainFileReason);
    }
    if (Status there = reachedAsNamed(file.get(), full); !there.ok()) return there;
    return markForDeletion(file.get());
}

removal::Moment Win32RemovalFiles::now() {
    FILETIME utc;
    GetSystemTimeAsFileTime(&utc);
    removal::Moment moment;
    moment.order = (std::uint64_t{utc.dwHighDateTime} << 32) | utc.dwLowDateTime;
    FILETIME local;
    SYSTEMTIME t;
    if (FileTimeToLocalFileTime(&utc, &local) && FileTimeToSystemTime(&local, &t)) {
        wchar_t text[32];
        wsprintfW(text, L"%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour,
                  t.wMinute, t.wSecond);
        moment.text = toUtf8(text);
    }
    return moment;
}

// Windows takes a program's windows for hung, and shows a ghost "(未响应)" in their place
// that offers to end the program, when the thread that owns them "has not called
// PeekMessage within the internal timeout period of 5 seconds" ("IsHungAppWindow",
// learn.microsoft.com/windows/win32/api/winuser/nf-winuser-ishungappwindow). A look at the
// queue is enough. With PM_QS_PAINT alone it processes no message sent from elsewhere (by
// default every kind is processed, else only those named: "PeekMessageW"), so nothing
// runs inside the copy.
void Win32RemovalFiles::stillWorking() {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_PAINT);
}

}  // namespace qv::win32
