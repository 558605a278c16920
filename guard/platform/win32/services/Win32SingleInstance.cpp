#include "guard/platform/win32/services/Win32SingleInstance.h"

namespace qv::win32 {

using platform::InstanceClaim;

// CreateMutexW opens a mutex of that name that exists already and says so with
// ERROR_ALREADY_EXISTS; when the caller may not have the access it asks for, it fails with
// ERROR_ACCESS_DENIED instead: both mean another copy made it. Any other failure (the name
// taken by an object of another kind, ERROR_INVALID_HANDLE; no resources) says nothing
// about another copy (learn.microsoft.com/windows/win32/api/synchapi/nf-synchapi-createmutexw,
// Return value and Remarks).
InstanceClaim Win32SingleInstance::claim() {
    if (mutex_) return InstanceClaim::Held;
    UniqueKernelHandle mutex(CreateMutexW(nullptr, FALSE, name_.c_str()));
    DWORD error = GetLastError();
    if (mutex ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED) {
        return InstanceClaim::TakenByAnother;
    }
    if (!mutex) return InstanceClaim::Unavailable;
    mutex_ = std::move(mutex);
    return InstanceClaim::Held;
}

}  // namespace qv::win32
