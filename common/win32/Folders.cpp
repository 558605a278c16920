#include "common/win32/Folders.h"

#include <windows.h>
// After windows.h, which it needs.
#include <knownfolders.h>

#include <vector>

#include "common/folders/DataFolder.h"
#include "common/win32/KnownFolders.h"
#include "common/win32/SystemError.h"
#include "common/win32/Text.h"
#include "common/win32/UserRights.h"

namespace qv::win32 {

namespace {

// The longest path GetModuleFileNameW can give, in characters.
constexpr std::size_t kLongestPath = 32768;

// The full path of the running program's file; empty when it cannot be read.
std::wstring programFile() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        // Cut short: again with more room.
        if (path.size() >= kLongestPath) return {};
        path.resize(path.size() * 2);
    }
}

// A folder as a string of UINT-sized calls (GetSystemDirectoryW and the like) gives it.
template <typename Call>
std::string folderFrom(Call call) {
    wchar_t folder[MAX_PATH] = {};
    UINT n = call(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    return toUtf8(std::wstring_view(folder, n));
}

}  // namespace

std::string programFolder() {
    std::wstring path = programFile();
    std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    // A program in a drive root keeps its backslash: "e:\".
    path.resize(slash == 2 && path[1] == L':' ? slash + 1 : slash);
    return toUtf8(path);
}

std::string sharedDataFolder() {
    std::optional<std::wstring> programData = knownFolderPaths({&FOLDERID_ProgramData})[0];
    if (!programData) return {};
    return folders::inFolder(toUtf8(*programData), folders::kDataFolderName);
}

namespace {

// Both views of Program Files: the 64-bit programs' folder and the 32-bit programs' one
// (KNOWNFOLDERID, learn.microsoft.com/windows/win32/shell/knownfolderid;
// FOLDERID_ProgramFilesX64 is the same folder as FOLDERID_ProgramFiles for a 64-bit program
// and unknown to a 32-bit one), with ProgramData last: the shell library is loaded for one
// call.
std::vector<std::optional<std::wstring>> programFilesAndProgramData() {
    return knownFolderPaths({&FOLDERID_ProgramFiles, &FOLDERID_ProgramFilesX86,
                             &FOLDERID_ProgramFilesX64, &FOLDERID_ProgramData});
}

std::vector<std::string> programFilesOf(const std::vector<std::optional<std::wstring>>& known) {
    std::vector<std::string> folders;
    for (std::size_t i = 0; i < 3; ++i) {
        // In their final form, so that a short (8.3) name or a link on the way does not
        // hide that a folder lies inside.
        if (known[i]) folders.push_back(toUtf8(finalPath(*known[i])));
    }
    return folders;
}

}  // namespace

bool liesUnderProgramFiles(const std::wstring& folder) {
    const std::string final = toUtf8(finalPath(folder));
    for (const std::string& programFiles : programFilesOf(programFilesAndProgramData())) {
        if (folders::isInside(final, programFiles)) return true;
    }
    return false;
}

std::string dataFolderFor(const std::string& programFolder) {
    std::vector<std::optional<std::wstring>> known = programFilesAndProgramData();
    std::string shared;
    if (known[3]) shared = folders::inFolder(toUtf8(*known[3]), folders::kDataFolderName);
    std::wstring program = toWide(programFolder);
    return folders::chooseDataFolder(toUtf8(finalPath(program)), programFilesOf(known), shared,
                                     [&] { return userCanCreateFilesIn(program); })
        .folder;
}

std::string dataFolder() {
    static const std::string folder = [] {
        std::string program = programFolder();
        return program.empty() ? sharedDataFolder() : dataFolderFor(program);
    }();
    return folder;
}

Status makeFolder(const std::string& folder) {
    if (folder.empty()) return failure(ERROR_PATH_NOT_FOUND);
    if (CreateDirectoryW(toWide(folder).c_str(), nullptr)) return Status::success();
    DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS) {
        DWORD attributes = GetFileAttributesW(toWide(folder).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return Status::success();
    }
    return failure(error);
}

std::string systemFolder() {
    return folderFrom([](wchar_t* buffer, UINT size) { return GetSystemDirectoryW(buffer, size); });
}

std::string windowsFolder() {
    // The shared Windows folder: GetWindowsDirectoryW names a private one for each user of
    // a terminal server (GetSystemWindowsDirectoryW, learn.microsoft.com/windows/win32/api/
    // sysinfoapi/nf-sysinfoapi-getsystemwindowsdirectoryw).
    return folderFrom(
        [](wchar_t* buffer, UINT size) { return GetSystemWindowsDirectoryW(buffer, size); });
}

std::optional<FullPath> fullPath(const std::wstring& path) {
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return std::nullopt;
    std::wstring full(n, L'\0');
    wchar_t* name = nullptr;
    n = GetFullPathNameW(path.c_str(), n, full.data(), &name);
    if (n == 0 || n >= full.size() || name == nullptr) return std::nullopt;
    std::size_t nameAt = static_cast<std::size_t>(name - full.data());
    full.resize(n);
    return FullPath{std::move(full), nameAt};
}

}  // namespace qv::win32
