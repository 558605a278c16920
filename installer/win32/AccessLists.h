#pragma once
// The access lists the setup gives to the folders it makes. Each names its grantees by
// well-known SID, so that the language of the group names does not matter, and is
// protected: it inherits nothing from the parent folder, so that what a parent lets every
// user do (ProgramData lets users create, and write the attributes of, what is in it; a data
// drive's root lets them change everything) does not reach in.

#include <windows.h>

#include <initializer_list>
#include <memory>

#include "common/Status.h"
#include "common/win32/UniqueHandle.h"

namespace qv::setup::win32 {

struct LocalFreer {
    void operator()(void* memory) const { LocalFree(memory); }
};
using LocalAcl = std::unique_ptr<ACL, LocalFreer>;

// One entry of a list: who, what rights, and how it is inherited (ACE flags:
// OBJECT_INHERIT_ACE, CONTAINER_INHERIT_ACE, INHERIT_ONLY_ACE).
struct Grant {
    WELL_KNOWN_SID_TYPE who;
    DWORD rights;
    BYTE inheritance;
};

// A list of the grants, in their order; null when it could not be made.
LocalAcl accessList(std::initializer_list<Grant> grants);

// What users may do in a file or folder that is theirs to change but not to give away:
// read, write, run and delete it (Windows' "Modify").
inline constexpr DWORD kModify =
    FILE_GENERIC_READ | FILE_GENERIC_WRITE | FILE_GENERIC_EXECUTE | DELETE;
// Full control for SYSTEM and the Administrators group, inherited by everything below.
inline constexpr Grant kSystemFull{WinLocalSystemSid, FILE_ALL_ACCESS,
                                   OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE};
inline constexpr Grant kAdministratorsFull{WinBuiltinAdministratorsSid, FILE_ALL_ACCESS,
                                           OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE};

// A descriptor that carries `list` as a protected access list, for an object made now.
struct ProtectedDescriptor {
    explicit ProtectedDescriptor(const ACL* list) {
        made = InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
               SetSecurityDescriptorDacl(&descriptor, TRUE, const_cast<ACL*>(list), FALSE) &&
               SetSecurityDescriptorControl(&descriptor, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
        attributes = {sizeof attributes, &descriptor, FALSE};
    }
    SECURITY_DESCRIPTOR descriptor{};
    SECURITY_ATTRIBUTES attributes{};
    bool made = false;
};

// Lets the setup (elevated) take any folder or file over whatever its list says: the
// privileges to take ownership and to restore. One that cannot be enabled is passed over;
// opening then depends on the object's own list.
void enableTakingOver();

// The folder `path` itself, never what a link or junction of that name leads to, opened
// with the rights to read and replace its owner and list.
struct FolderToProtect {
    qv::win32::UniqueFile handle;  // none when refused or not opened
    bool notPlain = false;         // a link, a junction or not a folder at all: refused
    Status failure = Status::success();
};
FolderToProtect openFolderToProtect(const std::wstring& path);

// Makes the Administrators group the owner of what `handle` names and `list` its protected
// access list. Windows passes the list's inheritable entries on to what the folder already
// holds ("Automatic Propagation of Inheritable ACEs", learn.microsoft.com/windows/win32/
// secauthz/automatic-propagation-of-inheritable-aces).
Status protect(HANDLE handle, const ACL* list);

}  // namespace qv::setup::win32
