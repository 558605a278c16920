#include "bench/tick/TickBench.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "bench/tick/BenchHost.h"
#include "bench/tick/CountingFileSystem.h"
#include "common/worms/tests/ShortcutMaker.h"
#include "guard/app/Guard.h"
#include "guard/main_window/Form1.h"
#include "guard/monitor/HarmlessShortcuts.h"
#include "guard/monitor/Monitor.h"
#include "guard/monitor/ShortcutScan.h"

namespace qv::bench {

namespace {

using Clock = std::chrono::steady_clock;

char name[32];

const char* numbered(const char* pattern, int n) {
    std::snprintf(name, sizeof name, pattern, n);
    return name;
}

double elapsedMs(const std::function<void()>& work) {
    auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The median of `runs` timings of `work`, in milliseconds.
double medianMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) times.push_back(elapsedMs(work));
    return median(times);
}

// `work` against `baseline`, run in turns: the medians of each and of their ratio taken
// pair by pair, which holds when the machine (shared, or Wine's server) speeds up or
// slows down between runs.
struct Paired {
    double work = 0, baseline = 0, ratio = 0;
};
Paired pairedMs(int runs, const std::function<void()>& work,
                const std::function<void()>& baseline) {
    std::vector<double> works, baselines, ratios;
    for (int i = 0; i < runs; ++i) {
        baselines.push_back(elapsedMs(baseline));
        works.push_back(elapsedMs(work));
        ratios.push_back(baselines.back() > 0 ? works.back() / baselines.back() : 0);
    }
    return {median(works), median(baselines), median(ratios)};
}

}  // namespace

RootContent rootContent(int entries) {
    RootContent content;
    const int folders = entries / 2, shortcuts = entries / 100;
    const int files = entries - folders - shortcuts;
    for (int i = 0; i < folders; ++i) content.folders.push_back(numbered("dir%05d", i));
    for (int i = 0; i < shortcuts; ++i) content.shortcuts.push_back(numbered("link%05d.lnk", i));
    for (int i = 0; i < folders && static_cast<int>(content.files.size()) < files; i += 100) {
        content.files.push_back(numbered("dir%05d.exe", i));
    }
    for (int i = 0; static_cast<int>(content.files.size()) < files; ++i) {
        content.files.push_back(numbered("file%05d.txt", i));
    }
    return content;
}

std::string shortcutFile() {
    worms::test::ShortcutSpec spec = worms::test::shortcutTo("E:\\dir00001\\report.docx");
    spec.relativePath = ".\\dir00001\\report.docx";
    spec.workingFolder = "E:\\dir00001";
    return worms::test::makeShortcut(spec);
}

int runTickBench(TickBenchPlatform& platform, const char* label) {
    CountingFileSystem counting(platform.services.files);
    platform::Services services = platform.services;
    platform::Services counted{counting,           services.removalFiles, services.folders,
                               services.processes, services.elevation,    services.registry,
                               services.clock,     services.skin,         services.web};
    BenchHost host;
    Guard guard(host, counted);
    Form1& main = guard.form1();
    main.Uptip.setEnabled(false);

    std::printf("%s: monitor pass over one removable drive against a bare listing of its root\n",
                label);
    std::printf(
        "(the first pass after the drive arrives reads every shortcut of the root; later\n"
        " passes read only those not found harmless unchanged before)\n");
    std::printf("%8s %11s %7s %11s %7s %10s %22s  %s\n", "entries", "first (ms)", "ratio",
                "later (ms)", "ratio", "bare (ms)", "shortcut scan (ms)", "files opened");
    int failures = 0;
    for (int entries : {10, 1000, 100000}) {
        std::string root = platform.plugDrive(entries);
        if (root.empty()) {
            std::printf("%8d could not make the drive\n", entries);
            ++failures;
            continue;
        }
        int runs = entries >= 100000 ? 7 : entries >= 1000 ? 50 : 300;
        monitor::Monitor& monitor = guard.monitor();
        monitor.tick();  // warm the caches as a running guard has them
        // As after Windows announced the drive's volume.
        const std::uint32_t arrived = std::uint32_t{1} << (std::tolower(root[0]) - 'a');
        auto firstPass = [&] {
            monitor.forgetDrives(arrived);
            monitor.tick();
        };
        auto bare = [&] { platform.bareListing(root); };
        Paired first = pairedMs(runs, firstPass, bare);
        monitor.tick();
        Paired later = pairedMs(
            runs, [&] { monitor.tick(); }, bare);
        // The part of the pass the shortcut scan takes, over the listing the pass has.
        double scanFirst = 0, scanLater = 0;
        if (auto listing = platform.services.files.listFolder(root)) {
            monitor::HarmlessShortcuts harmless;
            auto scan = [&] {
                monitor::scanShortcuts(root, *listing, platform.services.files, harmless);
            };
            scanFirst = medianMs(runs, [&] {
                harmless.forget();
                scan();
            });
            scan();
            scanLater = medianMs(runs, scan);
        }
        // What one pass reads: the root's listings, and the files opened (of them shortcuts).
        auto reads = [&](const std::function<void()>& pass) {
            counting.reset();
            pass();
            long listings =
                counting.calls().count("listFolder") ? counting.calls().at("listFolder") : 0;
            const std::vector<std::string>& opened = counting.bytesRead();
            long shortcuts = std::count_if(opened.begin(), opened.end(), platform::isShortcutName);
            char text[96];
            std::snprintf(text, sizeof text, "%ld listing%s, %zu (%ld .lnk)", listings,
                          listings == 1 ? "" : "s", opened.size(), shortcuts);
            return std::string(text);
        };
        const std::string firstReads = reads(firstPass);
        const std::string laterReads = reads([&] { monitor.tick(); });
        std::printf("%8d %11.3f %6.2fx %11.3f %6.2fx %10.3f %10.3f / %9.3f  first %s; later %s\n",
                    entries, first.work, first.ratio, later.work, later.ratio, later.baseline,
                    scanFirst, scanLater, firstReads.c_str(), laterReads.c_str());
        platform.unplugDrive();
    }

    // An insertion check with no new drive: it should ask for the drive list only.
    if (platform.plugDrive(10).empty()) ++failures;
    guard.volumeArrived();
    counting.reset();
    const int checks = 1000;
    double each = medianMs(checks, [&] { guard.volumeArrived(); });
    std::printf("idle insertion check: %.4f ms each; calls per check:", each);
    for (const auto& [kind, n] : counting.calls()) {
        std::printf(" %s %.2f", kind.c_str(), static_cast<double>(n) / checks);
    }
    std::printf("\n");
    if (platform.allocations) {
        long before = platform.allocations();
        for (int i = 0; i < checks; ++i) guard.volumeArrived();
        long afterChecks = platform.allocations();
        guard.monitor().tick();
        std::printf("heap allocations: %.2f per idle insertion check, %ld in a monitor pass\n",
                    static_cast<double>(afterChecks - before) / checks,
                    platform.allocations() - afterChecks);
    }
    platform.unplugDrive();
    return failures == 0 ? 0 : 1;
}

}  // namespace qv::bench
