#include "filedir/browser/FolderLoad.h"

namespace qv::filedir {

Status FolderLoad::start(BrowserFiles& files, const std::string& folder) {
    Status failure = Status::success();
    std::unique_ptr<FolderReader> reader = files.openFolder(folder, failure);
    if (!reader) return failure;
    reader_ = std::move(reader);
    folder_ = folder;
    entries_.clear();
    marks_.clear();
    interruption_.clear();
    return Status::success();
}

bool FolderLoad::step(std::size_t count) {
    if (!reader_) return false;
    bool finished = false;
    Status r = reader_->read(entries_, count, finished);
    if (!r.ok()) interruption_ = r.description();
    if (r.ok() && !finished) return true;
    finish();
    return false;
}

void FolderLoad::finish() {
    reader_.reset();
    sortEntries(entries_);
    marks_ = marksFor(entries_, isDriveRoot(folder_));
}

std::string FolderLoad::statusText() const {
    if (loading()) return "正在读取…… 已读 " + std::to_string(entries_.size()) + " 项";
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
