#include "installer/win32/ProgramFolder.h"

#include <optional>

#include "common/win32/Folders.h"
#include "common/win32/UniqueHandle.h"
#include "installer/win32/FolderPlace.h"

namespace qv::setup::win32 {

namespace {

bool isFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Whether `folder` holds anything, an earlier installation aside. One that cannot be listed
// counts as holding something: it is left as it is.
bool holdsOtherFiles(const std::wstring& folder) {
    if (isFile(folder + L"\\QVud.exe")) return false;
    WIN32_FIND_DATAW found;
    qv::win32::UniqueFind search(FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic,
                                                  &found, FindExSearchNameMatch, nullptr, 0));
    if (!search) return true;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") return true;
    } while (FindNextFileW(search.get(), &found));
    return GetLastError() != ERROR_NO_MORE_FILES;
}

// Makes the folders that lead to `folder` as they come, then `folder` itself, outside
// Program Files with its list from the start: no moment in which the drive's inherited list
// would let another user open it for deletion and keep that handle.
bool makeWithItsList(const std::wstring& folder) {
    std::optional<PathOnDrive> path = pathOnDrive(folder);
    if (!path) return false;
    for (const std::wstring& parent : path->between) {
        if (!CreateDirectoryW(parent.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    if (qv::win32::liesUnderProgramFiles(path->full))
        return CreateDirectoryW(path->full.c_str(), nullptr);
    LocalAcl list = programFolderList();
    if (!list) return false;
    ProtectedDescriptor security(list.get());
    return security.made && CreateDirectoryW(path->full.c_str(), &security.attributes);
}

}  // namespace

LocalAcl programFolderList() {
    return accessList({kSystemFull,
                       kAdministratorsFull,
                       {WinBuiltinUsersSid, FILE_GENERIC_READ | FILE_GENERIC_EXECUTE,
                        OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE}});
}

ProgramFolderResult prepareProgramFolder(const std::wstring& folder, bool change) {
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    const DWORD error = GetLastError();
    const bool made = attributes != INVALID_FILE_ATTRIBUTES ||
                      (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND);
    if (!made && change && !makeWithItsList(folder)) return ProgramFolderResult::Failed;
    FolderToProtect itself;
    if (made || change) {
        enableTakingOver();
        itself = openFolderToProtect(folder);
        if (itself.notPlain) return ProgramFolderResult::NotPlainFolder;
        if (!itself.handle) return ProgramFolderResult::Failed;
    }
    if (qv::win32::liesUnderProgramFiles(folder)) return ProgramFolderResult::Ready;
    if (ordinaryUsersCouldReplace(folder)) return ProgramFolderResult::PlaceNotSafe;
    if (!itself.handle) return ProgramFolderResult::Ready;
    if (madeByAnotherUser(itself.handle.get())) return ProgramFolderResult::PlaceNotSafe;
    if (holdsOtherFiles(folder)) return ProgramFolderResult::HoldsOtherFiles;
    if (!change) return ProgramFolderResult::Ready;
    LocalAcl list = programFolderList();
    if (!list || !protect(itself.handle.get(), list.get()).ok()) return ProgramFolderResult::Failed;
    return ProgramFolderResult::Ready;
}

}  // namespace qv::setup::win32
