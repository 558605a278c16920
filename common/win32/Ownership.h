#pragma once
// Whose a file is. In the shared data folder every user's guard keeps files; a file whose
// owner is another ordinary user is his, not to be trusted by this one. An ordinary user
// can make only himself the owner of what he makes, never the Administrators group or
// SYSTEM ("Owner of a New Object", learn.microsoft.com/windows/win32/secauthz/
// owner-of-a-new-object).

#include <windows.h>

namespace qv::win32 {

// Whether `owner` is `user`, the Administrators group or SYSTEM.
bool trustedOwner(PSID owner, PSID user);

// Whether the file or folder `handle` (opened with READ_CONTROL) is owned by the user of
// this process or by an administrator. False when it cannot be told.
bool ownedByThisUserOrAdministrators(HANDLE handle);

}  // namespace qv::win32
