#pragma once
// The file operations the browser needs, on Windows-style paths ("e:\docs"). Every
// operation stays on the drive its path names: a path that passes through a link or
// junction is refused, never followed. Win32 and a drive-table back-end for tests. Files
// are deleted the one way of common/removal, which keeps a copy in the guard's quarantine.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Status.h"
#include "common/removal/DriveFileRemoval.h"
#include "filedir/browser/Entries.h"

namespace qv::filedir {

struct Drive {
    char letter;  // lower case
    int type;     // 0 unknown, 1 removable, 2 fixed, 3 network, 4 CD-ROM, 5 RAM disk
};

// Reads one folder's entries a piece at a time, hidden and system ones too ("." and ".."
// left out), so a window stays answering while it reads a folder of 100,000 entries.
class FolderReader {
public:
    virtual ~FolderReader() = default;
    // Appends at most `count` more entries to `out` and sets `finished` once the folder has
    // been read to its end. A failure part way leaves what was read in `out`.
    virtual Status read(std::vector<Entry>& out, std::size_t count, bool& finished) = 0;
};

class BrowserFiles {
public:
    virtual ~BrowserFiles() = default;
    virtual std::vector<Drive> drives() = 0;
    // Starts reading `folder`; nullptr with `failure` set when it cannot be opened.
    virtual std::unique_ptr<FolderReader> openFolder(const std::string& folder,
                                                     Status& failure) = 0;
    // The attributes of one entry (the entry itself, never what a link points to); nothing,
    // with `failure` saying why, when they cannot be read.
    virtual std::optional<std::uint32_t> attributes(const std::string& path, Status& failure) = 0;
    virtual Status setAttributes(const std::string& path, std::uint32_t attributes) = 0;
    // At most the first `maxBytes` bytes of the file `path` (never through a link off the
    // drive); nullopt when it cannot be read.
    virtual std::optional<std::string> readStart(const std::string& path, std::size_t maxBytes) = 0;
    // Bytes in the system code page as UTF-8.
    virtual std::string ansiToText(std::string_view bytes) = 0;
};

// Every entry of `folder` in one go.
Status listFolder(BrowserFiles& files, const std::string& folder, std::vector<Entry>& out);

// "e:\" + "docs" -> "e:\docs"; "e:\docs" + "a" -> "e:\docs\a".
std::string childPath(const std::string& folder, const std::string& name);
// "e:\docs\a" -> "e:\docs"; "e:\docs" -> "e:\"; a root stays as it is.
std::string parentPath(const std::string& folder);
bool isDriveRoot(const std::string& folder);

// Clears hidden and system of one entry and keeps its other attributes. A link or
// junction is refused: it may lead off the drive.
Status restore(BrowserFiles& files, const std::string& folder, const Entry& entry);

struct RestoreAllReport {
    int changed = 0;
    std::vector<std::string> failures;  // "name：error"
    // Why the listing of the root broke off, when it did: the folders after it were not seen.
    std::string unread;
};
// A report names at most this many failures, then says how many more there were.
inline constexpr std::size_t kMostFailuresNamed = 20;
// Restores every hidden or system folder of a drive's root in one step (links, and what
// systems keep hidden of their own accord, worms::systemsOwnHiddenItem, left out).
RestoreAllReport restoreAll(BrowserFiles& files, const std::string& root,
                            const std::vector<Entry>& entries);

// The same a piece at a time, so that the window answers between pieces: a worm may have
// hidden thousands of folders, each changed on a slow stick.
class RestoreAllRun {
public:
    // The hidden or system folders of `entries` (the listing of `root`), links left out.
    RestoreAllRun(std::string root, const std::vector<Entry>& entries);
    // Restores up to `count` more of them; false once none is left.
    bool step(BrowserFiles& files, std::size_t count);
    std::size_t done() const { return next_; }
    std::size_t total() const { return folders_.size(); }
    const std::string& root() const { return root_; }
    RestoreAllReport& report() { return report_; }

private:
    std::string root_;
    std::vector<Entry> folders_;
    std::size_t next_ = 0;
    RestoreAllReport report_;
};
// The sentence that tells the user what restoreAll did.
std::string describe(const RestoreAllReport& report);

// What "全部还原" does before it begins on the root `root` of a drive of type `driveType`
// (as Drive::type), Windows running from drive `windowsDrive`: it goes on at once on a
// removable drive, where a worm hid the folders; it asks first on any other (a USB disk may
// call itself fixed), where Windows and programs keep folders hidden of their own accord
// (ProgramData, Recovery); and it refuses the drive Windows runs from.
struct RestoreAllStart {
    enum class Action { Go, Ask, Refuse } action = Action::Go;
    std::string text;  // the question, or why it is refused
};
RestoreAllStart restoreAllStart(const std::string& root, int driveType, char windowsDrive);

// Deletes a file entry the one way (its copy goes into the quarantine); folders and links
// are refused. The sentence that tells the user what happened, and whether it failed.
struct Told {
    std::string text;
    bool error = false;
};
Told deleteEntry(removal::DriveFileRemoval& removal, const std::string& folder, const Entry& entry);

}  // namespace qv::filedir
