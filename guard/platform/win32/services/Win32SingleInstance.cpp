#include "guard/platform/win32/services/Win32SingleInstance.h"

namespace qv::win32 {

bool Win32SingleInstance::acquire() {
    if (mutex_) return true;
    UniqueKernelHandle mutex(CreateMutexW(nullptr, FALSE, name_.c_str()));
    // Whatever fails here (no mutex at all, or one of that name held by another copy)
    // means this copy cannot tell that it is alone.
    if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS) return false;
    mutex_ = std::move(mutex);
    return true;
}

}  // namespace qv::win32
