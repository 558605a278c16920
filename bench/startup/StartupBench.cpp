// Start-up and footprint of QVud.exe against the minimal window program: the time from
// the start of the process to its first visible window, then its processor time and
// resident memory after a minute of doing nothing. Run by scripts/bench under Wine; the
// paths of the two programs are the arguments.

#include <windows.h>
// after windows.h, which it needs
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

struct Figures {
    double startMs = -1;
    double cpuMs = -1;
    double residentKiB = -1;
};

bool hasVisibleWindow(DWORD process) {
    struct Search {
        DWORD process;
        bool found = false;
    } search{process};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == s->process && IsWindowVisible(hwnd)) s->found = true;
            return !s->found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

double fileTimeMs(const FILETIME& t) {
    ULARGE_INTEGER v;
    v.LowPart = t.dwLowDateTime;
    v.HighPart = t.dwHighDateTime;
    return static_cast<double>(v.QuadPart) / 10000.0;
}

Figures measure(const std::wstring& exe, int idleSeconds) {
    Figures f;
    std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    auto start = Clock::now();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        return f;
    }
    while (!hasVisibleWindow(process.dwProcessId) &&
           Clock::now() - start < std::chrono::seconds(30)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (hasVisibleWindow(process.dwProcessId)) {
        f.startMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    FILETIME created, exited, kernel0, user0, kernel1, user1;
    GetProcessTimes(process.hProcess, &created, &exited, &kernel0, &user0);
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    GetProcessTimes(process.hProcess, &created, &exited, &kernel1, &user1);
    f.cpuMs = fileTimeMs(kernel1) + fileTimeMs(user1) - fileTimeMs(kernel0) - fileTimeMs(user0);
    PROCESS_MEMORY_COUNTERS memory{};
    if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory)) {
        f.residentKiB = static_cast<double>(memory.WorkingSetSize) / 1024.0;
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return f;
}

void row(const char* what, double guard, double minimal, const char* unit) {
    std::printf("%-28s %10.1f %10.1f %s  ratio %.2fx\n", what, guard, minimal, unit,
                minimal > 0 ? guard / minimal : 0.0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: qv_startup_bench QVud.exe minimal.exe [idle seconds]\n");
        return 2;
    }
    int idle = argc > 3 ? _wtoi(argv[3]) : 60;
    Figures minimal = measure(argv[2], idle);
    Figures guard = measure(argv[1], idle);
    std::printf("Wine: QVud.exe against a minimal window program (idle %d s)\n", idle);
    std::printf("%-28s %10s %10s\n", "", "QVud", "minimal");
    row("start to first window", guard.startMs, minimal.startMs, "ms");
    row("processor time while idle", guard.cpuMs, minimal.cpuMs, "ms");
    row("resident memory", guard.residentKiB, minimal.residentKiB, "KiB");
    return guard.startMs >= 0 && minimal.startMs >= 0 ? 0 : 1;
}
