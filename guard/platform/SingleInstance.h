#pragma once
// Tells whether another copy of the guard already runs. The first caller to acquire the
// claim keeps it for the life of the process.

namespace qv::platform {

class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // True when this process is the only running copy (and now holds the claim).
    virtual bool acquire() = 0;
};

}  // namespace qv::platform
