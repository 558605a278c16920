#include "guard/monitor/LookAlikes.h"

#include <cctype>
#include <unordered_set>

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
    std::unordered_set<std::string> files;
    files.reserve(fileNames.size());
    for (const std::string& name : fileNames) files.insert(folded(name));

    std::vector<std::string> found;
    for (std::string path : folderPaths) {
        if (!path.empty() && path.back() == '\\') path.pop_back();
        std::string name = folded(lastName(path));
        if (name.empty()) continue;
        for (const char* extension : {".exe", ".com"}) {
            if (files.contains(name + extension)) found.push_back(path + extension);
        }
    }
    return found;
}

}  // namespace qv::monitor
