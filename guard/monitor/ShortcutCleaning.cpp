#include "guard/monitor/ShortcutCleaning.h"

#include <algorithm>

#include "common/worms/DriveNames.h"

namespace qv::monitor {

CleaningReport cleanShortcutWorm(const ShortcutWorm& worm, removal::DriveFileRemoval& removal,
                                 platform::FileSystem& files, ProtectionLog& log, Remover remover) {
    CleaningReport report;
    // Each file once, the shortcuts first: a payload may be named by several shortcuts.
    std::vector<std::string> done;
    auto remove = [&](const std::string& path, int& removed) {
        if (std::find(done.begin(), done.end(), worms::foldedName(path)) != done.end()) return;
        done.push_back(worms::foldedName(path));
        removal::RemovalResult result = removal.remove(path);
        if (result.removed()) {
            ++removed;
            log.removed(path, remover);
        }
        if (!result.gone()) report.notRemoved.push_back({path, result.reason()});
    };
    for (const WormShortcutFound& shortcut : worm.shortcuts) {
        remove(shortcut.path, report.shortcutsRemoved);
    }
    for (const WormShortcutFound& shortcut : worm.shortcuts) {
        for (const std::string& payload : shortcut.payloads)
            remove(payload, report.payloadsRemoved);
    }
    for (const std::string& item : worm.hiddenItems) {
        std::optional<platform::EntryAttributes> now = files.attributes(item);
        if (!now || !(now->dos.hidden || now->dos.system)) continue;  // gone, or shown already
        Status shown = files.clearHiddenAndSystem(item);
        if (shown.ok()) {
            ++report.itemsShown;
        } else {
            report.notShown.push_back({item, shown.description()});
        }
    }
    return report;
}

std::string cleaningNotice(const CleaningReport& report) {
    // Short lines of their own: a message box under Wine cuts the last character of a line
    // it has to break inside a run of Chinese text.
    std::string text = "已清除 " + std::to_string(report.shortcutsRemoved) + " 个病毒快捷方式、" +
                       std::to_string(report.payloadsRemoved) +
                       " 个病毒文件\r\n（副本保存在隔离区），\r\n恢复显示 " +
                       std::to_string(report.itemsShown) + " 个被隐藏的文件和文件夹。";
    if (!report.notRemoved.empty()) text += "\r\n" + removal::notRemovedText(report.notRemoved);
    if (!report.notShown.empty()) {
        text += "\r\n未能恢复显示以下项目：";
        for (const removal::NotRemoved& item : report.notShown) {
            text += "\r\n" + item.path + "：" + removal::reasonSentence(item.reason);
        }
    }
    return text;
}

}  // namespace qv::monitor
