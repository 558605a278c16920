#pragma once
// The promise every reader of a worm's names keeps, checked by the fuzz targets: a path it
// hands on lies on the drive "e:", below its root, and names one plain file there.

#include <string_view>

#include "fuzz/FuzzCheck.h"

inline void checkOnDriveE(std::string_view path) {
    QV_FUZZ_CHECK(path.starts_with("e:\\"));
    std::string_view rest = path.substr(3);
    QV_FUZZ_CHECK(!rest.empty());
    QV_FUZZ_CHECK(rest.find_first_of(":*?<>|\"") == std::string_view::npos);
    QV_FUZZ_CHECK(!rest.starts_with("\\") && !rest.starts_with("/"));
    // Never climbs above the root.
    int depth = 0;
    std::size_t at = 0;
    while (at <= rest.size()) {
        std::size_t end = rest.find_first_of("\\/", at);
        if (end == std::string_view::npos) end = rest.size();
        std::string_view part = rest.substr(at, end - at);
        if (part == "..")
            --depth;
        else if (!part.empty() && part != ".")
            ++depth;
        QV_FUZZ_CHECK(depth >= 0);
        at = end + 1;
    }
}
