#pragma once
// Loads a web page in the background, never shown and never blocking the caller.

#include <string>

namespace qv::platform {

class WebVisit {
public:
    virtual ~WebVisit() = default;
    virtual void navigate(const std::string& url) = 0;
};

}  // namespace qv::platform
