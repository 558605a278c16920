#include "pifushe/win32/Win32SkinFiles.h"

#include <windows.h>

#include "common/win32/FileBytes.h"
#include "common/win32/SystemError.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"

namespace qv::pifushe::win32 {

namespace {

using qv::win32::failure;
using qv::win32::lastErrorFailure;
using qv::win32::toUtf8;
using qv::win32::toWide;
using qv::win32::UniqueFile;
using qv::win32::UniqueFind;

std::wstring pathOf(const std::string& folder, const std::string& name) {
    std::wstring path = toWide(folder);
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    return path + toWide(name);
}

constexpr char kLinkRefused[] = "这是链接或交接点，不予读取";

}  // namespace

Status Win32SkinFiles::list(const std::string& folder, std::vector<FileInfo>& out) {
    WIN32_FIND_DATAW data;
    UniqueFind find(FindFirstFileExW(pathOf(folder, "*").c_str(), FindExInfoBasic, &data,
                                     FindExSearchNameMatch, nullptr, 0));
    if (!find) return lastErrorFailure();
    std::vector<FileInfo> found;
    do {
        if (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        found.push_back({toUtf8(data.cFileName),
                         (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow});
    } while (FindNextFileW(find.get(), &data));
    if (GetLastError() != ERROR_NO_MORE_FILES) return lastErrorFailure();
    out = std::move(found);
    return Status::success();
}

Status Win32SkinFiles::read(const std::string& folder, const std::string& name, std::size_t limit,
                            std::string& out) {
    UniqueFile file(CreateFileW(pathOf(folder, name).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING,
                                FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return lastErrorFailure();
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file.get(), &info)) return lastErrorFailure();
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return Status::failure(kLinkRefused);
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return failure(ERROR_ACCESS_DENIED);
    return qv::win32::readUpTo(file.get(), limit, out);
}

Status Win32SkinFiles::writeTemporary(const std::string& folder, std::string_view bytes,
                                      std::string& name) {
    // A name no other file has: CREATE_NEW refuses an existing one, and the next is tried.
    std::string chosen;
    UniqueFile file;
    for (unsigned attempt = 0; attempt < 100 && !file; ++attempt) {
        chosen = "~Pifu-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(GetTickCount() + attempt) + ".tmp";
        file.reset(CreateFileW(pathOf(folder, chosen).c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file && GetLastError() != ERROR_FILE_EXISTS &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            return lastErrorFailure();
        }
    }
    if (!file) return lastErrorFailure();
    if (Status written = qv::win32::writeFlushAndClose(std::move(file), bytes); !written.ok()) {
        DeleteFileW(pathOf(folder, chosen).c_str());
        return written;
    }
    name = chosen;
    return Status::success();
}

Status Win32SkinFiles::replace(const std::string& folder, const std::string& from,
                               const std::string& to) {
    return qv::win32::moveOver(pathOf(folder, from), pathOf(folder, to));
}

void Win32SkinFiles::remove(const std::string& folder, const std::string& name) {
    DeleteFileW(pathOf(folder, name).c_str());
}

}  // namespace qv::pifushe::win32
