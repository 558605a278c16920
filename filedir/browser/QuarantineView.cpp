#include "filedir/browser/QuarantineView.h"

#include <cstdio>

#include "common/removal/RemovalTexts.h"
#include "common/worms/VisibleText.h"

namespace qv::filedir {

namespace {

constexpr const char* kDamaged = "已损坏";

}  // namespace

std::string sizeText(std::uint64_t bytes) {
    char text[32];
    if (bytes < 1024) {
        std::snprintf(text, sizeof text, "%llu 字节", static_cast<unsigned long long>(bytes));
    } else if (bytes < (std::uint64_t{1} << 20)) {
        std::snprintf(text, sizeof text, "%.1f KB", static_cast<double>(bytes) / 1024);
    } else {
        std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1 << 20));
    }
    return text;
}

Status QuarantineView::load() {
    Status failure = Status::success();
    auto entries = removal_.quarantine().entries(failure);
    if (!entries) return failure;
    entries_ = std::move(*entries);
    return Status::success();
}

std::string QuarantineView::pathOf(std::size_t line) const {
    const removal::QuarantineEntry& entry = entries_.at(line);
    return entry.header ? worms::visibleText(entry.header->originalPath) : "（" + entry.name + "）";
}

std::string QuarantineView::cell(std::size_t line, QuarantineColumn column) const {
    const removal::QuarantineEntry& entry = entries_.at(line);
    switch (column) {
        case QuarantineColumn::OriginalPath:
            return pathOf(line);
        case QuarantineColumn::Size:
            return entry.header ? sizeText(entry.header->size) : "";
        case QuarantineColumn::RemovedAt:
            return entry.header ? worms::visibleText(entry.header->removedAt) : "";
        case QuarantineColumn::State:
            return entry.header && !foundDamaged_.contains(entry.name) ? "" : kDamaged;
    }
    return {};
}

std::string QuarantineView::statusText() const {
    std::uint64_t bytes = 0;
    for (const removal::QuarantineEntry& entry : entries_) bytes += entry.storedBytes;
    return "隔离区共 " + std::to_string(entries_.size()) + " 个文件（" + sizeText(bytes) + "）";
}

Told QuarantineView::restore(std::size_t line, const removal::AskReplace& askReplace) {
    removal::RestoreResult result =
        removal::restoreEntry(removal_, entries_.at(line).name, askReplace);
    if (result.outcome == removal::RestoreResult::Outcome::Failed &&
        result.reason == removal::kDamagedEntryReason) {
        foundDamaged_.insert(entries_.at(line).name);
    }
    // An entry planted in the quarantine names what it likes: the path, and the folders of
    // it a reason may name, are shown with what they hide written out.
    result.originalPath = worms::visibleText(result.originalPath);
    result.reason = worms::visibleText(result.reason);
    return {removal::describe(result), result.outcome == removal::RestoreResult::Outcome::Failed};
}

Told QuarantineView::purge(std::size_t line) {
    Status dropped = removal_.quarantine().drop(entries_.at(line).name);
    if (dropped.ok()) return {"已彻底删除“" + pathOf(line) + "”的副本。", false};
    return {
        "无法删除“" + pathOf(line) + "”的副本：" + removal::reasonSentence(dropped.description()),
        true};
}

}  // namespace qv::filedir
