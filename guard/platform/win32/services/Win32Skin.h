#pragma once
// The skin service over our own skin engine (guard/platform/win32/skin): attach passes
// the skin file's name and the password, in the ANSI code page, to SkinH_AttachEx, which
// applies the skin to every window of the program, for the rest of the run. A missing or
// damaged file changes nothing; the engine's result is not looked at.

#include <string>

#include "guard/platform/Skin.h"

namespace qv::win32 {

class Win32Skin : public platform::Skin {
public:
    void attach(const std::string& skinFile, const std::string& password) override;
};

}  // namespace qv::win32
