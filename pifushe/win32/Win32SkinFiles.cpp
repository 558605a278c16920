#include "pifushe/win32/Win32SkinFiles.h"

#include <windows.h>

#include <algorithm>

#include "common/win32/SystemError.h"
#include "common/win32/Text.h"

namespace qv::pifushe::win32 {

namespace {

using qv::win32::systemErrorText;
using qv::win32::toUtf8;
using qv::win32::toWide;

std::wstring pathOf(const std::string& folder, const std::string& name) {
    std::wstring path = toWide(folder);
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    return path + toWide(name);
}

Result lastError() {
    return Result::failure(systemErrorText(GetLastError()));
}

class File {
public:
    explicit File(HANDLE h) : handle_(h) {}
    ~File() { close(); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool close() {
        if (!ok()) return true;
        bool closed = CloseHandle(handle_) != FALSE;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

constexpr char kLinkRefused[] = "这是链接或交接点，不予读取";

}  // namespace

Result Win32SkinFiles::list(const std::string& folder, std::vector<FileInfo>& out) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW(pathOf(folder, "*").c_str(), FindExInfoBasic, &data,
                                   FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) return lastError();
    std::vector<FileInfo> found;
    do {
        if (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        found.push_back({toUtf8(data.cFileName),
                         (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow});
    } while (FindNextFileW(find, &data));
    DWORD error = GetLastError();
    FindClose(find);
    if (error != ERROR_NO_MORE_FILES) return Result::failure(systemErrorText(error));
    out = std::move(found);
    return {};
}

Result Win32SkinFiles::read(const std::string& folder, const std::string& name, std::size_t limit,
                            std::string& out) {
    std::wstring path = pathOf(folder, name);
    File file(CreateFileW(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.ok()) return lastError();
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file.get(), &info)) return lastError();
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return Result::failure(kLinkRefused);
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return Result::failure(systemErrorText(ERROR_ACCESS_DENIED));
    std::string bytes(limit, '\0');
    std::size_t got = 0;
    while (got < limit) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(limit - got, 1 << 20));
        DWORD n = 0;
        if (!ReadFile(file.get(), bytes.data() + got, chunk, &n, nullptr)) return lastError();
        if (n == 0) break;
        got += n;
    }
    bytes.resize(got);
    out = std::move(bytes);
    return {};
}

Result Win32SkinFiles::writeTemporary(const std::string& folder, std::string_view bytes,
                                      std::string& name) {
    // A name no other file has: CREATE_NEW refuses an existing one, and the next is tried.
    std::string chosen;
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (unsigned attempt = 0; attempt < 100 && handle == INVALID_HANDLE_VALUE; ++attempt) {
        chosen = "~Pifu-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(GetTickCount() + attempt) + ".tmp";
        handle = CreateFileW(pathOf(folder, chosen).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            return lastError();
        }
    }
    File file(handle);
    if (!file.ok()) return lastError();
    std::wstring path = pathOf(folder, chosen);
    auto fail = [&] {
        Result failed = lastError();
        file.close();
        DeleteFileW(path.c_str());
        return failed;
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD n = 0;
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        if (!WriteFile(file.get(), bytes.data() + done, chunk, &n, nullptr) || n == 0)
            return fail();
        done += n;
    }
    if (!FlushFileBuffers(file.get())) return fail();
    if (!file.close()) {
        Result failed = lastError();
        DeleteFileW(path.c_str());
        return failed;
    }
    name = chosen;
    return {};
}

Result Win32SkinFiles::replace(const std::string& folder, const std::string& from,
                               const std::string& to) {
    // Windows refuses to replace a read-only file; Wine's MoveFileExW does not, so the
    // program asks first and behaves alike on both.
    DWORD attributes = GetFileAttributesW(pathOf(folder, to).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return Result::failure(systemErrorText(ERROR_ACCESS_DENIED));
    if (!MoveFileExW(pathOf(folder, from).c_str(), pathOf(folder, to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return lastError();
    }
    return {};
}

void Win32SkinFiles::remove(const std::string& folder, const std::string& name) {
    DeleteFileW(pathOf(folder, name).c_str());
}

std::string programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        if (path.size() > 32768) return {};
        path.resize(path.size() * 2);
    }
    std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    // A program in a drive root keeps its backslash: "e:\".
    path.resize(slash == 2 && path[1] == L':' ? slash + 1 : slash);
    return toUtf8(path);
}

}  // namespace qv::pifushe::win32
