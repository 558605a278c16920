#include "filedir/browser/BrowserFiles.h"

#include <algorithm>

#include "common/removal/RemovalTexts.h"
#include "common/worms/VisibleText.h"
#include "common/worms/WormShortcut.h"

namespace qv::filedir {

Status listFolder(BrowserFiles& files, const std::string& folder, std::vector<Entry>& out) {
    Status failure = Status::success();
    std::unique_ptr<FolderReader> reader = files.openFolder(folder, failure);
    if (!reader) return failure;
    std::vector<Entry> found;
    for (bool finished = false; !finished;) {
        Status r = reader->read(found, 4096, finished);
        if (!r.ok()) return r;
    }
    out = std::move(found);
    return Status::success();
}

std::string childPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

bool isDriveRoot(const std::string& folder) {
    return folder.size() <= 3;
}

std::string parentPath(const std::string& folder) {
    if (isDriveRoot(folder)) return folder;
    std::string::size_type cut = folder.find_last_of('\\');
    if (cut == std::string::npos || cut <= 2) return folder.substr(0, 2) + "\\";
    return folder.substr(0, cut);
}

Status restore(BrowserFiles& files, const std::string& folder, const Entry& entry) {
    if (entry.isLink())
        return Status::failure("“" + worms::visibleText(entry.name) +
                               "”是链接或交接点，它可能指向本盘以外，不予修改。");
    std::string path = childPath(folder, entry.name);
    Status unread = Status::success();
    std::optional<std::uint32_t> now = files.attributes(path, unread);
    if (!now) {
        return Status::failure("无法读取“" + worms::visibleText(entry.name) + "”的属性：" +
                               removal::reasonSentence(unread.description()));
    }
    if (!(*now & (kHidden | kSystem))) return Status::success();
    return files.setAttributes(path, *now & ~(kHidden | kSystem));
}

RestoreAllRun::RestoreAllRun(std::string root, const std::vector<Entry>& entries)
    : root_(std::move(root)) {
    for (const Entry& e : entries) {
        // What systems keep hidden of their own accord (System Volume Information...) stays.
        if (!e.isFolder() || !(e.attributes & (kHidden | kSystem)) ||
            worms::systemsOwnHiddenItem(e.name)) {
            continue;
        }
        if (e.isLink()) {
            report_.failures.push_back(worms::visibleText(e.name) +
                                       "：是链接或交接点，可能通向本盘以外，不予还原");
        } else {
            folders_.push_back(e);
        }
    }
}

bool RestoreAllRun::step(BrowserFiles& files, std::size_t count) {
    for (; next_ < folders_.size() && count > 0; ++next_, --count) {
        const Entry& e = folders_[next_];
        Status r = restore(files, root_, e);
        if (r.ok())
            ++report_.changed;
        else
            report_.failures.push_back(worms::visibleText(e.name) + "：" + r.description());
    }
    return next_ < folders_.size();
}

RestoreAllReport restoreAll(BrowserFiles& files, const std::string& root,
                            const std::vector<Entry>& entries) {
    RestoreAllRun run(root, entries);
    while (run.step(files, entries.size())) {
    }
    return run.report();
}

RestoreAllStart restoreAllStart(const std::string& root, int driveType, char windowsDrive) {
    constexpr int kRemovable = 1;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    // Short lines of their own: a message box may lose a character where it wraps Chinese
    // text, or at the end of a line as wide as the box.
    if (!root.empty() && windowsDrive != 0 && lower(root[0]) == lower(windowsDrive)) {
        std::string why = root + " 是 Windows 所在的磁盘，\r\n“全部还原”不用于这里：\r\n";
        why += "Windows 隐藏的文件夹应保持隐藏。\r\n被病毒隐藏的文件夹请逐个“还原”。";
        return {RestoreAllStart::Action::Refuse, why};
    }
    if (driveType == kRemovable) return {};
    std::string question = root + " 不是可移动磁盘。\r\n系统和程序也在这里隐藏文件夹，\r\n";
    question += "“全部还原”会把它们一并显示。\r\n确定要还原全部隐藏文件夹吗？";
    return {RestoreAllStart::Action::Ask, question};
}

std::string describe(const RestoreAllReport& report) {
    std::string text = "已还原 " + std::to_string(report.changed) + " 个隐藏文件夹。";
    if (!report.failures.empty()) {
        text += "\r\n以下 " + std::to_string(report.failures.size()) + " 个未能还原：";
        const std::size_t named = std::min(report.failures.size(), kMostFailuresNamed);
        for (std::size_t i = 0; i < named; ++i) text += "\r\n" + report.failures[i];
        if (named < report.failures.size()) {
            text += "\r\n……另有 " + std::to_string(report.failures.size() - named) + " 个";
        }
    }
    if (!report.unread.empty()) {
        text += "\r\n根目录没能读完（" + std::string(removal::withoutFullStop(report.unread)) +
                "），其后的隐藏文件夹没有还原。";
    }
    return text;
}

Told deleteEntry(removal::DriveFileRemoval& removal, const std::string& folder,
                 const Entry& entry) {
    if (entry.isFolder() || entry.isLink())
        return {"“" + worms::visibleText(entry.name) + "”不是普通文件，文件浏览器只删除文件。",
                true};
    removal::RemovalResult result = removal.remove(childPath(folder, entry.name));
    if (result.removed())
        return {"已删除“" + worms::visibleText(entry.name) +
                    "”。\r\n副本保存在隔离区，可从“隔离区”恢复。",
                false};
    return {"无法删除“" + worms::visibleText(entry.name) + "”：" +
                removal::reasonSentence(result.reason()),
            true};
}

}  // namespace qv::filedir
