#pragma once
// The shared data folder the installed guard keeps its files in (%ProgramData%\QVu盘卫士),
// made by the setup program so that every user of the computer can use it.

#include <windows.h>

#include <memory>
#include <string>

#include "common/Status.h"

namespace qv::setup::win32 {

struct LocalFreer {
    void operator()(void* memory) const { LocalFree(memory); }
};
using LocalAcl = std::unique_ptr<ACL, LocalFreer>;

// The access control list `current` (null for none) with one more entry: Modify (read,
// write, execute and delete) for BUILTIN\Users, inherited by every file and folder below.
// Null when it could not be made.
LocalAcl withUsersModify(PACL current);

// Makes `folder` (when it is not there yet) and lets the local Users group, named by its
// well-known SID so that the name's language does not matter, modify what is in it: create,
// change and delete files and folders, not change their permissions. The program folder is
// never opened up so: a user who could replace QVud.exe there would run code as every user
// who starts it.
Status makeSharedDataFolder(const std::wstring& folder);

}  // namespace qv::setup::win32
