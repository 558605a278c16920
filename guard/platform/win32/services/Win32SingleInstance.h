#pragma once
// One running copy per user session: the first copy creates a named mutex and keeps it
// until it ends; a later copy finds the name taken.

#include <string>

#include "common/win32/UniqueHandle.h"
#include "guard/platform/SingleInstance.h"

namespace qv::win32 {

class Win32SingleInstance : public platform::SingleInstance {
public:
    static constexpr const wchar_t* kGuardName = L"Local\\QVud.SingleInstance";

    explicit Win32SingleInstance(std::wstring name = kGuardName) : name_(std::move(name)) {}
    // Held when no other holder of the name exists; the claim then lasts for the life of
    // this object.
    platform::InstanceClaim claim() override;

private:
    std::wstring name_;
    UniqueKernelHandle mutex_;
};

}  // namespace qv::win32
