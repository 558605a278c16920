#pragma once
// The monitor pass over one removable drive whose root holds 10, 1,000 and 100,000
// entries (half folders, some of them with an executable twin, 1% shortcuts), timed
// against a bare listing of the same root, with the part its shortcut scan takes, the root
// listings it makes and the files it opens; and the cost of an insertion check that finds
// no new drive. The same code
// runs natively over the drive table and under Wine over the real services.

#include <functional>
#include <string>
#include <vector>

#include "guard/platform/Services.h"

namespace qv::bench {

struct TickBenchPlatform {
    // The services the guard runs on; their file system is wrapped to count calls.
    platform::Services& services;
    // Makes a removable drive whose root holds rootContent(entries) (files hold a few bytes,
    // shortcuts the bytes of shortcutFile) and returns its root ("e:\"); "" when that
    // failed.
    std::function<std::string(int entries)> plugDrive;
    // Pulls the drive out again and removes its files.
    std::function<void()> unplugDrive;
    // Lists the root once with the platform's own means; returns the number of entries.
    std::function<long(const std::string& root)> bareListing;
    // The number of heap allocations made so far by the process, where it is counted.
    std::function<long()> allocations;
};

// The names a root of `entries` entries holds: folders "dir00000", ..., one look-alike
// "dirNNNNN.exe" for every 100th folder, shortcuts "link00000.lnk", ... for 1% of the
// entries, and files "file00000.txt", ... for the rest.
struct RootContent {
    std::vector<std::string> folders;
    std::vector<std::string> files;
    std::vector<std::string> shortcuts;
};
RootContent rootContent(int entries);
// The bytes of every shortcut of the root: the user's own shortcut to a document on the
// stick, as the shell saves one (the shortcut scan reads it whole and finds no worm).
std::string shortcutFile();

// Prints the figures; returns 0 when every run could be made.
int runTickBench(TickBenchPlatform& platform, const char* label);

}  // namespace qv::bench
