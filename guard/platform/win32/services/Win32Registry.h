#pragma once
// Registry values by full path: a root key ("HKEY_LOCAL_MACHINE" or "HKLM",
// "HKEY_CURRENT_USER" or "HKCU", "HKEY_CLASSES_ROOT" or "HKCR", "HKEY_USERS",
// "HKEY_CURRENT_CONFIG"; any case), the key's path and the value's name, joined by
// backslashes. A path ending in a backslash names the key's default value.

#include <optional>

#include "guard/platform/Registry.h"

namespace qv::win32 {

class Win32Registry : public platform::Registry {
public:
    Status writeString(const std::string& valuePath, const std::string& data) override;
    Status deleteValue(const std::string& valuePath) override;
    bool valueExists(const std::string& valuePath) override;
    // The data of a REG_SZ (or REG_EXPAND_SZ, unexpanded) value; nullopt when there is none.
    std::optional<std::string> readString(const std::string& valuePath);
};

}  // namespace qv::win32
