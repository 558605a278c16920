// The entry point of the Wine test programs of the host and of QVud.exe. Wine reads its
// settings when a program starts, so the first run in a fresh prefix records them and
// runs the tests in a fresh copy of itself (see tests/wine/tools/WineSettings.h).

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/wine/host/TestArguments.h"
#include "tests/wine/tools/WineSettings.h"

namespace qv::test {

namespace {
std::vector<std::string> arguments;
}

const std::vector<std::string>& testArguments() {
    return arguments;
}

}  // namespace qv::test

namespace {

std::wstring ownFileName() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring full = path;
    size_t cut = full.find_last_of(L"\\/");
    return cut == std::wstring::npos ? full : full.substr(cut + 1);
}

// Runs this program again with the same command line; returns its exit code, or -1 when
// it could not be started.
int runAgain() {
    std::wstring commandLine = GetCommandLineW();
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

}  // namespace

int main(int argc, char** argv) {
    // Settings written now take effect in a fresh copy of this program; a second pass
    // that still finds something to write means they cannot be written, so go on anyway.
    bool written = qv::testkit::prepareWineSettings(
        {ownFileName(), L"QVud.exe", L"Filedir.exe", L"Pifushe.exe"});
    bool complete = !qv::testkit::prepareWineSettings(
        {ownFileName(), L"QVud.exe", L"Filedir.exe", L"Pifushe.exe"});
    if (written && complete) {
        int code = runAgain();
        if (code != -1) return code;
    }
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) qv::test::arguments.push_back(argv[i]);
    return RUN_ALL_TESTS();
}
