// Temporary folders, whole-tree removal, and files with exact bytes or GBK text.

#include <windows.h>

#include <atomic>
#include <vector>

#include "tests/wine/tools/TestKit.h"

namespace qv::testkit {

namespace {

std::wstring convertToWide(std::string_view text, UINT codePage) {
    if (text.empty()) return {};
    int n =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string convertFromWide(std::wstring_view text, UINT codePage) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

std::atomic<unsigned> folderCounter{0};

}  // namespace

std::wstring wide(std::string_view utf8Text) {
    return convertToWide(utf8Text, CP_UTF8);
}

std::string utf8(std::wstring_view wideText) {
    return convertFromWide(wideText, CP_UTF8);
}

std::string toGbk(std::string_view utf8Text) {
    return convertFromWide(wide(utf8Text), 936);
}

TempFolder::TempFolder(std::wstring_view prefix) {
    wchar_t base[MAX_PATH + 1] = {};
    DWORD n = GetTempPathW(MAX_PATH + 1, base);
    if (n == 0 || n > MAX_PATH) return;
    std::wstring folder = base;
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    // Process id, tick count and a counter: unique among concurrent test programs too.
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring candidate = folder + L"\\" + std::wstring(prefix) + L"-" +
                                 std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(GetTickCount()) + L"-" +
                                 std::to_wstring(folderCounter.fetch_add(1));
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) return;
    }
}

TempFolder::~TempFolder() {
    if (!path_.empty()) removeTree(path_);
}

namespace {

const wchar_t* const kDllOverrides = L"Software\\Wine\\DllOverrides";

// Runs a Unix program (Wine starts one named by its Windows path as a Unix process) and
// waits for it; false when it could not be started. Its exit code does not come back
// through Wine: the caller looks at the result.
bool runUnix(std::wstring command) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace

bool makeUnixLink(const std::wstring& target, const std::wstring& link) {
    auto from = unixPath(target);
    auto to = unixPath(link);
    if (!from || !to) return false;
    if (!runUnix(L"Z:\\bin\\ln -s \"" + wide(*from) + L"\" \"" + wide(*to) + L"\"")) return false;
    return waitFor([&] { return GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES; }, 5s);
}

bool setImmutable(const std::wstring& path, bool immutable) {
    auto unix = unixPath(path);
    if (!unix) return false;
    return runUnix(L"Z:\\usr\\bin\\chattr " + std::wstring(immutable ? L"+i" : L"-i") + L" \"" +
                   wide(*unix) + L"\"");
}

bool setUnixMode(const std::wstring& path, unsigned mode) {
    auto unix = unixPath(path);
    if (!unix) return false;
    wchar_t octal[8];
    swprintf(octal, 8, L"%o", mode);
    return runUnix(L"Z:\\usr\\bin\\chmod " + std::wstring(octal) + L" \"" + wide(*unix) + L"\"");
}

namespace {

std::wstring probeIn(const std::wstring& folder) {
    return folder + L"\\~qv-probe-" + std::to_wstring(GetCurrentProcessId());
}

}  // namespace

bool canCreateFileIn(const std::wstring& folder) {
    HANDLE file = CreateFileW(probeIn(folder).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

SystemToolStandIn::SystemToolStandIn(const std::wstring& name, const std::wstring& standIn) {
    wchar_t folder[MAX_PATH] = {};
    UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    tool_ = std::wstring(folder, n) + L"\\" + name;
    saved_ = tool_ + L".qv-saved";
    bool had = GetFileAttributesW(tool_.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (had && !MoveFileExW(tool_.c_str(), saved_.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
    if (!had) saved_.clear();
    // Wine runs its own tool for a program of the system folder unless told to load the
    // file that lies there.
    const std::wstring native = L"native";
    ok_ =
        CopyFileW(standIn.c_str(), tool_.c_str(), FALSE) &&
        RegSetKeyValueW(HKEY_CURRENT_USER, kDllOverrides, name.c_str(), REG_SZ, native.c_str(),
                        static_cast<DWORD>((native.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    name_ = name;
}

SystemToolStandIn::~SystemToolStandIn() {
    if (tool_.empty()) return;
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kDllOverrides, name_.c_str());
    DeleteFileW(tool_.c_str());
    if (!saved_.empty()) MoveFileExW(saved_.c_str(), tool_.c_str(), MOVEFILE_REPLACE_EXISTING);
}

Immutable::Immutable(std::wstring path) : path_(std::move(path)) {
    made_ = setImmutable(path_, true) && waitFor([&] { return !canCreateFileIn(path_); }, 5s);
}

Immutable::~Immutable() {
    release();
}

void Immutable::release() {
    if (path_.empty()) return;
    setImmutable(path_, false);
    // A probe made just as the folder turned immutable could not be deleted on closing.
    waitFor(
        [&] {
            DeleteFileW(probeIn(path_).c_str());
            return canCreateFileIn(path_);
        },
        5s);
    path_.clear();
}

bool removeTree(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileW(path.c_str()) != FALSE;
    // A link to a folder is removed itself; what it points at is left alone.
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        // Names ending in a reserved device name ("con") need the "\\?\" form.
        std::wstring prefix = path.rfind(L"\\\\?\\", 0) == 0 ? path : L"\\\\?\\" + path;
        WIN32_FIND_DATAW entry;
        HANDLE search = FindFirstFileW((prefix + L"\\*").c_str(), &entry);
        if (search != INVALID_HANDLE_VALUE) {
            std::vector<std::wstring> names;
            do {
                std::wstring name = entry.cFileName;
                if (name != L"." && name != L"..") names.push_back(name);
            } while (FindNextFileW(search, &entry));
            FindClose(search);
            for (const auto& name : names) removeTree(prefix + L"\\" + name);
        }
        return RemoveDirectoryW(prefix.c_str()) != FALSE;
    }
    return RemoveDirectoryW(path.c_str()) != FALSE;
}

bool writeBytes(const std::wstring& path, std::string_view bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = bytes.empty() ||
              (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
               written == bytes.size());
    return CloseHandle(file) && ok;
}

bool writeGbkFile(const std::wstring& path, std::string_view text) {
    return writeBytes(path, toGbk(text));
}

std::optional<std::string> readBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr)) && got > 0) {
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    if (!ok) return std::nullopt;
    return bytes;
}

}  // namespace qv::testkit
