#include "guard/platform/win32/services/Win32Skin.h"

#include "guard/platform/win32/Text.h"

namespace qv::win32 {

void Win32Skin::attach(const std::string& skinFile, const std::string& password) {
    if (!bound_) {
        bound_ = true;  // one attempt per run: a missing library stays missing
        // No "cannot find the DLL" box from the system either.
        DWORD previous = 0;
        BOOL quiet = SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous);
        library_ = LoadLibraryW(libraryName_.c_str());
        if (quiet) SetThreadErrorMode(previous, nullptr);
        if (library_) {
            attachEx_ = reinterpret_cast<AttachEx>(
                reinterpret_cast<void*>(GetProcAddress(library_, "SkinH_AttachEx")));
        }
    }
    if (attachEx_ == nullptr) return;
    std::string file = utf8ToAnsi(skinFile);
    std::string secret = utf8ToAnsi(password);
    attachEx_(file.c_str(), secret.c_str());
}

}  // namespace qv::win32
