#include "guard/monitor/HarmlessShortcuts.h"

namespace qv::monitor {

bool HarmlessShortcuts::unchanged(const platform::StampedFile& shortcut) const {
    auto known = lastPass_.find(shortcut.name);
    return known != lastPass_.end() && known->second == shortcut.stamp;
}

void HarmlessShortcuts::remember(const platform::StampedFile& shortcut) {
    if (shortcut.stamp == platform::FileStamp{} || thisPass_.size() >= kMostRemembered) return;
    thisPass_.insert_or_assign(shortcut.name, shortcut.stamp);
}

void HarmlessShortcuts::passEnded() {
    lastPass_.swap(thisPass_);
    thisPass_.clear();
}

void HarmlessShortcuts::forget() {
    lastPass_.clear();
    thisPass_.clear();
}

}  // namespace qv::monitor
