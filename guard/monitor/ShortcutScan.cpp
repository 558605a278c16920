#include "guard/monitor/ShortcutScan.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <unordered_set>

#include "common/worms/CommandPayloads.h"
#include "common/worms/DriveNames.h"
#include "common/worms/ShellLink.h"
#include "common/worms/WormShortcut.h"
#include "guard/monitor/ShortcutReadAhead.h"

namespace qv::monitor {

namespace {

bool byName(const std::string& a, const std::string& b) {
    return worms::foldedName(a) < worms::foldedName(b);
}

// The part of a file's name before its first dot ("my thesis" of "my thesis.final.docx").
std::string_view beforeFirstDot(std::string_view name) {
    return name.substr(0, name.find('.'));
}

// The payloads of the worm's shortcut `shortcutName`: its target when that is a file of
// the drive, then the files its arguments name, each once and only those that exist. Never
// a document the shortcut stands in for and its command opens with "start", wherever it
// lies: the user's, which a worm's command opens after starting the worm. It bears the
// shortcut's name ("report.docx.lnk": "start __\report.docx & ...", the document moved
// into the worm's folder), or is named after it up to its first dot, as a VBS worm names a
// shortcut for every file of the root ("report.lnk": "start sysinfo.vbs & start
// report.docx"). Anything else is a payload whatever its name: code handed to a tool
// ("rundll32 Photos.dat,Run"), or a program or shortcut that "start" runs.
std::vector<std::string> payloadsOf(const std::string& root, const std::string& shortcutName,
                                    const std::string& target, const std::string& arguments,
                                    platform::FileSystem& files) {
    const std::string stem =
        worms::foldedName(std::string_view(shortcutName).substr(0, shortcutName.size() - 4));
    std::unordered_set<std::string> opened;
    for (const std::string& file : worms::filesOpenedByStart(arguments, root)) {
        opened.insert(worms::foldedName(file));
    }
    auto usersDocument = [&](const std::string& file) {
        const std::string name = worms::lastName(file);
        return worms::namesDocument(name) && (name == stem || beforeFirstDot(name) == stem) &&
               opened.contains(worms::foldedName(file));
    };
    std::vector<std::string> named;
    if (std::string file = worms::fileOnDrive(target, root); !file.empty()) named.push_back(file);
    std::vector<std::string> fromArguments = worms::namedFiles(arguments, root);
    if (!named.empty()) {
        const std::string targetName = worms::foldedName(named.front());
        std::erase_if(fromArguments, [&](const std::string& file) {
            return worms::foldedName(file) == targetName;
        });
    }
    named.insert(named.end(), std::make_move_iterator(fromArguments.begin()),
                 std::make_move_iterator(fromArguments.end()));
    std::vector<std::string> payloads;
    for (std::string& file : named) {
        if (!usersDocument(file) && files.fileExists(file)) {
            payloads.push_back(std::move(file));
        }
    }
    return payloads;
}

}  // namespace

ShortcutWorm scanShortcuts(const std::string& root, const platform::FolderListing& listing,
                           platform::FileSystem& files, HarmlessShortcuts& harmless,
                           ShortcutReadAhead* readAhead) {
    ShortcutWorm worm;
    worm.root = root;
    struct PassEnded {
        HarmlessShortcuts& harmless;
        ~PassEnded() { harmless.passEnded(); }
    } passEnded{harmless};
    if (listing.shortcuts.empty()) return worm;

    std::vector<const platform::StampedFile*> toRead;
    for (const platform::StampedFile& shortcut : listing.shortcuts) {
        if (harmless.unchanged(shortcut)) {
            harmless.remember(shortcut);
        } else {
            toRead.push_back(&shortcut);
        }
    }
    std::sort(toRead.begin(), toRead.end(),
              [](const auto* a, const auto* b) { return byName(a->name, b->name); });
    // What the root hides matters only to a shortcut that may be a worm's.
    std::optional<worms::HiddenNames> hidden;
    // The root's folders, gathered only for a shortcut to a system tool on a root that
    // hides nothing.
    std::optional<std::unordered_set<std::string>> rootFolders;
    const worms::RootFolderTest isRootFolder = [&](std::string_view name) {
        if (!rootFolders) {
            rootFolders.emplace();
            for (const std::string& folder : listing.folders) {
                rootFolders->insert(worms::foldedName(folder));
            }
        }
        return rootFolders->contains(worms::foldedName(name));
    };
    std::size_t commandBytes = 0, payloads = 0;
    for (const platform::StampedFile* shortcut : toRead) {
        if (worm.shortcuts.size() >= kMostWormShortcutsPerPass ||
            commandBytes >= kMostCommandBytesPerPass || payloads >= kMostPayloadsPerPass) {
            worm.moreLeft = true;
            break;
        }
        const std::string path = root + shortcut->name;
        // One that may be a worm's, unchanged since the last pass: what it says is known.
        const worms::ShellLink* known = harmless.unchangedLink(*shortcut);
        ShortcutRead read;
        if (!known) {
            std::optional<ShortcutRead> readBefore =
                readAhead ? readAhead->take(shortcut->name) : std::nullopt;
            read = readBefore ? std::move(*readBefore) : readShortcut(files, root, path);
            if (!read.readable) continue;  // read again at the next pass
            if (!read.link) {
                harmless.remember(*shortcut);
                continue;
            }
        }
        const worms::ShellLink& link = known ? *known : *read.link;
        if (!hidden) {
            hidden.emplace();
            for (const std::string& name : listing.hidden) hidden->add(name);
        }
        std::optional<std::string> target =
            worms::wormTarget(link, shortcut->name, root, *hidden, isRootFolder);
        if (!target) {
            harmless.rememberLink(*shortcut, link);
            continue;
        }
        worm.shortcuts.push_back(
            {path, worms::shortcutCommand(*target, link.arguments),
             payloadsOf(root, shortcut->name, *target, link.arguments, files)});
        commandBytes += worm.shortcuts.back().command.size();
        payloads += worm.shortcuts.back().payloads.size();
    }
    // The hidden items are shown again only with the last of the worm's shortcuts: shown
    // sooner, they would no longer tell the rest (named after them) for a worm's.
    if (!worm.found() || worm.moreLeft) return worm;

    // What the cleaning removes is not shown again.
    std::unordered_set<std::string> removed;
    // The root's items the worm's commands name: one of them bearing a name systems keep
    // hidden ("FOUND.000") is the folder the worm hid the user's files in all the same.
    std::unordered_set<std::string> named;
    for (const WormShortcutFound& shortcut : worm.shortcuts) {
        removed.insert(worms::foldedName(shortcut.path));
        for (const std::string& payload : shortcut.payloads)
            removed.insert(worms::foldedName(payload));
        for (const std::string& item : worms::namedRootItems(shortcut.command, root)) {
            named.insert(worms::foldedName(item));
        }
    }
    auto kept = [&](const std::string& name, bool folder) {
        if (worms::systemsOwnHiddenItem(name) && !named.contains(worms::foldedName(name))) {
            return false;
        }
        if (folder && worms::foldedName(name) == "autorun.inf") return false;
        return hidden->contains(name) && !removed.contains(worms::foldedName(root + name));
    };
    for (const std::string& name : listing.folders) {
        if (kept(name, true)) worm.hiddenItems.push_back(root + name);
    }
    std::vector<std::string> hiddenFiles;
    for (const std::string& name : listing.files) {
        if (kept(name, false)) hiddenFiles.push_back(name);
    }
    std::sort(hiddenFiles.begin(), hiddenFiles.end(), byName);
    for (const std::string& name : hiddenFiles) worm.hiddenItems.push_back(root + name);
    return worm;
}

}  // namespace qv::monitor
