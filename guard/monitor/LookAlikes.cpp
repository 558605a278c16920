#include "guard/monitor/LookAlikes.h"

#include <cctype>
#include <string_view>
#include <unordered_map>

namespace qv::monitor {

namespace {

std::string folded(std::string_view name) {
    std::string out(name);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The last name of a path ("e:\docs" -> "docs").
std::string_view lastName(std::string_view path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::vector<std::string> folderPaths(const std::string& root,
                                     const platform::FolderListing& listing) {
    std::string prefix = root;
    if (prefix.empty() || (prefix.back() != '\\' && prefix.back() != '/')) prefix += '\\';
    std::vector<std::string> paths;
    paths.reserve(listing.folders.size());
    for (const std::string& name : listing.folders) paths.push_back(prefix + name);
    return paths;
}

std::vector<std::string> lookAlikeFiles(const std::vector<std::string>& folderPaths,
                                        const std::vector<std::string>& fileNames) {
    // Only executables can be twins: index their stems, with which extensions they carry.
    constexpr unsigned kExe = 1, kCom = 2;
    std::unordered_map<std::string, unsigned> twins;
    for (const std::string& name : fileNames) {
        if (name.size() < 5 || name[name.size() - 4] != '.') continue;
        std::string file = folded(name);
        std::string_view extension = std::string_view(file).substr(file.size() - 4);
        unsigned kind = extension == ".exe" ? kExe : extension == ".com" ? kCom : 0;
        if (kind == 0) continue;
        file.resize(file.size() - 4);
        twins[file] |= kind;
    }

    std::vector<std::string> found;
    if (twins.empty()) return found;
    for (std::string_view path : folderPaths) {
        if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
        auto twin = twins.find(folded(lastName(path)));
        if (twin == twins.end()) continue;
        if (twin->second & kExe) found.push_back(std::string(path) + ".exe");
        if (twin->second & kCom) found.push_back(std::string(path) + ".com");
    }
    return found;
}

}  // namespace qv::monitor
