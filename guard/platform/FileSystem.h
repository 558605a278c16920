#pragma once
// Drives and files, on Windows-style paths ("e:\autorun.inf"). A bare relative name
// ("Rz.log") lies in the process's current directory. Text crosses this interface as
// UTF-8 and is stored in the system ANSI code page (GBK on a Chinese system).

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Status.h"

namespace qv::platform {

// The values the guard compares against; they match the system's drive-type numbers.
enum class DriveType : int {
    Unknown = 0,
    Removable = 1,
    Fixed = 2,
    Network = 3,
    CdRom = 4,
    RamDisk = 5,
};

// The drive letters present: lower case, in letter order, at most 26. Kept without the
// heap, since the insertion check asks for them every 1.5 s while the guard waits.
class DriveLetters {
public:
    DriveLetters() = default;
    DriveLetters(std::initializer_list<char> letters) {
        for (char letter : letters) add(letter);
    }
    // Letters past the 26th are ignored; the caller adds them in letter order.
    void add(char letter) {
        if (count_ < letters_.size()) letters_[count_++] = letter;
    }
    const char* begin() const { return letters_.data(); }
    const char* end() const { return letters_.data() + count_; }
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    friend bool operator==(const DriveLetters& a, const DriveLetters& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    std::array<char, 26> letters_{};
    std::size_t count_ = 0;
};

// Every drive letter as a set of bits, bit 0 for a:, as Windows gives letters in
// DEV_BROADCAST_VOLUME's dbcv_unitmask and GetLogicalDrives.
inline constexpr std::uint32_t kEveryDriveLetter = (std::uint32_t{1} << 26) - 1;

// The marks the system keeps on a file or folder beside its content.
struct DosAttributes {
    bool readOnly = false;
    bool hidden = false;
    bool system = false;
    friend bool operator==(const DosAttributes&, const DosAttributes&) = default;
};

// A volume's serial number and its root folder's file identifier. Formatting gives a
// volume its serial (imaging tools copy it, so two cloned sticks pass as one; on NTFS every
// root has the same identifier), and a drive that is a folder of another volume (as under
// Wine) differs by its root.
struct VolumeIdentity {
    std::uint32_t serial = 0;
    std::uint64_t root = 0;
    friend bool operator==(const VolumeIdentity&, const VolumeIdentity&) = default;
};

// What the system says of an existing file or folder.
struct EntryAttributes {
    bool directory = false;
    DosAttributes dos;
};

// What a listing says of a file that changes when its contents are written: its size and
// its times (as the file system keeps them; 0 where it keeps none). Files of one name with
// equal stamps are taken to hold the same bytes, as backup and sync tools take them.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t written = 0;
    std::uint64_t created = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

struct StampedFile {
    std::string name;
    FileStamp stamp;
};

// What one look at a folder finds: the names of its immediate subfolders and files,
// hidden and system entries included. Folders are sorted by name without regard to case,
// as Windows lists them; files are in no particular order.
struct FolderListing {
    std::vector<std::string> folders;
    std::vector<std::string> files;
    // The names among both that carry hidden or system (what a worm hides), in no
    // particular order.
    std::vector<std::string> hidden;
    // The files among `files` whose names end in ".lnk" (any case), with their stamps, so
    // that a scan of a root's shortcuts need not read again one it read unchanged before.
    std::vector<StampedFile> shortcuts;
};

// Whether `name` ends in ".lnk" without regard to ASCII case ("report.docx.LNK").
inline bool isShortcutName(std::string_view name) {
    constexpr std::string_view kExtension = ".lnk";
    if (name.size() <= kExtension.size()) return false;
    name.remove_prefix(name.size() - kExtension.size());
    return std::equal(name.begin(), name.end(), kExtension.begin(), [](char c, char lower) {
        return (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) == lower;
    });
}

// Told of each shortcut a listing finds as soon as it is found, so that reading it can
// begin on another thread while the rest of the folder is being listed. Called on the
// listing's thread, before listFolder returns.
class ShortcutListener {
public:
    virtual void shortcutListed(const StampedFile& shortcut) = 0;

protected:
    ~ShortcutListener() = default;
};

// readBytes and ansiToText may be called on another thread while the owner of the file
// system lists a folder (a listener reading ahead); the others are called on one thread.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The drives present now.
    virtual DriveLetters driveLetters() = 0;
    // The type of drive `letter`; nullopt when the drive does not exist or cannot be asked.
    virtual std::optional<DriveType> driveType(char letter) = 0;
    // Whether the disk of drive `letter` says it is attached by USB (many large sticks and
    // USB disks call themselves fixed). False when the bus cannot be read.
    virtual bool onUsbBus(char letter) = 0;
    // What tells the volume in drive `letter` from another put in its place (a stick pulled
    // out and another plugged in under the same letter); nullopt when it cannot be read (no
    // such drive, no medium).
    virtual std::optional<VolumeIdentity> volumeIdentity(char letter) = 0;

    // True only for an existing file, never for a folder.
    virtual bool fileExists(const std::string& path) = 0;
    // Immediate subfolders of `folder`, as full paths ("e:\docs"), sorted by name without
    // regard to case as Windows lists them (whatever order the file system keeps); an empty
    // list for an empty folder, nullopt when the folder cannot be listed (a drive not ready).
    virtual std::optional<std::vector<std::string>> subfolders(const std::string& folder) = 0;

    // Subfolders and files of `folder` in one enumeration; nullopt when the folder cannot
    // be listed (a drive not ready). `listener`, when given, is told of each shortcut as it
    // is found (of some, when the listing then fails).
    virtual std::optional<FolderListing> listFolder(const std::string& folder,
                                                    ShortcutListener* listener) = 0;
    std::optional<FolderListing> listFolder(const std::string& folder) {
        return listFolder(folder, nullptr);
    }

    // A plain delete of one file: names are never expanded as patterns, attributes are
    // not changed first, folders are never deleted, and a link is deleted as itself, never
    // what it points at. Files on the drives the guard examines are removed the one way of
    // common/removal instead (quarantined first); this is for the system's own files.
    virtual Status deleteFile(const std::string& path) = 0;
    // Creates one folder. A trailing backslash is passed through, so that
    // "e:\autorun.inf\con\" creates a folder named after a reserved device name.
    virtual Status createDirectory(const std::string& path) = 0;
    // Creates one folder that carries `attributes` from its first moment. (Under Wine a
    // folder is read-only only when it is made so: it cannot be marked afterwards.)
    virtual Status createDirectoryAs(const std::string& path, DosAttributes attributes) = 0;
    // Removes an empty folder. FAT, the file system of most sticks, removes no read-only
    // folder: clearReadOnly first.
    virtual Status removeDirectory(const std::string& path) = 0;
    // The attributes of the file or folder at `path` (a trailing backslash names a folder
    // as createDirectory takes it); nullopt when there is none or it cannot be asked.
    virtual std::optional<EntryAttributes> attributes(const std::string& path) = 0;
    // Clears hidden and system of the file or folder at `path` ("x:\..."), itself only:
    // nothing inside a folder changes, nor its other attributes. A link, junction or mount
    // point, there or on the way, is refused, never followed.
    virtual Status clearHiddenAndSystem(const std::string& path) = 0;
    // Clears read-only of the file or folder at `path` ("x:\..."), in the same way.
    virtual Status clearReadOnly(const std::string& path) = 0;

    // The whole file decoded from the ANSI code page; nullopt when it cannot be read.
    virtual std::optional<std::string> readText(const std::string& path) = 0;
    // At most the first `maxBytes` bytes of a file, decoded from the ANSI code page; for
    // files that an attacker may have made huge. nullopt when the file cannot be read.
    virtual std::optional<std::string> readTextStart(const std::string& path,
                                                     std::size_t maxBytes) = 0;
    // At most the first `maxBytes` bytes of a file as they are, for files of a drive whose
    // encoding the guard reads itself (a shortcut, a text that may be UTF-16); nullopt when
    // the file cannot be read, and for a link, which is never read through.
    virtual std::optional<std::string> readBytes(const std::string& path, std::size_t maxBytes) = 0;
    // Bytes in the ANSI code page as UTF-8, exactly as readText decodes a file.
    virtual std::string ansiToText(std::string_view bytes) = 0;
    // Replaces the file's content (creating it if needed) with `text` in the ANSI code page.
    virtual Status writeText(const std::string& path, const std::string& text) = 0;
    // Appends `text` in the ANSI code page, creating the file if needed.
    virtual Status appendText(const std::string& path, const std::string& text) = 0;
};

}  // namespace qv::platform
