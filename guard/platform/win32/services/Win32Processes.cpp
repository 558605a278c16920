#include "guard/platform/win32/services/Win32Processes.h"

#include <windows.h>
// After windows.h, which it needs.
#include <utility>

#include "common/win32/RunningProcesses.h"
#include "common/win32/SystemError.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"
#include "guard/platform/CommandLine.h"
#include "guard/platform/win32/services/WatchedProcess.h"

namespace qv::win32 {

using platform::WindowMode;

namespace {

// Creates the process; its handle goes to `process`, the handle of its thread is closed.
// With a `job`, the process starts in it: it is made suspended and goes on once in the job,
// so that nothing it starts escapes it. A process that cannot join the job runs without.
Status createProcess(const std::string& commandLine, WindowMode mode, UniqueKernelHandle& process,
                     HANDLE job = nullptr) {
    if (commandLine.empty() || commandLine.find('\0') != std::string::npos) {
        return failure(ERROR_INVALID_PARAMETER);
    }
    // Given as the application name, the full path is taken as it stands: CreateProcessW
    // does not search for it (learn.microsoft.com/windows/win32/api/processthreadsapi/
    // nf-processthreadsapi-createprocessw, lpApplicationName).
    const std::string program = platform::programOf(commandLine);
    if (!platform::isFullPath(program)) return failure(ERROR_INVALID_PARAMETER);
    std::wstring application = toWide(program);
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::wstring line = toWide(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand(mode));
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE,
                        job ? CREATE_SUSPENDED : 0, nullptr, nullptr, &startup, &started)) {
        return lastErrorFailure();
    }
    process.reset(started.hProcess);
    UniqueKernelHandle thread(started.hThread);
    if (job) {
        (void)AssignProcessToJobObject(job, started.hProcess);
        ResumeThread(started.hThread);
    }
    return Status::success();
}

}  // namespace

Status Win32Processes::start(const std::string& commandLine, WindowMode mode) {
    // Nobody waits for the program or looks at its exit code.
    UniqueKernelHandle process;
    return createProcess(commandLine, mode, process);
}

platform::WatchedStart Win32Processes::startWatched(const std::string& commandLine,
                                                    WindowMode mode) {
    // A job of its own, so that ending the program ends what it started as well (a command
    // interpreter's tool). Without one, only the program itself can be ended.
    UniqueKernelHandle job(CreateJobObjectW(nullptr, nullptr));
    UniqueKernelHandle process;
    Status status = createProcess(commandLine, mode, process, job.get());
    if (!status.ok()) return {std::move(status), nullptr};
    return {std::move(status),
            std::make_unique<WatchedProcess>(std::move(process), std::move(job))};
}

platform::RunningPrograms Win32Processes::running(const std::string& imageName) {
    platform::RunningPrograms found;
    forEachProcessNamed(toWide(imageName), [&found](DWORD id) {
        ++found.count;
        // Whether this program may end it: the process's security descriptor and integrity
        // level decide whether PROCESS_TERMINATE is granted, as they decide for the
        // task-kill tool this program would start (learn.microsoft.com/windows/win32/
        // procthread/process-security-and-access-rights; OpenProcess fails with
        // ERROR_ACCESS_DENIED when it is not).
        UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, id));
        if (!process) ++found.beyondReach;
    });
    return found;
}

}  // namespace qv::win32
