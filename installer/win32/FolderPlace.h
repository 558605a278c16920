#pragma once
// Whether another user could put a folder of his own in the place of the installation
// folder. Windows lets one who has DELETE on a folder, or FILE_DELETE_CHILD on the folder
// holding it, rename or remove it (DeleteFileW, Remarks, learn.microsoft.com/windows/win32/
// api/fileapi/nf-fileapi-deletefilew; "File Security and Access Rights", learn.microsoft.com/
// windows/win32/fileio/file-security-and-access-rights); one who may change a folder's list
// or owner may give himself either; a link or junction on the way may be re-pointed. Who
// does that to a folder the installation lies in replaces QVud.exe, which starts for every
// user, and QVuninst.exe, which an administrator runs elevated.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace qv::setup::win32 {

// Whether an ordinary user could rename, remove or re-point one of the folders `folder`
// lies in, from the drive's root down to the folder that holds it, or remove `folder`
// through that one. Each folder is judged by its own owner and list: anyone but SYSTEM, the
// Administrators group, TrustedInstaller and the administrator running the setup is such a
// user. A folder not made yet is judged by what the last one there passes on to the folders
// made in it. True when it cannot be judged, or for a path that is not on a drive.
bool ordinaryUsersCouldReplace(const std::wstring& folder);

// `folder` in full ("d:\\a\\b", without a trailing backslash) and the folders that lead
// to it below its drive's root ("d:\\a"); nothing for a path that is not on a drive.
struct PathOnDrive {
    std::wstring full;
    std::vector<std::wstring> between;
};
std::optional<PathOnDrive> pathOnDrive(const std::wstring& folder);

// Whether the folder `handle` (opened with READ_CONTROL) is owned by someone not trusted: a
// folder some user made beforehand, who may still change its list as its owner, or through
// a handle he opened then, which keeps the rights it was opened with whatever the list
// says later (IRP_MJ_CREATE, learn.microsoft.com/windows-hardware/drivers/ifs/
// irp-mj-create), and whose files he may have put there. True when it cannot be told.
bool madeByAnotherUser(HANDLE folder);
// Whether `descriptor`'s owner is someone not trusted (`user` as below).
bool ownedByOthers(PSECURITY_DESCRIPTOR descriptor, PSID user);
// Whether a folder made in the folder `descriptor` describes would let someone not trusted
// rename, remove or re-list it, by the entries it passes on.
bool othersMayReplaceFoldersMadeIn(PSECURITY_DESCRIPTOR descriptor, PSID user);

// The judgement of one folder by its security descriptor: whether someone not trusted
// (`user` is the administrator running the setup; may be null) may rename, remove or
// re-list it, or remove what it holds.
bool othersMayReplace(PSECURITY_DESCRIPTOR descriptor, PSID user);

}  // namespace qv::setup::win32
