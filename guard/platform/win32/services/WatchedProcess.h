#pragma once
// What the two ways of starting a program share: the window mode as a show command, and a
// started process watched through its handle.

#include <windows.h>

#include <utility>

#include "common/win32/UniqueHandle.h"
#include "guard/platform/Processes.h"

namespace qv::win32 {

inline int showCommand(platform::WindowMode mode) {
    switch (mode) {
        case platform::WindowMode::Hidden:
            return SW_HIDE;
        case platform::WindowMode::Minimized:
            return SW_SHOWMINIMIZED;
        case platform::WindowMode::Normal:
            break;
    }
    return SW_SHOWNORMAL;
}

// Holds the process handle so that the exit code stays readable after the program ends.
class WatchedProcess : public platform::WatchedProgram {
public:
    explicit WatchedProcess(UniqueKernelHandle process) : process_(std::move(process)) {}
    std::optional<unsigned long> exitCode() override {
        if (WaitForSingleObject(process_.get(), 0) != WAIT_OBJECT_0) return std::nullopt;
        DWORD code = 0;
        if (!GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
        return code;
    }

private:
    UniqueKernelHandle process_;
};

}  // namespace qv::win32
