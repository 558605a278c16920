#pragma once
// The skinning library's one entry point: apply a skin file to the program's windows.
// Failures are the library's business; the guard needs nothing back.

#include <string>

namespace qv::platform {

class Skin {
public:
    virtual ~Skin() = default;
    virtual void attach(const std::string& skinFile, const std::string& password) = 0;
};

}  // namespace qv::platform
