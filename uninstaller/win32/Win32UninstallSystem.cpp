#include "uninstaller/win32/Win32UninstallSystem.h"

#include <windows.h>

#include "common/win32/SystemError.h"
#include "common/win32/Text.h"
#include "uninstaller/script/ScriptLimits.h"

namespace qv::uninst::win32 {

using namespace qv::win32;

namespace {

// Owns a file handle for the length of a read.
class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() {
        if (valid()) CloseHandle(h_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

bool isNotFound(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

ScriptFile failure(ScriptFile::Status status, DWORD error) {
    return {status, "", error ? systemErrorText(error) : std::string()};
}

}  // namespace

ScriptFile Win32UninstallSystem::readScript(std::string_view name) {
    FileHandle file(CreateFileW(toWide(name).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        DWORD error = GetLastError();
        return failure(
            isNotFound(error) ? ScriptFile::Status::Missing : ScriptFile::Status::Unreadable,
            error);
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) {
        return failure(ScriptFile::Status::Unreadable, GetLastError());
    }
    if (size.QuadPart > static_cast<LONGLONG>(kMaxScriptBytes)) {
        return failure(ScriptFile::Status::TooLarge, 0);
    }
    // Read up to one byte past the bound, so a file that grows meanwhile is still caught.
    std::string bytes(kMaxScriptBytes + 1, '\0');
    size_t used = 0;
    for (;;) {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(bytes.size() - used);
        if (!ReadFile(file.get(), bytes.data() + used, want, &got, nullptr)) {
            return failure(ScriptFile::Status::Unreadable, GetLastError());
        }
        if (got == 0) break;
        used += got;
        if (used == bytes.size()) return failure(ScriptFile::Status::TooLarge, 0);
    }
    bytes.resize(used);
    return {ScriptFile::Status::Read, toUtf8(toWide(bytes, CP_ACP)), ""};
}

DeleteResult Win32UninstallSystem::deleteFile(const std::string& path) {
    // A NUL inside the name would cut it short and name another file.
    if (path.find('\0') != std::string::npos) {
        return {DeleteOutcome::Failed, systemErrorText(ERROR_INVALID_NAME)};
    }
    if (DeleteFileW(toWide(path).c_str())) return {DeleteOutcome::Deleted, ""};
    DWORD error = GetLastError();
    if (isNotFound(error)) return {DeleteOutcome::NotFound, ""};
    return {DeleteOutcome::Failed, systemErrorText(error)};
}

bool Win32UninstallSystem::startMinimised(std::string_view program,
                                          const std::string& commandLine) {
    if (commandLine.find('\0') != std::string::npos) return false;
    // The program is taken from the system folder only: a bare name would be looked up in
    // the uninstaller's own and current folders first, where anyone could have put one.
    wchar_t folder[MAX_PATH] = {};
    UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return false;
    std::wstring application = std::wstring(folder, n) + L"\\" + toWide(program);
    std::wstring line = toWide(commandLine);

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE, nullptr, nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace qv::uninst::win32
