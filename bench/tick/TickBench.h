#pragma once
// The monitor pass over one removable drive whose root holds 10, 1,000 and 100,000
// entries (half folders, some of them with an executable twin), timed against a bare
// listing of the same root; and the cost of an insertion check that finds no new drive.
// The same code runs natively over the drive table and under Wine over the real services.

#include <functional>
#include <string>
#include <vector>

#include "guard/platform/Services.h"

namespace qv::bench {

struct TickBenchPlatform {
    // The services the guard runs on; their file system is wrapped to count calls.
    platform::Services& services;
    // Makes a removable drive whose root holds the given folder and file names (files
    // hold a few bytes) and returns its root ("e:\"); "" when that failed.
    std::function<std::string(int entries)> plugDrive;
    // Pulls the drive out again and removes its files.
    std::function<void()> unplugDrive;
    // Lists the root once with the platform's own means; returns the number of entries.
    std::function<long(const std::string& root)> bareListing;
    // The number of heap allocations made so far by the process, where it is counted.
    std::function<long()> allocations;
};

// The names a root of `entries` entries holds: folders "dir00000", ..., files
// "file00000.txt", ..., and one look-alike "dirNNNNN.exe" for every 100th folder.
struct RootContent {
    std::vector<std::string> folders;
    std::vector<std::string> files;
};
RootContent rootContent(int entries);

// Prints the figures; returns 0 when every run could be made.
int runTickBench(TickBenchPlatform& platform, const char* label);

}  // namespace qv::bench
