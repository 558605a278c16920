// The look-alike rule over any folder and file names (the input split at NUL bytes, the
// first half folders, the rest files): every line it gives is a folder of the root plus
// ".exe" or ".com" that a file of the root answers.

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "guard/monitor/LookAlikes.h"

namespace {

std::string folded(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> names;
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            names.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    names.push_back(current);
    qv::platform::FolderListing listing;
    std::size_t half = names.size() / 2;
    listing.folders.assign(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(half));
    listing.files.assign(names.begin() + static_cast<std::ptrdiff_t>(half), names.end());

    auto folders = qv::monitor::folderPaths("e:\\", listing);
    auto found = qv::monitor::lookAlikeFiles("e:\\", listing.folders, listing.files);
    QV_FUZZ_CHECK(found.size() <= 2 * folders.size());
    for (const std::string& line : found) {
        QV_FUZZ_CHECK(line.starts_with("e:\\"));
        QV_FUZZ_CHECK(line.ends_with(".exe") || line.ends_with(".com"));
        std::string folder = line.substr(0, line.size() - 4);
        QV_FUZZ_CHECK(std::find(folders.begin(), folders.end(), folder) != folders.end());
        std::string file = folded(line.substr(3));
        QV_FUZZ_CHECK(std::any_of(listing.files.begin(), listing.files.end(),
                                  [&](const std::string& f) { return folded(f) == file; }));
    }
    return 0;
}
