#include "common/worms/WormShortcut.h"

#include <algorithm>

#include "common/worms/CommandPayloads.h"
#include "common/worms/DriveNames.h"

namespace qv::worms {

namespace {

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

bool namesHiddenItem(std::string_view command, std::string_view root, const HiddenNames& hidden) {
    return std::ranges::any_of(namedRootItems(command, root),
                               [&](const std::string& item) { return hidden.contains(item); });
}

std::string lastName(std::string_view path) {
    std::size_t slash = path.find_last_of("\\/");
    return foldedName(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool namesSystemTool(std::string_view path) {
    std::string name = lastName(path);
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    if (name == "%comspec%") return true;
    return std::find(kSystemTools.begin(), kSystemTools.end(), name) != kSystemTools.end();
}

bool namesExecutable(std::string_view path) {
    static constexpr std::array<std::string_view, 16> kExtensions = {
        ".exe", ".com", ".scr", ".pif", ".bat", ".cmd", ".vbs", ".vbe",
        ".js",  ".jse", ".wsf", ".wsh", ".hta", ".cpl", ".msi", ".ps1"};
    std::string name = lastName(path);
    return std::any_of(kExtensions.begin(), kExtensions.end(),
                       [&](std::string_view extension) { return endsWith(name, extension); });
}

bool namesDocument(std::string_view path) {
    static constexpr std::array<std::string_view, 54> kExtensions = {
        ".doc",  ".docx", ".xls", ".xlsx", ".ppt", ".pptx", ".pdf", ".txt",  ".rtf",
        ".odt",  ".ods",  ".odp", ".wps",  ".et",  ".dps",  ".csv", ".ofd",  ".caj",
        ".epub", ".xps",  ".jpg", ".jpeg", ".png", ".gif",  ".bmp", ".tif",  ".tiff",
        ".webp", ".heic", ".psd", ".dwg",  ".mp3", ".wav",  ".wma", ".flac", ".aac",
        ".m4a",  ".ogg",  ".mp4", ".avi",  ".mkv", ".wmv",  ".mov", ".rmvb", ".rm",
        ".flv",  ".3gp",  ".mpg", ".mpeg", ".zip", ".rar",  ".7z",  ".iso",  ".gz"};
    const std::string name = lastName(path);
    return std::any_of(kExtensions.begin(), kExtensions.end(),
                       [&](std::string_view extension) { return endsWith(name, extension); });
}

bool systemsOwnHiddenItem(std::string_view name) {
    const std::string folded = foldedName(name);
    for (std::string_view own :
         {"system volume information", "$recycle.bin", "desktop.ini", "thumbs.db", ".trashes",
          ".fseventsd", ".spotlight-v100", ".temporaryitems", ".ds_store"}) {
        if (folded == own) return true;
    }
    if (folded.starts_with("._")) return true;
    return folded.size() == 9 && folded.starts_with("found.") &&
           std::all_of(folded.begin() + 6, folded.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

void HiddenNames::add(std::string_view name) {
    std::string folded = foldedName(name);
    hidesUsersItems_ =
        hidesUsersItems_ || (!systemsOwnHiddenItem(folded) && folded != "autorun.inf");
    names_.insert(std::move(folded));
}

bool HiddenNames::contains(std::string_view name) const {
    return names_.contains(foldedName(name));
}

bool opensFolderAndRunsProgram(std::string_view command, std::string_view root,
                               const RootFolderTest& isRootFolder) {
    if (!isRootFolder) return false;
    const bool opensFolder = std::ranges::any_of(itemsOpened(command, root), [&](const auto& path) {
        const std::string_view below = std::string_view(path).substr(root.size());
        return below.find('\\') == std::string_view::npos && isRootFolder(below);
    });
    return opensFolder && std::ranges::any_of(namedFiles(command, root), [](const auto& path) {
               return namesExecutable(path);
           });
}

std::optional<std::string> wormTarget(const ShellLink& link, std::string_view shortcutName,
                                      std::string_view root, const HiddenNames& hidden,
                                      const RootFolderTest& isRootFolder) {
    const std::vector<std::string> targets = link.targets();
    const auto tool = std::ranges::find_if(targets, namesSystemTool);
    if (tool != targets.end() &&
        (hidden.hidesUsersItems() || namesHiddenItem(link.arguments, root, hidden) ||
         opensFolderAndRunsProgram(link.arguments, root, isRootFolder))) {
        return *tool;
    }
    std::string stem(shortcutName);
    if (endsWith(foldedName(stem), ".lnk")) stem.resize(stem.size() - 4);
    if (stem.empty() || !hidden.contains(stem)) return std::nullopt;
    for (const std::string& target : targets) {
        if (namesExecutable(target) && !fileOnDrive(target, root).empty()) return target;
    }
    return std::nullopt;
}

bool mayBeWorms(const ShellLink& link, std::string_view root) {
    return std::ranges::any_of(link.targets(), [&](const std::string& target) {
        return namesSystemTool(target) ||
               (namesExecutable(target) && !fileOnDrive(target, root).empty());
    });
}

std::string shortcutCommand(std::string_view target, std::string_view arguments) {
    std::string command;
    bool quote = target.find_first_of(" \t") != std::string_view::npos;
    if (quote) command += '"';
    command += target;
    if (quote) command += '"';
    if (!arguments.empty()) {
        command += ' ';
        command += arguments;
    }
    return command;
}

}  // namespace qv::worms
