#include "guard/platform/win32/services/Win32Processes.h"

#include "guard/platform/win32/Text.h"
#include "guard/platform/win32/UniqueHandle.h"
#include "guard/platform/win32/services/SystemError.h"

namespace qv::win32 {

using platform::Status;
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

}  // namespace

Status Win32Processes::start(const std::string& commandLine, WindowMode mode) {
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
    // Nobody waits for the program or looks at its exit code.
    UniqueKernelHandle process(started.hProcess);
    UniqueKernelHandle thread(started.hThread);
    return Status::success();
}

}  // namespace qv::win32
