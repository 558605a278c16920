#include "filedir/browser/Entries.h"

#include <algorithm>
#include <unordered_set>

namespace qv::filedir {
namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool endsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

}  // namespace

std::vector<Mark> marksFor(const std::vector<Entry>& entries, bool driveRoot) {
    std::unordered_set<std::string> folders;
    for (const Entry& e : entries)
        if (e.isFolder()) folders.insert(lower(e.name));
    std::vector<Mark> marks;
    marks.reserve(entries.size());
    for (const Entry& e : entries) {
        Mark mark = Mark::None;
        if (!e.isFolder()) {
            std::string name = lower(e.name);
            if ((endsWith(name, ".exe") || endsWith(name, ".com")) &&
                folders.contains(name.substr(0, name.size() - 4)))
                mark = Mark::LookAlike;
            else if (driveRoot && endsWith(name, ".lnk"))
                mark = Mark::Shortcut;
        }
        marks.push_back(mark);
    }
    return marks;
}

std::string attributeText(std::uint32_t a) {
    return {a & kReadOnly ? 'R' : '-', a & kHidden ? 'H' : '-', a & kSystem ? 'S' : '-',
            a & kArchive ? 'A' : '-'};
}

bool isReservedDeviceName(std::string_view name) {
    std::string base = lower(name.substr(0, name.find('.')));
    while (!base.empty() && (base.back() == ' ')) base.pop_back();
    if (base == "con" || base == "prn" || base == "aux" || base == "nul") return true;
    return base.size() == 4 && (base.starts_with("com") || base.starts_with("lpt")) &&
           base[3] >= '1' && base[3] <= '9';
}

void sortEntries(std::vector<Entry>& entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.isFolder() != b.isFolder()) return a.isFolder();
        return lower(a.name) < lower(b.name);
    });
}

}  // namespace qv::filedir
