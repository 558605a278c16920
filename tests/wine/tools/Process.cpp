#include <windows.h>

#include "tests/wine/tools/TestKit.h"

namespace qv::testkit {

TestProcess::TestProcess(const std::wstring& exe, const std::wstring& folder,
                         const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        return;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
}

TestProcess::~TestProcess() {
    terminate();
    if (process_) CloseHandle(process_);
}

bool TestProcess::running() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

long TestProcess::waitForExit(int ms) const {
    if (!process_ || WaitForSingleObject(process_, static_cast<DWORD>(ms)) != WAIT_OBJECT_0) {
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<long>(code);
}

void TestProcess::terminate() {
    if (!running()) return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 10000);
}

}  // namespace qv::testkit
