#include "guard/platform/win32/services/Win32Skin.h"

#include "common/win32/Text.h"
#include "guard/platform/win32/skin/SkinEngine.h"

namespace qv::win32 {

void Win32Skin::attach(const std::string& skinFile, const std::string& password) {
    std::string file = utf8ToAnsi(skinFile);
    std::string secret = utf8ToAnsi(password);
    SkinH_AttachEx(file.c_str(), secret.c_str());
}

}  // namespace qv::win32
