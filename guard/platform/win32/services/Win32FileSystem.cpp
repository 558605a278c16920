#include "guard/platform/win32/services/Win32FileSystem.h"

#include <windows.h>

#include <winioctl.h>
#include <winternl.h>

#include <cstddef>
#include <cstdint>

#include <algorithm>

#include "common/removal/RemovalTexts.h"
#include "common/win32/FileBytes.h"
#include "common/win32/Folders.h"
#include "common/win32/QuietDriveErrors.h"
#include "common/win32/ReachedPath.h"
#include "common/win32/SettableAttributes.h"
#include "common/win32/SystemError.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"
#include "common/win32/VolumeIdentity.h"

namespace qv::win32 {

using platform::DriveType;

namespace {

// The UTF-16 form of a path; nullopt for a path the system would silently cut short.
std::optional<std::wstring> widePath(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) return std::nullopt;
    return toWide(path);
}

bool isDiskFile(HANDLE file) {
    return GetFileType(file) == FILE_TYPE_DISK;
}

// A drive path whose last name ends in a dot or a blank (a worm's folder "docs.", or one
// named by a blank alone) in its "\\?\" form, which Windows takes as it stands: from the
// plain form it drops them and so asks about another entry, or the root ("File path
// formats on Windows systems", learn.microsoft.com/dotnet/standard/io/file-path-formats).
// Any other path as it is.
std::wstring literalForm(const std::wstring& path) {
    if (path.size() < 4 || path[1] != L':' || path[2] != L'\\' ||
        path.find(L'/') != std::wstring::npos) {
        return path;
    }
    const std::wstring last = path.substr(path.find_last_of(L'\\') + 1);
    if (last.empty() || last == L"." || last == L".." ||
        (last.back() != L'.' && last.back() != L' ')) {
        return path;
    }
    return L"\\\\?\\" + path;
}

// Opens a file to delete it, never following a link: a link (a reparse point, or a Unix
// link under Wine) is opened as itself, so deleting it never reaches what it points at.
HANDLE openForDelete(const std::wstring& path) {
    return CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// Whether opening `path` reached the file of that name and not, through a link, something
// elsewhere; a path that is not on a drive is taken as it is.
bool openedWhereItSays(HANDLE file, const std::wstring& path) {
    auto full = fullPath(path);
    if (!full || full->path.size() < 3 || full->path[1] != L':') return true;
    return reachedWhereItSays(file, full->path);
}

// Deletes the file behind `file` as DeleteFileW would: never a folder, never a read-only
// file, never a device.
Status deleteOpened(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!isDiskFile(file) || !GetFileInformationByHandle(file, &info)) {
        return failure(ERROR_INVALID_NAME);
    }
    if (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) {
        return failure(ERROR_ACCESS_DENIED);
    }
    FILE_DISPOSITION_INFO dispose{TRUE};
    if (!SetFileInformationByHandle(file, FileDispositionInfo, &dispose, sizeof dispose)) {
        return lastErrorFailure();
    }
    return Status::success();
}

// Windows lists names in the order of their upper-case forms (as NTFS keeps them);
// ties are broken by the exact names so that the order never depends on the file system.
// The lengths are given: a root of 100,000 entries takes a million comparisons.
bool listedBefore(const std::wstring& a, const std::wstring& b) {
    int byName = CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                      static_cast<int>(b.size()), TRUE);
    if (byName != CSTR_EQUAL) return byName == CSTR_LESS_THAN;
    return a < b;
}

std::uint64_t joined(DWORD high, DWORD low) {
    return (std::uint64_t{high} << 32) | low;
}

// The size and times a listing gives of a file, read with no further call.
platform::FileStamp stampOf(const WIN32_FIND_DATAW& entry) {
    return {joined(entry.nFileSizeHigh, entry.nFileSizeLow),
            joined(entry.ftLastWriteTime.dwHighDateTime, entry.ftLastWriteTime.dwLowDateTime),
            joined(entry.ftCreationTime.dwHighDateTime, entry.ftCreationTime.dwLowDateTime)};
}

}  // namespace

platform::DriveLetters Win32FileSystem::driveLetters() {
    // One bit per letter, a for bit 0: no buffer to size, nothing on the heap.
    DWORD present = GetLogicalDrives();
    platform::DriveLetters letters;
    for (int i = 0; i < 26; ++i) {
        if (present & (DWORD{1} << i)) letters.add(static_cast<char>('a' + i));
    }
    return letters;
}

std::optional<DriveType> Win32FileSystem::driveType(char letter) {
    if (letter >= 'A' && letter <= 'Z') letter = static_cast<char>(letter - 'A' + 'a');
    if (letter < 'a' || letter > 'z') return std::nullopt;
    const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
    QuietDriveErrors quiet;
    switch (GetDriveTypeW(root)) {
        case DRIVE_UNKNOWN:
            return DriveType::Unknown;
        case DRIVE_REMOVABLE:
            return DriveType::Removable;
        case DRIVE_FIXED:
            return DriveType::Fixed;
        case DRIVE_REMOTE:
            return DriveType::Network;
        case DRIVE_CDROM:
            return DriveType::CdRom;
        case DRIVE_RAMDISK:
            return DriveType::RamDisk;
        default:
            return std::nullopt;  // DRIVE_NO_ROOT_DIR: no such drive
    }
}

// The disk says which bus attaches it. The volume is opened with no access rights: the
// query is defined with FILE_ANY_ACCESS (winioctl.h), and CreateFileW's documentation says
// that with a desired access of zero a program may query a device's attributes without
// the rights reading it would need, so no elevation is asked. A volume is opened sharing
// reading and writing, as that documentation asks for disks and volumes. Wine answers the
// query for none of its drives, which then are what their type says.
bool Win32FileSystem::onUsbBus(char letter) {
    if (letter >= 'A' && letter <= 'Z') letter = static_cast<char>(letter - 'A' + 'a');
    if (letter < 'a' || letter > 'z') return false;
    const wchar_t volume[] = {L'\\', L'\\', L'.', L'\\', static_cast<wchar_t>(letter), L':', L'\0'};
    QuietDriveErrors quiet;
    UniqueFile device(CreateFileW(volume, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    if (!device) return false;
    STORAGE_PROPERTY_QUERY query{};
    query.PropertyId = StorageDeviceProperty;
    query.QueryType = PropertyStandardQuery;
    // The descriptor is followed by the device's strings; room for them is not needed.
    STORAGE_DEVICE_DESCRIPTOR descriptor{};
    DWORD returned = 0;
    if (!DeviceIoControl(device.get(), IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query,
                         &descriptor, sizeof descriptor, &returned, nullptr)) {
        return false;
    }
    return returned >= offsetof(STORAGE_DEVICE_DESCRIPTOR, BusType) + sizeof descriptor.BusType &&
           descriptor.BusType == BusTypeUsb;
}

std::optional<platform::VolumeIdentity> Win32FileSystem::volumeIdentity(char letter) {
    const std::optional<qv::win32::VolumeIdentity> found = qv::win32::volumeIdentity(letter);
    if (!found) return std::nullopt;
    return platform::VolumeIdentity{found->serial, found->root};
}

bool Win32FileSystem::fileExists(const std::string& path) {
    auto wide = widePath(path);
    if (!wide) return false;
    QuietDriveErrors quiet;
    DWORD attributes = GetFileAttributesW(wide->c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::vector<std::string>> Win32FileSystem::subfolders(const std::string& folder) {
    auto wide = widePath(folder);
    if (!wide) return std::nullopt;
    std::string prefix = folder;
    if (prefix.back() != '\\' && prefix.back() != '/') prefix += '\\';
    std::wstring pattern = toWide(prefix) + L"*";

    QuietDriveErrors quiet;
    WIN32_FIND_DATAW entry;
    UniqueFind search(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry,
                                       FindExSearchLimitToDirectories, nullptr, 0));
    if (!search) {
        // The root of an empty drive has no "." and "..", so nothing matches at all.
        if (GetLastError() == ERROR_FILE_NOT_FOUND) return std::vector<std::string>{};
        return std::nullopt;
    }
    std::vector<std::wstring> names;
    do {
        // The search limit is only a hint to the file system; files can still come back.
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        names.push_back(std::move(name));
    } while (FindNextFileW(search.get(), &entry));
    if (GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;

    std::sort(names.begin(), names.end(), listedBefore);
    std::vector<std::string> paths;
    paths.reserve(names.size());
    for (const std::wstring& name : names) paths.push_back(prefix + fromWide(name));
    return paths;
}

std::optional<platform::FolderListing> Win32FileSystem::listFolder(
    const std::string& folder, platform::ShortcutListener* listener) {
    auto wide = widePath(folder);
    if (!wide) return std::nullopt;
    std::wstring pattern = *wide;
    if (pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';

    QuietDriveErrors quiet;
    WIN32_FIND_DATAW entry;
    UniqueFind search(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!search) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND) return platform::FolderListing{};
        return std::nullopt;
    }
    std::vector<std::wstring> folders;
    platform::FolderListing listing;
    do {
        std::wstring name = entry.cFileName;
        const bool hidden =
            entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name == L"." || name == L"..") continue;
            if (hidden) listing.hidden.push_back(fromWide(name));
            folders.push_back(std::move(name));
        } else {
            listing.files.push_back(fromWide(name));
            if (hidden) listing.hidden.push_back(listing.files.back());
            if (platform::isShortcutName(listing.files.back())) {
                listing.shortcuts.push_back({listing.files.back(), stampOf(entry)});
                if (listener) listener->shortcutListed(listing.shortcuts.back());
            }
        }
    } while (FindNextFileW(search.get(), &entry));
    if (GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;

    std::sort(folders.begin(), folders.end(), listedBefore);
    listing.folders.reserve(folders.size());
    for (const std::wstring& name : folders) listing.folders.push_back(fromWide(name));
    return listing;
}

Status Win32FileSystem::deleteFile(const std::string& path) {
    auto wide = widePath(path);
    if (!wide) return failure(ERROR_INVALID_NAME);
    // DeleteFileW takes no patterns; refuse them here as well, whatever the file system.
    if (wide->find_first_of(L"*?") != std::wstring::npos) return failure(ERROR_INVALID_NAME);
    QuietDriveErrors quiet;
    UniqueFile file(openForDelete(*wide));
    if (!file) return lastErrorFailure();
    // A link the system followed all the same (Wine opens a Unix link to a file as the
    // file it points at) is refused rather than deleting what it points at.
    if (!openedWhereItSays(file.get(), *wide)) return failure(ERROR_CANT_RESOLVE_FILENAME);
    return deleteOpened(file.get());
}

Status Win32FileSystem::createDirectory(const std::string& path) {
    auto wide = widePath(path);
    if (!wide) return failure(ERROR_INVALID_NAME);
    QuietDriveErrors quiet;
    // Passed through unchanged: with its trailing backslash, "x:\autorun.inf\con\" makes
    // a folder named after the reserved device name.
    if (!CreateDirectoryW(wide->c_str(), nullptr)) return lastErrorFailure();
    return Status::success();
}

namespace {

// The name NtCreateFile takes for a full Win32 path: "\??\e:\x", "\??\UNC\server\share\x".
std::wstring ntPath(const std::wstring& full) {
    const std::wstring prefix = L"\\??\\";
    if (full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\")) {
        return prefix + full.substr(4);
    }
    if (full.starts_with(L"\\\\")) return prefix + L"UNC\\" + full.substr(2);
    return prefix + full;
}

}  // namespace

// CreateDirectoryW takes no attributes, and Wine ignores the read-only mark that
// SetFileAttributesW gives a folder afterwards (it keeps it in the Unix write permission,
// which it sets only when a folder is made). NtCreateFile, documented for user mode in
// winternl.h, applies the attributes it is given to the folder it creates (FILE_CREATE),
// on Windows and under Wine alike (learn.microsoft.com/windows/win32/api/winternl/
// nf-winternl-ntcreatefile, FileAttributes: the attributes set when the call creates it).
Status Win32FileSystem::createDirectoryAs(const std::string& path,
                                          platform::DosAttributes attributes) {
    auto wide = widePath(path);
    if (!wide) return failure(ERROR_INVALID_NAME);
    auto full = fullPath(*wide);
    if (!full) return failure(ERROR_INVALID_NAME);
    std::wstring name = ntPath(full->path);
    if (name.size() * sizeof(wchar_t) > 0xFFFE) return failure(ERROR_FILENAME_EXCED_RANGE);
    UNICODE_STRING ntName{static_cast<USHORT>(name.size() * sizeof(wchar_t)),
                          static_cast<USHORT>(name.size() * sizeof(wchar_t)), name.data()};
    OBJECT_ATTRIBUTES object;
    InitializeObjectAttributes(&object, &ntName, OBJ_CASE_INSENSITIVE, nullptr, nullptr);
    ULONG marks = (attributes.readOnly ? FILE_ATTRIBUTE_READONLY : 0) |
                  (attributes.hidden ? FILE_ATTRIBUTE_HIDDEN : 0) |
                  (attributes.system ? FILE_ATTRIBUTE_SYSTEM : 0);
    IO_STATUS_BLOCK io{};
    HANDLE handle = nullptr;
    QuietDriveErrors quiet;
    NTSTATUS status =
        NtCreateFile(&handle, FILE_LIST_DIRECTORY | SYNCHRONIZE, &object, &io, nullptr,
                     marks ? marks : FILE_ATTRIBUTE_NORMAL,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FILE_CREATE,
                     FILE_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
    if (!NT_SUCCESS(status)) return failure(RtlNtStatusToDosError(status));
    UniqueKernelHandle made(handle);
    return Status::success();
}

std::optional<platform::EntryAttributes> Win32FileSystem::attributes(const std::string& path) {
    auto wide = widePath(path);
    if (!wide) return std::nullopt;
    QuietDriveErrors quiet;
    DWORD found = GetFileAttributesW(literalForm(*wide).c_str());
    if (found == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return platform::EntryAttributes{
        (found & FILE_ATTRIBUTE_DIRECTORY) != 0,
        {(found & FILE_ATTRIBUTE_READONLY) != 0, (found & FILE_ATTRIBUTE_HIDDEN) != 0,
         (found & FILE_ATTRIBUTE_SYSTEM) != 0}};
}

namespace {

// The entry is opened as itself (FILE_FLAG_OPEN_REPARSE_POINT, with backup semantics so
// that a folder opens too) by its "\\?\" path, so a name ending in a dot or blank reaches
// that very entry; a reparse point, or a Unix link Wine followed all the same, is refused.
// Its attributes change through the handle, the times stay (0 leaves a time as it is).
Status clearAttributes(const std::string& path, DWORD cleared) {
    auto wide = widePath(path);
    if (!wide || wide->size() < 3 || (*wide)[1] != L':') return failure(ERROR_INVALID_NAME);
    QuietDriveErrors quiet;
    UniqueFile entry(
        CreateFileW((L"\\\\?\\" + *wide).c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!entry) return lastErrorFailure();
    FILE_BASIC_INFO basic{};
    if (!isDiskFile(entry.get()) ||
        !GetFileInformationByHandleEx(entry.get(), FileBasicInfo, &basic, sizeof basic)) {
        return failure(ERROR_INVALID_NAME);
    }
    if ((basic.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
        !openedWhereItSays(entry.get(), *wide)) {
        return Status::failure(removal::kThroughLinkReason);
    }
    FILE_BASIC_INFO changed{};
    changed.FileAttributes = basicInfoAttributes(basic.FileAttributes & ~cleared);
    if (!SetFileInformationByHandle(entry.get(), FileBasicInfo, &changed, sizeof changed)) {
        return lastErrorFailure();
    }
    return Status::success();
}

}  // namespace

Status Win32FileSystem::clearHiddenAndSystem(const std::string& path) {
    return clearAttributes(path, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
}

Status Win32FileSystem::clearReadOnly(const std::string& path) {
    return clearAttributes(path, FILE_ATTRIBUTE_READONLY);
}

Status Win32FileSystem::removeDirectory(const std::string& path) {
    auto wide = widePath(path);
    if (!wide) return failure(ERROR_INVALID_NAME);
    QuietDriveErrors quiet;
    if (!RemoveDirectoryW(wide->c_str())) return lastErrorFailure();
    return Status::success();
}

namespace {

// At most `limit` bytes of a file on a disk, as they are. With `whole`, a file longer than
// the limit gives nothing rather than its start. With `asItself`, a link is never read
// through: FILE_FLAG_OPEN_REPARSE_POINT opens a reparse point itself rather than what it
// leads to (CreateFileW's documentation), which is then refused, and so is a link the
// system followed all the same (a Unix link under Wine). A file a stick names may lead to
// another computer's share, and opening it would connect there.
std::optional<std::string> readStart(const std::string& path, std::size_t limit, bool whole,
                                     bool asItself = false) {
    auto wide = widePath(path);
    if (!wide) return std::nullopt;
    QuietDriveErrors quiet;
    UniqueFile file(
        CreateFileW(wide->c_str(), GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    asItself ? FILE_FLAG_OPEN_REPARSE_POINT : FILE_ATTRIBUTE_NORMAL, nullptr));
    // Only files on a disk: a device name such as "con" would wait for input forever.
    if (!file || !isDiskFile(file.get())) return std::nullopt;
    if (asItself) {
        FILE_BASIC_INFO basic{};
        if (!GetFileInformationByHandleEx(file.get(), FileBasicInfo, &basic, sizeof basic) ||
            (basic.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
            !openedWhereItSays(file.get(), *wide)) {
            return std::nullopt;
        }
    }
    LARGE_INTEGER size{};
    if (whole && (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
                  static_cast<unsigned long long>(size.QuadPart) > limit)) {
        return std::nullopt;
    }
    // One byte past the limit tells a whole read that the file grew while being read.
    std::string bytes;
    if (!readUpTo(file.get(), whole ? limit + 1 : limit, bytes).ok()) return std::nullopt;
    if (whole && bytes.size() > limit) return std::nullopt;
    return bytes;
}

}  // namespace

std::optional<std::string> Win32FileSystem::readText(const std::string& path) {
    std::optional<std::string> bytes = readStart(path, kMaxTextBytes, true);
    if (!bytes) return std::nullopt;
    return ansiToUtf8(*bytes);
}

std::optional<std::string> Win32FileSystem::readTextStart(const std::string& path,
                                                          std::size_t maxBytes) {
    std::optional<std::string> bytes = readStart(path, maxBytes, false);
    if (!bytes) return std::nullopt;
    return ansiToUtf8(*bytes);
}

std::optional<std::string> Win32FileSystem::readBytes(const std::string& path,
                                                      std::size_t maxBytes) {
    return readStart(path, maxBytes, false, true);
}

std::string Win32FileSystem::ansiToText(std::string_view bytes) {
    return ansiToUtf8(bytes);
}

Status Win32FileSystem::writeText(const std::string& path, const std::string& text) {
    auto wide = widePath(path);
    if (!wide) return failure(ERROR_INVALID_NAME);
    QuietDriveErrors quiet;
    // A failed write never leaves half a file.
    return replaceFile(*wide, utf8ToAnsi(text));
}

Status Win32FileSystem::appendText(const std::string& path, const std::string& text) {
    auto wide = widePath(path);
    if (!wide) return failure(ERROR_INVALID_NAME);
    QuietDriveErrors quiet;
    UniqueFile file(CreateFileW(wide->c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return lastErrorFailure();
    if (!isDiskFile(file.get())) return failure(ERROR_INVALID_NAME);
    return writeAll(file.get(), utf8ToAnsi(text));
}

}  // namespace qv::win32
