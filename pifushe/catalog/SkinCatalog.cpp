#include "pifushe/catalog/SkinCatalog.h"

#include <algorithm>

namespace qv::pifushe {

namespace {

constexpr std::string_view kExtension = ".she";

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// File names compared as Windows does for ASCII letters: without regard to case.
bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(lowerAscii(x)) <
               static_cast<unsigned char>(lowerAscii(y));
    });
}

std::string stem(const std::string& file) {
    return file.substr(0, file.size() - kExtension.size());
}

// At most kMaxShownNameCharacters characters of UTF-8 `name`, cut between characters.
std::string shortened(const std::string& name) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        bool starts = (static_cast<unsigned char>(name[i]) & 0xC0) != 0x80;
        if (starts && ++characters > kMaxShownNameCharacters) return name.substr(0, i) + "…";
    }
    return name;
}

SkinEntry entryFor(SkinFiles& files, const std::string& folder, const FileInfo& info) {
    SkinEntry entry{info.name, shortened(stem(info.name)), std::nullopt, ""};
    if (info.size > skin::kMaxSkinBytes) {
        entry.problem = "文件大于 64 KB";
        return entry;
    }
    std::string bytes;
    Status read = files.read(folder, info.name, skin::kMaxSkinBytes + 1, bytes);
    if (!read.ok()) {
        entry.problem = "无法读取：" + read.description();
        return entry;
    }
    entry.theme = themeOf(bytes);
    if (!entry.theme) {
        entry.problem = bytes.size() > skin::kMaxSkinBytes ? "文件大于 64 KB" : "格式不符";
    } else if (!entry.theme->name.empty()) {
        entry.name = shortened(entry.theme->name);
    }
    return entry;
}

}  // namespace

bool isSkinFileName(const std::string& file) {
    if (file.size() <= kExtension.size()) return false;
    std::string_view tail = std::string_view(file).substr(file.size() - kExtension.size());
    return std::equal(tail.begin(), tail.end(), kExtension.begin(),
                      [](char a, char b) { return lowerAscii(a) == b; });
}

std::optional<skin::Theme> themeOf(const std::string& bytes) {
    if (bytes.size() > skin::kMaxSkinBytes) return std::nullopt;
    return skin::readSkin(bytes);
}

Catalog listSkins(SkinFiles& files, const std::string& skinsFolder) {
    Catalog catalog;
    std::vector<FileInfo> found;
    if (Status listed = files.list(skinsFolder, found); !listed.ok()) {
        catalog.error = listed.description();
        return catalog;
    }
    std::erase_if(found, [](const FileInfo& f) { return !isSkinFileName(f.name); });
    std::sort(found.begin(), found.end(), [](const FileInfo& a, const FileInfo& b) {
        return lessIgnoringCase(a.name, b.name) ||
               (!lessIgnoringCase(b.name, a.name) && a.name > b.name);
    });
    if (found.size() > kMaxListedSkins) {
        found.resize(kMaxListedSkins);
        catalog.truncated = true;
    }
    for (const FileInfo& info : found) catalog.skins.push_back(entryFor(files, skinsFolder, info));
    return catalog;
}

std::string previewNotice(const Catalog& catalog, const SkinEntry* entry) {
    if (!entry) return catalog.skins.empty() ? "没有可以预览的皮肤。" : "请在左边选择一个皮肤。";
    std::string notice = "这个皮肤文件已损坏，不能预览，也不能应用。";
    if (!entry->problem.empty()) notice += "\r\n\r\n原因：" + entry->problem;
    return notice;
}

int indexOfTheme(const Catalog& catalog, const std::optional<skin::Theme>& current) {
    if (!current) return -1;
    for (std::size_t i = 0; i < catalog.skins.size(); ++i) {
        if (catalog.skins[i].theme == current) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace qv::pifushe
