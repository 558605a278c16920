#pragma once
// Registry values by full path, for example
// "HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Run\QVud".

#include <cstdint>
#include <optional>
#include <string>

#include "common/Status.h"

namespace qv::platform {

// A value as read back: a string (REG_SZ, or REG_EXPAND_SZ unexpanded), a number
// (REG_DWORD) or some other type.
struct RegistryValue {
    enum class Type { String, Number, Other };
    Type type = Type::Other;
    std::string text;          // for String
    std::uint32_t number = 0;  // for Number
    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

class Registry {
public:
    virtual ~Registry() = default;
    // Writes a REG_SZ value, creating its key when needed.
    virtual Status writeString(const std::string& valuePath, const std::string& data) = 0;
    // Deleting a value that is not there is a failure; readValue tells the two apart.
    virtual Status deleteValue(const std::string& valuePath) = 0;
    // The value, read back; nullopt when it (or its key) is not there. A path ending in a
    // backslash names the key's default value.
    virtual std::optional<RegistryValue> readValue(const std::string& valuePath) = 0;
    // True when the key ("HKEY_LOCAL_MACHINE\SOFTWARE\...", no value name) is there.
    virtual bool keyExists(const std::string& keyPath) = 0;
};

}  // namespace qv::platform
