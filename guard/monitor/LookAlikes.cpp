#include "guard/monitor/LookAlikes.h"

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <string_view>
#include <unordered_map>

namespace qv::monitor {

namespace {

char folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// `name` without regard to ASCII case, written into `out` (kept between calls, so that a
// root of 100,000 entries costs no allocation per name).
void fold(std::string_view name, std::string& out) {
    out.resize(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) out[i] = folded(name[i]);
}

// Whether `name` ends in `extension` (lower case) without regard to ASCII case.
bool hasExtension(std::string_view name, std::string_view extension) {
    if (name.size() <= extension.size()) return false;
    name = name.substr(name.size() - extension.size());
    for (std::size_t i = 0; i < extension.size(); ++i) {
        if (folded(name[i]) != extension[i]) return false;
    }
    return true;
}

// A hash of `name` without regard to ASCII case (FNV-1a).
std::uint64_t foldedHash(std::string_view name) {
    std::uint64_t hash = 14695981039346656037u;
    for (char c : name) hash = (hash ^ static_cast<unsigned char>(folded(c))) * 1099511628211u;
    return hash;
}

// The stems of a root's executables as a filter that most other names fail at the cost of
// a hash: a root may hold 100,000 folders, of which a few have a twin.
class StemFilter {
public:
    void add(std::uint64_t hash) {
        bits_.set(hash % kBits);
        bits_.set((hash >> 32) % kBits);
    }
    bool mayHold(std::uint64_t hash) const {
        return bits_.test(hash % kBits) && bits_.test((hash >> 32) % kBits);
    }

private:
    static constexpr std::size_t kBits = 1 << 14;
    std::bitset<kBits> bits_;
};

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

std::vector<std::string> lookAlikeFiles(const std::string& root,
                                        const std::vector<std::string>& folderNames,
                                        const std::vector<std::string>& fileNames) {
    // Only executables can be twins: index their stems, with which extensions they carry.
    constexpr unsigned kExe = 1, kCom = 2;
    std::unordered_map<std::string, unsigned> twins;
    StemFilter filter;
    std::string stem;
    std::size_t longestStem = 0;
    for (std::string_view name : fileNames) {
        unsigned kind = hasExtension(name, ".exe") ? kExe : hasExtension(name, ".com") ? kCom : 0;
        if (kind == 0) continue;
        fold(name.substr(0, name.size() - 4), stem);
        twins[stem] |= kind;
        filter.add(foldedHash(stem));
        longestStem = std::max(longestStem, stem.size());
    }

    std::vector<std::string> found;
    if (twins.empty()) return found;
    std::string prefix = root;
    if (prefix.empty() || (prefix.back() != '\\' && prefix.back() != '/')) prefix += '\\';
    for (const std::string& name : folderNames) {
        if (name.size() > longestStem || !filter.mayHold(foldedHash(name))) continue;
        fold(name, stem);
        auto twin = twins.find(stem);
        if (twin == twins.end()) continue;
        if (twin->second & kExe) found.push_back(prefix + name + ".exe");
        if (twin->second & kCom) found.push_back(prefix + name + ".com");
    }
    return found;
}

}  // namespace qv::monitor
