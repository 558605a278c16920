#include "guard/monitor/HarmlessShortcuts.h"

namespace qv::monitor {

namespace {

std::size_t bytesOf(const worms::ShellLink& link) {
    return link.environmentPath.size() + link.idListPath.size() + link.linkInfoPath.size() +
           link.relativePath.size() + link.workingFolder.size() + link.arguments.size();
}

}  // namespace

const HarmlessShortcuts::Known* HarmlessShortcuts::known(
    const platform::StampedFile& shortcut) const {
    auto found = lastPass_.find(shortcut.name);
    return found != lastPass_.end() && found->second.stamp == shortcut.stamp ? &found->second
                                                                             : nullptr;
}

bool HarmlessShortcuts::unchanged(const platform::StampedFile& shortcut) const {
    const Known* last = known(shortcut);
    return last && !last->link;
}

const worms::ShellLink* HarmlessShortcuts::unchangedLink(
    const platform::StampedFile& shortcut) const {
    const Known* last = known(shortcut);
    return last && last->link ? &*last->link : nullptr;
}

void HarmlessShortcuts::remember(const platform::StampedFile& shortcut) {
    if (shortcut.stamp == platform::FileStamp{} || thisPass_.size() >= kMostRemembered) return;
    thisPass_.insert_or_assign(shortcut.name, Known{shortcut.stamp, std::nullopt});
}

void HarmlessShortcuts::rememberLink(const platform::StampedFile& shortcut,
                                     const worms::ShellLink& link) {
    if (shortcut.stamp == platform::FileStamp{} || thisPass_.size() >= kMostRemembered) return;
    const std::size_t bytes = bytesOf(link);
    if (thisPassLinkBytes_ + bytes > kMostRememberedLinkBytes) return;
    thisPassLinkBytes_ += bytes;
    thisPass_.insert_or_assign(shortcut.name, Known{shortcut.stamp, link});
}

void HarmlessShortcuts::passEnded() {
    lastPass_.swap(thisPass_);
    thisPass_.clear();
    thisPassLinkBytes_ = 0;
}

void HarmlessShortcuts::forget() {
    lastPass_.clear();
    thisPass_.clear();
    thisPassLinkBytes_ = 0;
}

}  // namespace qv::monitor
