#include "uninstaller/win32/Win32UninstallSystem.h"

#include <windows.h>

#include "common/win32/FileBytes.h"
#include "common/win32/SystemError.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"
#include "common/xz/XzFormat.h"

namespace qv::uninst::win32 {

using namespace qv::win32;

namespace {

bool isNotFound(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

ScriptFile scriptFailure(ScriptFile::Status status, DWORD error) {
    return {status, "", error ? systemErrorText(error) : std::string()};
}

}  // namespace

ScriptFile Win32UninstallSystem::readScript(std::string_view name) {
    UniqueFile file(CreateFileW(toWide(name).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        DWORD error = GetLastError();
        return scriptFailure(
            isNotFound(error) ? ScriptFile::Status::Missing : ScriptFile::Status::Unreadable,
            error);
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) {
        return scriptFailure(ScriptFile::Status::Unreadable, GetLastError());
    }
    if (size.QuadPart > static_cast<LONGLONG>(xz::kMaxScriptBytes)) {
        return scriptFailure(ScriptFile::Status::TooLarge, 0);
    }
    // Read up to one byte past the bound, so a file that grows meanwhile is still caught.
    std::string bytes;
    if (Status read = readUpTo(file.get(), xz::kMaxScriptBytes + 1, bytes); !read.ok()) {
        return {ScriptFile::Status::Unreadable, "", read.description()};
    }
    if (bytes.size() > xz::kMaxScriptBytes) return scriptFailure(ScriptFile::Status::TooLarge, 0);
    return {ScriptFile::Status::Read, ansiToUtf8(bytes), ""};
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
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE, nullptr, nullptr, &startup, &started)) {
        return false;
    }
    // Nobody waits for the command: its handles are closed at once.
    UniqueKernelHandle process(started.hProcess), thread(started.hThread);
    return true;
}

}  // namespace qv::uninst::win32
