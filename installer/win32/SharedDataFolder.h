#pragma once
// The shared data folder the installed guard keeps its files in (%ProgramData%\QVu盘卫士),
// made by the setup program so that every user of the computer can use it.

#include <windows.h>

#include <string>

#include "common/Status.h"
#include "installer/win32/AccessLists.h"

namespace qv::setup::win32 {

// The file the setup leaves in the data folder, which no user but an administrator may
// change or remove: a folder that holds something cannot be made a junction (the file
// system refuses a reparse point on a folder that is not empty: FSCTL_SET_REPARSE_POINT,
// learn.microsoft.com/windows-hardware/drivers/ifs/fsctl-set-reparse-point).
inline constexpr wchar_t kDataFolderNoteName[] = L"数据文件夹说明.txt";

// The data folder's list: SYSTEM and Administrators have full control. Users (BUILTIN\Users,
// S-1-5-32-545) may list the folder and create files and folders in it, but not delete,
// rename or re-point the folder itself (no DELETE, FILE_WRITE_ATTRIBUTES or
// FILE_DELETE_CHILD on it); they may modify everything in it: an entry that only what the
// folder holds inherits.
LocalAcl dataFolderList();
// The note's list: SYSTEM and Administrators have full control, Users may read it.
LocalAcl dataFolderNoteList();
// The quarantine folder's list (隔离区 in the data folder): as the data folder's, but what
// it holds is its maker's alone (CREATOR OWNER, "Well-known SIDs", learn.microsoft.com/
// windows/win32/secauthz/well-known-sids): a user may neither read the files another
// user's guard kept nor change their bytes or put one in their place, which would be
// restored as his.
LocalAcl quarantineFolderList();

// Moves the folder `folder` aside within its parent, under the first free name of
// "<folder>（旧）", "<folder>（旧 2）" ...; the status, and the name it now has.
struct MovedAside {
    Status status;
    std::wstring name;
};
MovedAside moveAside(const std::wstring& folder);

// Makes `folder` (when it is not there yet), makes the Administrators group its owner and
// gives it the data folder's list, with the note in it; the same for the quarantine folder
// in it, with its own list. When a note cannot be placed, users still get their rights and
// the failure is told. A junction of that name, which any user may make before the setup
// runs, is removed (the rights given here would go where it leads); a link Wine shows as
// the folder it leads to is refused. A folder some other user made beforehand is moved
// aside (moveAside) and a new one made: as its owner, or through a handle he kept, he could
// otherwise change it again.
Status makeSharedDataFolder(const std::wstring& folder);

}  // namespace qv::setup::win32
