#include "filedir/browser/FolderLoad.h"

#include "common/worms/DriveNames.h"
#include "common/worms/ShellLink.h"

namespace qv::filedir {

Status FolderLoad::start(BrowserFiles& files, const std::string& folder) {
    Status failure = Status::success();
    std::unique_ptr<FolderReader> reader = files.openFolder(folder, failure);
    if (!reader) return failure;
    files_ = &files;
    reader_ = std::move(reader);
    folder_ = folder;
    entries_.clear();
    marks_.clear();
    interruption_.clear();
    shortcuts_.clear();
    nextShortcut_ = 0;
    hidden_ = {};
    rootFolders_.clear();
    return Status::success();
}

bool FolderLoad::step(std::size_t count) {
    if (reader_) {
        bool finished = false;
        Status r = reader_->read(entries_, count, finished);
        if (!r.ok()) interruption_ = r.description();
        if (r.ok() && !finished) return true;
        finish();
        return checkingShortcuts();
    }
    checkShortcuts(kShortcutsPerStep);
    return checkingShortcuts();
}

void FolderLoad::finish() {
    reader_.reset();
    sortEntries(entries_);
    marks_ = marksFor(entries_, isDriveRoot(folder_));
    for (std::size_t i = 0; i < marks_.size(); ++i) {
        if (marks_[i] == Mark::Shortcut) shortcuts_.push_back(i);
    }
    if (shortcuts_.empty()) return;
    for (const Entry& entry : entries_) {
        if (entry.attributes & (kHidden | kSystem)) hidden_.add(entry.name);
        if (entry.isFolder()) rootFolders_.insert(worms::foldedName(entry.name));
    }
}

void FolderLoad::checkShortcuts(std::size_t count) {
    const worms::AnsiDecoder ansi = [this](std::string_view bytes) {
        return files_->ansiToText(bytes);
    };
    const worms::RootFolderTest isRootFolder = [this](std::string_view name) {
        return rootFolders_.contains(worms::foldedName(name));
    };
    for (; count > 0 && checkingShortcuts(); --count) {
        const std::size_t i = shortcuts_[nextShortcut_++];
        const Entry& entry = entries_[i];
        std::optional<std::string> bytes =
            files_->readStart(childPath(folder_, entry.name), worms::kShellLinkReadLimit);
        if (!bytes) continue;
        std::optional<worms::ShellLink> link = worms::readShellLink(*bytes, ansi);
        if (link && worms::wormTarget(*link, entry.name, folder_, hidden_, isRootFolder)) {
            marks_[i] = Mark::WormShortcut;
        }
    }
}

std::string FolderLoad::statusText() const {
    if (loading()) return "正在读取…… 已读 " + std::to_string(entries_.size()) + " 项";
    if (checkingShortcuts()) {
        return "正在检查快捷方式…… 已查 " + std::to_string(nextShortcut_) + " / " +
               std::to_string(shortcuts_.size()) + " 个";
    }
    int hidden = 0, marked = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].attributes & (kHidden | kSystem)) ++hidden;
        if (marks_[i] != Mark::None) ++marked;
    }
    std::string text = "共 " + std::to_string(entries_.size()) + " 项，隐藏 " +
                       std::to_string(hidden) + " 项，可疑 " + std::to_string(marked) + " 项";
    if (!interruption_.empty()) text += "（读取中断：" + interruption_ + "）";
    return text;
}

}  // namespace qv::filedir
