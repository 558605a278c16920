#pragma once
// Registry values by full path: a root key ("HKEY_LOCAL_MACHINE" or "HKLM",
// "HKEY_CURRENT_USER" or "HKCU", "HKEY_CLASSES_ROOT" or "HKCR", "HKEY_USERS",
// "HKEY_CURRENT_CONFIG"; any case), the key's path and the value's name, joined by
// backslashes. A path ending in a backslash names the key's default value.

#include "guard/platform/Registry.h"

namespace qv::win32 {

class Win32Registry : public platform::Registry {
public:
    Status writeString(const std::string& valuePath, const std::string& data) override;
    Status deleteValue(const std::string& valuePath) override;
    std::optional<platform::RegistryValue> readValue(const std::string& valuePath) override;
    bool keyExists(const std::string& keyPath) override;
};

}  // namespace qv::win32
