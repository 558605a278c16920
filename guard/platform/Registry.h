#pragma once
// Registry values by full path, for example
// "HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Run\QVud".

#include <string>

#include "common/Status.h"

namespace qv::platform {

class Registry {
public:
    virtual ~Registry() = default;
    // Writes a REG_SZ value, creating its key when needed.
    virtual Status writeString(const std::string& valuePath, const std::string& data) = 0;
    // Deleting a value that is not there is a failure; valueExists tells the two apart.
    virtual Status deleteValue(const std::string& valuePath) = 0;
    // True when the value is there (of any type).
    virtual bool valueExists(const std::string& valuePath) = 0;
};

}  // namespace qv::platform
