#include "bench/removal/RemovalBench.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "common/removal/DriveFileRemoval.h"
#include "common/removal/Sha256.h"

namespace qv::bench {

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string content(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 131 + i / 4099);
    return bytes;
}

}  // namespace

int runRemovalBench(RemovalBenchPlatform& platform, const char* label) {
    std::printf("%s: removal with quarantine against a bare flushed copy (medians)\n", label);
    std::printf("%8s %5s %10s %14s %13s %8s %14s %13s\n", "size", "runs", "copy (ms)",
                "copy+del (ms)", "removal (ms)", "/copy", "/copy+del", "sha256 (ms)");
    removal::DriveFileRemoval removal(platform.files, platform.quarantineFolder);
    int failures = 0;
    for (auto [mebibytes, runs] : {std::pair{1, 21}, std::pair{64, 7}}) {
        const std::string bytes = content(static_cast<std::size_t>(mebibytes) << 20);
        std::vector<double> copies, copiesAndDeletes, removals, hashes;
        // Taken in turns, each first in every other run, so that neither always meets
        // what the other left behind.
        for (int run = 0; run < runs && failures == 0; ++run) {
            auto timeCopy = [&] {
                std::string path = platform.plantFile(bytes);
                auto started = Clock::now();
                bool done = !path.empty() && platform.bareCopy(path);
                copies.push_back(millisecondsSince(started));
                done = done && platform.bareDelete(path);
                copiesAndDeletes.push_back(millisecondsSince(started));
                platform.clearUp();
                return done;
            };
            auto timeRemoval = [&] {
                std::string path = platform.plantFile(bytes);
                auto started = Clock::now();
                bool done = !path.empty() && removal.remove(path).removed();
                removals.push_back(millisecondsSince(started));
                return done;
            };
            bool done = run % 2 == 0 ? timeCopy() && timeRemoval() : timeRemoval() && timeCopy();
            // The digest alone, of the same bytes in memory, on one thread: what the removal
            // computes beyond a copy.
            auto started = Clock::now();
            removal::Sha256 hash;
            hash.update(bytes);
            volatile std::uint8_t digestByte = hash.finish()[0];
            (void)digestByte;
            hashes.push_back(millisecondsSince(started));
            if (!done) {
                std::printf("%5d MiB could not copy or remove the file\n", mebibytes);
                ++failures;
            }
        }
        if (failures > 0) continue;
        double copy = median(copies), plain = median(copiesAndDeletes), removed = median(removals);
        std::printf("%5d MiB %5d %10.1f %14.1f %13.1f %7.2fx %13.2fx %13.1f\n", mebibytes, runs,
                    copy, plain, removed, removed / copy, removed / plain, median(hashes));
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace qv::bench
