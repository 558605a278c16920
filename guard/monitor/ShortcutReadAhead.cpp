#include "guard/monitor/ShortcutReadAhead.h"

#include <chrono>
#include <system_error>
#include <utility>

#include "common/worms/WormShortcut.h"
#include "guard/monitor/ShortcutScan.h"

namespace qv::monitor {

namespace {

// The thread is woken for the first shortcut of a listing and then for every few: a
// wake-up costs the listing thread a call to the system, and shortcuts are a small part
// of a root. Those still waiting when the listing ends are read before finish returns.
constexpr std::size_t kShortcutsPerWakeUp = 8;
// The listing is over when the caller waits; the reads left take microseconds natively
// and tenths of a millisecond each under Wine.
constexpr auto kCallerSpinning = std::chrono::microseconds(100);

}  // namespace

ShortcutRead readShortcut(platform::FileSystem& files, const std::string& root,
                          const std::string& path) {
    ShortcutRead read;
    std::optional<std::string> bytes = files.readBytes(path, worms::kShellLinkReadLimit);
    if (!bytes) return read;
    read.readable = true;
    const worms::AnsiDecoder ansi = [&files](std::string_view text) {
        return files.ansiToText(text);
    };
    std::optional<worms::ShellLink> link = worms::readShellLink(*bytes, ansi);
    if (link && worms::mayBeWorms(*link, root)) read.link = std::move(link);
    return read;
}

ShortcutReadAhead::ShortcutReadAhead(platform::FileSystem& files) : files_(files) {}

ShortcutReadAhead::~ShortcutReadAhead() {
    if (!thread_.joinable()) return;
    finish();
    stopping_ = true;
    rendezvous_.wake(threadAsleep_);
    thread_.join();
}

void ShortcutReadAhead::begin(const std::string& root, const HarmlessShortcuts& harmless) {
    finish();
    root_ = root;
    harmless_ = &harmless;
    toldThisListing_ = 0;
    keptLinks_ = keptArgumentBytes_ = 0;
    std::lock_guard<std::mutex> lock(mutex_);
    found_.clear();
}

void ShortcutReadAhead::shortcutListed(const platform::StampedFile& shortcut) {
    if (!harmless_ || harmless_->unchanged(shortcut) || harmless_->unchangedLink(shortcut)) return;
    if (!startThread()) return;
    std::size_t waiting = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        toRead_.push_back(shortcut.name);
        waiting = toRead_.size();
        ++told_;
    }
    if (toldThisListing_++ == 0 || waiting >= kShortcutsPerWakeUp) {
        rendezvous_.wake(threadAsleep_);
    }
}

void ShortcutReadAhead::finish() {
    if (allRead()) return;
    rendezvous_.wake(threadAsleep_);
    rendezvous_.waitUntil([this] { return allRead(); }, callerAsleep_, kCallerSpinning);
}

std::optional<ShortcutRead> ShortcutReadAhead::take(const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = found_.find(name);
    if (it == found_.end()) return std::nullopt;
    ShortcutRead read = std::move(it->second);
    found_.erase(it);
    return read;
}

bool ShortcutReadAhead::startThread() {
    if (thread_.joinable()) return true;
    if (noThread_) return false;
    try {
        thread_ = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        noThread_ = true;  // the scan reads every shortcut itself
        return false;
    }
    return true;
}

void ShortcutReadAhead::run() {
    for (;;) {
        rendezvous_.waitUntil([this] { return !allRead() || stopping_; }, threadAsleep_,
                              std::chrono::microseconds(0));
        if (allRead()) return;  // stopping
        std::vector<std::string> names;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            names.swap(toRead_);
        }
        for (std::string& name : names) {
            if (keptLinks_ >= kMostWormShortcutsPerPass ||
                keptArgumentBytes_ >= kMostCommandBytesPerPass) {
                continue;  // as much as one scan takes: it reads the rest itself
            }
            ShortcutRead read = readShortcut(files_, root_, root_ + name);
            std::lock_guard<std::mutex> lock(mutex_);
            if (read.link) {
                ++keptLinks_;
                keptArgumentBytes_ += read.link->arguments.size();
            }
            found_.insert_or_assign(std::move(name), std::move(read));
        }
        read_ += names.size();
        rendezvous_.wake(callerAsleep_);
    }
}

}  // namespace qv::monitor
