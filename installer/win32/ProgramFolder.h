#pragma once
// The folder the programs are installed into. Under Program Files, Windows' own list lets
// only administrators change it. Anywhere else it inherits what its parent allows (a data
// drive's root lets every user change what is in it, by Windows' default list), so the
// setup gives it a list of its own: no user may replace QVud.exe, which starts for every
// user who logs on, or QVuninst.exe, which an administrator runs elevated.

#include <string>

#include "installer/win32/AccessLists.h"

namespace qv::setup::win32 {

// SYSTEM and Administrators have full control, Users may read and run; inherited by
// everything below.
LocalAcl programFolderList();

enum class ProgramFolderResult {
    Ready,            // under Program Files, or given the program folder's list
    HoldsOtherFiles,  // outside Program Files, holding files of something else: unchanged
    NotPlainFolder,   // a link or junction (any user may make one on a data drive)
    PlaceNotSafe,     // another user made it, or could put a folder of his in its place
    Failed,           // could not be opened or given its list
};

// Readies the folder `folder` for the installation. Outside Program Files only a new or
// empty folder, or one holding an earlier installation (QVud.exe), is given the list: the
// files of anything else would be closed to their users; and only where no other user
// could put another folder in its place. With `change` false it only tells what it would
// do, and a folder not made yet is judged by the folders that will hold it.
ProgramFolderResult prepareProgramFolder(const std::wstring& folder, bool change);

}  // namespace qv::setup::win32
