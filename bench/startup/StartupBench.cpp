// Start-up and footprint of QVud.exe against the minimal window program: the time from
// the start of the process to its first visible window (median of several starts), then
// its processor time and resident memory after a minute of doing nothing. Run by scripts/bench
// under Wine; the paths of the two programs are the arguments.

#include <windows.h>
// after windows.h, which it needs
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "common/win32/UniqueHandle.h"

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

// A program started for a measurement, ended when the object goes away.
class Run {
public:
    explicit Run(const std::wstring& exe) {
        std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
        std::wstring command = L"\"" + exe + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        started_ = Clock::now();
        if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           folder.c_str(), &startup, &started)) {
            process_.reset(started.hProcess);
            qv::win32::UniqueKernelHandle thread(started.hThread);
            id_ = started.dwProcessId;
        }
    }
    ~Run() {
        if (!process_) return;
        TerminateProcess(process_.get(), 0);
        WaitForSingleObject(process_.get(), 10000);
    }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    // Milliseconds from the start to the first visible window; -1 when none came in 30 s.
    double msToFirstWindow() const {
        if (!process_) return -1;
        while (!hasVisibleWindow(id_) && Clock::now() - started_ < std::chrono::seconds(30)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        if (!hasVisibleWindow(id_)) return -1;
        return std::chrono::duration<double, std::milli>(Clock::now() - started_).count();
    }
    double cpuMs() const {
        FILETIME created, exited, kernel, user;
        if (!process_ || !GetProcessTimes(process_.get(), &created, &exited, &kernel, &user)) {
            return -1;
        }
        return fileTimeMs(kernel) + fileTimeMs(user);
    }
    double residentKiB() const {
        PROCESS_MEMORY_COUNTERS memory{};
        if (!process_ || !GetProcessMemoryInfo(process_.get(), &memory, sizeof memory)) return -1;
        return static_cast<double>(memory.WorkingSetSize) / 1024.0;
    }

private:
    qv::win32::UniqueKernelHandle process_;
    DWORD id_ = 0;
    Clock::time_point started_;
};

// The start-up time is the median of several starts, taken in turns with the other
// program so that a busy moment of the machine weighs on both alike.
constexpr int kStarts = 15;

double median(std::vector<double> values) {
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

Figures idleFigures(const std::wstring& exe, int idleSeconds) {
    Figures f;
    Run run(exe);
    if (run.msToFirstWindow() < 0) return f;
    double cpuBefore = run.cpuMs();
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    double cpuAfter = run.cpuMs();
    if (cpuBefore >= 0 && cpuAfter >= 0) f.cpuMs = cpuAfter - cpuBefore;
    f.residentKiB = run.residentKiB();
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
    std::vector<double> guardStarts, minimalStarts;
    for (int i = 0; i < kStarts; ++i) {
        double m = Run(argv[2]).msToFirstWindow();
        double g = Run(argv[1]).msToFirstWindow();
        if (m < 0 || g < 0) return 1;
        minimalStarts.push_back(m);
        guardStarts.push_back(g);
    }
    Figures minimal = idleFigures(argv[2], idle);
    Figures guard = idleFigures(argv[1], idle);
    minimal.startMs = median(minimalStarts);
    guard.startMs = median(guardStarts);
    std::printf(
        "Wine: QVud.exe against a minimal window program (start: median of %d; idle %d s)\n",
        kStarts, idle);
    std::printf("%-28s %10s %10s\n", "", "QVud", "minimal");
    row("start to first window", guard.startMs, minimal.startMs, "ms");
    row("processor time while idle", guard.cpuMs, minimal.cpuMs, "ms");
    row("resident memory", guard.residentKiB, minimal.residentKiB, "KiB");
    bool measured = guard.cpuMs >= 0 && minimal.cpuMs >= 0 && guard.residentKiB >= 0 &&
                    minimal.residentKiB >= 0;
    return measured ? 0 : 1;
}
