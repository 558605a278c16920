#pragma once
// Whether another copy of the guard already runs: the first copy to claim the name keeps
// the claim for the life of its process.

namespace qv::platform {

enum class InstanceClaim {
    Held,            // this process holds the claim: it is the only copy
    TakenByAnother,  // another copy holds it
    Unavailable,     // the system could not make the marker at all: nothing is known
};

class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // Claims the name for this process; asking again after a claim was made answers Held.
    virtual InstanceClaim claim() = 0;
};

}  // namespace qv::platform
