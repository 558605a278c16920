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

// Holds the process handle so that the exit code stays readable after the program ends,
// and the job that holds the process and what it starts, when it has one.
class WatchedProcess : public platform::WatchedProgram {
public:
    explicit WatchedProcess(UniqueKernelHandle process, UniqueKernelHandle job = {})
        : process_(std::move(process)), job_(std::move(job)) {}
    std::optional<unsigned long> exitCode() override {
        if (WaitForSingleObject(process_.get(), 0) != WAIT_OBJECT_0) return std::nullopt;
        DWORD code = 0;
        if (!GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
        return code;
    }
    // TerminateJobObject ends every process of the job, and a process started by one of
    // them belongs to it too (learn.microsoft.com/windows/win32/procthread/job-objects).
    bool end() override {
        if (job_ && TerminateJobObject(job_.get(), 1)) return true;
        return TerminateProcess(process_.get(), 1) || exitCode().has_value();
    }

private:
    UniqueKernelHandle process_;
    UniqueKernelHandle job_;
};

}  // namespace qv::win32
