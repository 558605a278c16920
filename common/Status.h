#pragma once
// Outcome of an operation that may fail, shared by the guard and the companion programs.
// The caller must look at it; the description is the system's own text for the error
// (UTF-8), shown to the user where a failure is reported.

#include <string>
#include <utility>

namespace qv {

class [[nodiscard]] Status {
public:
    static Status success() { return Status(); }
    static Status failure(std::string description) { return Status(std::move(description)); }

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const std::string& description() const { return description_; }

private:
    Status() = default;
    explicit Status(std::string description) : ok_(false), description_(std::move(description)) {}

    bool ok_ = true;
    std::string description_;
};

}  // namespace qv
