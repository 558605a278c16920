#include "guard/platform/win32/services/Win32Processes.h"

#include <utility>

#include "common/win32/Folders.h"
#include "common/win32/SystemError.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"

namespace qv::win32 {

using platform::WindowMode;

namespace {

WORD showCommand(WindowMode mode) {
    switch (mode) {
        case WindowMode::Hidden:
            return SW_HIDE;
        case WindowMode::Minimized:
            return SW_SHOWMINIMIZED;
        case WindowMode::Normal:
            break;
    }
    return SW_SHOWNORMAL;
}

// Creates the process; its handle goes to `process`, the handle of its thread is closed.
Status createProcess(const std::string& commandLine, WindowMode mode, UniqueKernelHandle& process) {
    if (commandLine.empty() || commandLine.find('\0') != std::string::npos) {
        return failure(ERROR_INVALID_PARAMETER);
    }
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::wstring line = toWide(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showCommand(mode);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        return lastErrorFailure();
    }
    process.reset(started.hProcess);
    UniqueKernelHandle thread(started.hThread);
    return Status::success();
}

// Holds the process handle so that the exit code stays readable after the program ends.
class Win32WatchedProgram : public platform::WatchedProgram {
public:
    explicit Win32WatchedProgram(UniqueKernelHandle process) : process_(std::move(process)) {}
    std::optional<unsigned long> exitCode() override {
        if (WaitForSingleObject(process_.get(), 0) != WAIT_OBJECT_0) return std::nullopt;
        DWORD code = 0;
        if (!GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
        return code;
    }

private:
    UniqueKernelHandle process_;
};

}  // namespace

std::string Win32Processes::programFolder() {
    return qv::win32::programFolder();
}

Status Win32Processes::start(const std::string& commandLine, WindowMode mode) {
    // Nobody waits for the program or looks at its exit code.
    UniqueKernelHandle process;
    return createProcess(commandLine, mode, process);
}

platform::WatchedStart Win32Processes::startWatched(const std::string& commandLine,
                                                    WindowMode mode) {
    UniqueKernelHandle process;
    Status status = createProcess(commandLine, mode, process);
    if (!status.ok()) return {std::move(status), nullptr};
    return {std::move(status), std::make_unique<Win32WatchedProgram>(std::move(process))};
}

}  // namespace qv::win32
