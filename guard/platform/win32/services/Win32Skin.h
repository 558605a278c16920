#pragma once
// The skinning library SkinH_VB6.dll, bound by name at the first attach and kept loaded
// for the rest of the run. Its one entry point used here is
//     int __stdcall SkinH_AttachEx(const char* skinFile, const char* password)
// with both strings in the ANSI code page. A missing library or entry point makes every
// attach do nothing; the library's result is not looked at.

#include <windows.h>

#include <string>

#include "guard/platform/Skin.h"

namespace qv::win32 {

class Win32Skin : public platform::Skin {
public:
    static constexpr const wchar_t* kLibraryName = L"SkinH_VB6.dll";

    explicit Win32Skin(std::wstring libraryName = kLibraryName)
        : libraryName_(std::move(libraryName)) {}
    void attach(const std::string& skinFile, const std::string& password) override;

private:
    using AttachEx = int(__stdcall*)(const char*, const char*);

    std::wstring libraryName_;
    bool bound_ = false;
    // Never freed: a skinning library hooks the program's windows, and unloading it
    // while any window is left would pull the code out from under them.
    HMODULE library_ = nullptr;
    AttachEx attachEx_ = nullptr;
};

}  // namespace qv::win32
