#include "filedir/win32/Win32BrowserFiles.h"

#include <windows.h>

#include "common/win32/FileBytes.h"
#include "common/win32/ReachedPath.h"
#include "common/win32/SettableAttributes.h"
#include "common/win32/SystemError.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"

namespace qv::filedir::win32 {

using namespace qv::win32;
namespace {

std::wstring longPath(const std::string& path) {
    return L"\\\\?\\" + toWide(path);
}

const char* const kThroughLink = "路径经过链接或交接点，可能通向本盘以外，不予跟随。";
const char* const kUnconfirmedPath = "无法确认路径实际通向哪里（路径可能过长），不予处理。";

// Fails when any folder from the root down to the parent of `path` (and `path` itself
// unless `lastMayBeLink`) is a reparse point or cannot be read.
Status checkWay(const std::string& path, bool lastMayBeLink) {
    for (std::size_t at = 3; at <= path.size(); ++at) {
        if (at < path.size() && path[at] != '\\') continue;
        bool last = at == path.size();
        if (last && lastMayBeLink) break;
        DWORD a = GetFileAttributesW(longPath(path.substr(0, at)).c_str());
        if (a == INVALID_FILE_ATTRIBUTES) return lastErrorFailure();
        if (a & FILE_ATTRIBUTE_REPARSE_POINT) return Status::failure(kThroughLink);
    }
    return Status::success();
}

std::string dateText(const FILETIME& written) {
    FILETIME local;
    SYSTEMTIME t;
    if (!FileTimeToLocalFileTime(&written, &local) || !FileTimeToSystemTime(&local, &t)) return {};
    wchar_t text[32];
    wsprintfW(text, L"%04u-%02u-%02u %02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute);
    return toUtf8(text);
}

}  // namespace

std::vector<Drive> Win32BrowserFiles::drives() {
    std::vector<Drive> out;
    wchar_t buffer[512];
    DWORD n = GetLogicalDriveStringsW(511, buffer);
    if (n == 0 || n > 511) return out;
    for (const wchar_t* p = buffer; *p; p += wcslen(p) + 1) {
        wchar_t letter = static_cast<wchar_t>(towlower(p[0]));
        if (letter < L'a' || letter > L'z') continue;
        int type = 0;
        switch (GetDriveTypeW(p)) {
            case DRIVE_REMOVABLE:
                type = 1;
                break;
            case DRIVE_FIXED:
                type = 2;
                break;
            case DRIVE_REMOTE:
                type = 3;
                break;
            case DRIVE_CDROM:
                type = 4;
                break;
            case DRIVE_RAMDISK:
                type = 5;
                break;
            default:
                type = 0;
        }
        out.push_back({static_cast<char>(letter), type});
    }
    return out;
}

namespace {

// One FindFirstFileEx search, read a piece per call. The search holds the entry found
// last and not yet handed out; it is closed once the folder has been read to its end.
class Win32FolderReader : public FolderReader {
public:
    Win32FolderReader(UniqueFind find, const WIN32_FIND_DATAW& first)
        : find_(std::move(find)), data_(first) {}
    Status read(std::vector<Entry>& out, std::size_t count, bool& finished) override {
        for (; count > 0 && find_; --count) {
            std::wstring_view name = data_.cFileName;
            if (name != L"." && name != L"..")
                out.push_back({toUtf8(name), data_.dwFileAttributes,
                               (std::uint64_t(data_.nFileSizeHigh) << 32) | data_.nFileSizeLow,
                               dateText(data_.ftLastWriteTime)});
            if (!FindNextFileW(find_.get(), &data_)) {
                DWORD error = GetLastError();
                find_.reset();
                if (error != ERROR_NO_MORE_FILES) {
                    finished = true;
                    return failure(error);
                }
            }
        }
        finished = !find_;
        return Status::success();
    }

private:
    UniqueFind find_;
    WIN32_FIND_DATAW data_;
};

// The reader of a folder without a single entry.
class EmptyFolderReader : public FolderReader {
public:
    Status read(std::vector<Entry>&, std::size_t, bool& finished) override {
        finished = true;
        return Status::success();
    }
};

}  // namespace

std::unique_ptr<FolderReader> Win32BrowserFiles::openFolder(const std::string& folder,
                                                            Status& failure) {
    if (Status way = checkWay(folder, false); !way.ok()) {
        failure = way;
        return nullptr;
    }
    std::wstring pattern = longPath(folder);
    if (pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW data;
    UniqueFind find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (find) return std::make_unique<Win32FolderReader>(std::move(find), data);
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return std::make_unique<EmptyFolderReader>();
    failure = qv::win32::failure(error);
    return nullptr;
}

std::optional<std::uint32_t> Win32BrowserFiles::attributes(const std::string& path,
                                                           Status& failure) {
    if (Status way = checkWay(path, true); !way.ok()) {
        failure = way;
        return std::nullopt;
    }
    DWORD a = GetFileAttributesW(longPath(path).c_str());
    if (a == INVALID_FILE_ATTRIBUTES) {
        failure = lastErrorFailure();
        return std::nullopt;
    }
    return a;
}

// The entry is changed through a handle to it, opened as itself and checked to be the
// entry of that name: Wine shows a Unix link to a file as the file it leads to, perhaps off
// the drive, and changing "it" would change that file.
Status Win32BrowserFiles::setAttributes(const std::string& path, std::uint32_t attributes) {
    if (Status way = checkWay(path, false); !way.ok()) return way;
    UniqueFile entry(
        CreateFileW(longPath(path).c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!entry) return lastErrorFailure();
    switch (whereReached(entry.get(), toWide(path))) {
        case Reached::There:
            break;
        case Reached::Elsewhere:
            return Status::failure(kThroughLink);
        case Reached::Unknown:
            return Status::failure(kUnconfirmedPath);
    }
    FILE_BASIC_INFO basic{};  // times of 0 stay as they are
    basic.FileAttributes = qv::win32::basicInfoAttributes(attributes);
    if (!SetFileInformationByHandle(entry.get(), FileBasicInfo, &basic, sizeof basic)) {
        return lastErrorFailure();
    }
    return Status::success();
}

// Read-only and shared, never through a reparse point on the way or at the end, nor a link
// Wine follows all the same.
std::optional<std::string> Win32BrowserFiles::readStart(const std::string& path,
                                                        std::size_t maxBytes) {
    if (!checkWay(path, false).ok()) return std::nullopt;
    UniqueFile file(CreateFileW(longPath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file || GetFileType(file.get()) != FILE_TYPE_DISK) return std::nullopt;
    if (!reachedWhereItSays(file.get(), toWide(path))) return std::nullopt;
    std::string bytes;
    if (!readUpTo(file.get(), maxBytes, bytes).ok()) return std::nullopt;
    return bytes;
}

std::string Win32BrowserFiles::ansiToText(std::string_view bytes) {
    return ansiToUtf8(bytes);
}

}  // namespace qv::filedir::win32
