#pragma once
// What the removal and the quarantine need of the file system, with a Win32 back-end
// (common/win32) and a drive-table back-end for the native tests (common/posix).
//
// Two kinds of place. On a drive ("x:\...", always a plain drive path) every entry is
// reached only as itself: never through a link, junction or mount point anywhere on the
// way, never a device, and what is opened must be the entry of that name on that drive.
// In the quarantine folder (a folder of the program's own, by a relative or full path)
// the operations are plain ones.
//
// Text crosses this interface as UTF-8; the messages of failures are the system's own.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Status.h"

namespace qv::removal {

// The DOS attribute bits a worm sets on what it plants.
inline constexpr std::uint32_t kReadOnly = 0x1;
inline constexpr std::uint32_t kHidden = 0x2;
inline constexpr std::uint32_t kSystem = 0x4;

// A file read from its start to its end, a piece at a time.
class ReadableFile {
public:
    virtual ~ReadableFile() = default;
    // Reads at most `capacity` bytes into `buffer`; `got` is 0 at the end of the file.
    virtual Status read(char* buffer, std::size_t capacity, std::size_t& got) = 0;
};

// A file of a drive opened as itself to be removed. While it is open nobody else may write
// it or delete it.
class DriveFile : public ReadableFile {
public:
    virtual std::uint64_t size() const = 0;
    // Its DOS attributes as they were when it was opened.
    virtual std::uint32_t attributes() const = 0;
    // When it was last written, in Windows' 100 ns steps since 1601 (a FILETIME); 0 when
    // that cannot be told.
    virtual std::uint64_t lastWritten() const = 0;
    // Sets the attributes of this very file (through the open file, not by its name).
    virtual Status setAttributes(std::uint32_t attributes) = 0;
    // Marks the file to be removed when this object goes away.
    virtual Status deleteOnClose() = 0;
};

// A file just made under a name of its own, which no one else can open while it is
// written. Unless it is placed, it is removed when the object goes away.
class NewFile {
public:
    virtual ~NewFile() = default;
    virtual Status write(std::string_view bytes) = 0;
    // Flushes the bytes written so far to the disk. It may run on another thread while
    // this one writes, and spares the last flush, in place, most of its work.
    virtual Status flush() = 0;
    // Dates the file as last written at `moment` (as DriveFile::lastWritten counts), once
    // every byte is written: a later write would date it anew.
    virtual Status setLastWritten(std::uint64_t moment) = 0;
    // Gives the file the name `path` in the same folder, never taking the place of an
    // entry there, then flushes it: once this succeeds, its bytes and its name are on the
    // disk. On failure the new file is removed, under whichever name it has.
    virtual Status place(const std::string& path) = 0;
};

// What an operation that opens or makes a file gives: the file, or why there is none.
template <typename File>
struct Opened {
    std::unique_ptr<File> file;
    Status failure = Status::success();
    bool missing = false;  // the failure is that nothing has that name
    // The file is another user's (his guard kept it), closed to this one or not his to
    // trust: a quarantine entry of someone else is neither listed nor restored.
    bool foreign = false;
};

// What a name on a drive holds.
enum class Found { Nothing, File, Folder };

// A file of the quarantine folder and its size in bytes.
struct StoredFile {
    std::string name;
    std::uint64_t size = 0;
};

// The moment of a removal: a number that grows with time (the order of the quarantine's
// entries: the 100 ns steps since 1601-01-01 UTC, as Windows counts file times) and the
// local date and time as the user reads it ("2026-12-08 14:03:59").
struct Moment {
    std::uint64_t order = 0;
    std::string text;
};

class RemovalFiles {
public:
    virtual ~RemovalFiles() = default;

    // ---- On a drive -----------------------------------------------------------------------
    // Opens the plain file `path` to read it, change its attributes and remove it. A link
    // or a device is refused; a folder of that name counts as no file there.
    virtual Opened<DriveFile> openOnDrive(const std::string& path) = 0;
    // What `path` holds; a failure when it cannot be told or is a link or the like.
    virtual Status findOnDrive(const std::string& path, Found& found) = 0;
    // Makes the folder `path`, whose parent exists.
    virtual Status makeFolderOnDrive(const std::string& path) = 0;
    // Makes the new file `path`, which must not exist yet.
    virtual Opened<NewFile> createOnDrive(const std::string& path) = 0;

    // ---- In the quarantine folder ---------------------------------------------------------
    // listFiles and removeFile may run on another thread while a file made here is
    // written or flushed.
    // Makes the folder `path` unless it exists already.
    virtual Status makeFolder(const std::string& path) = 0;
    // The files of `folder` (folders left out); nullopt when it cannot be listed, an empty
    // list when it does not exist.
    virtual std::optional<std::vector<StoredFile>> listFiles(const std::string& folder) = 0;
    // Makes the new file `path`, which must not exist yet.
    virtual Opened<NewFile> create(const std::string& path) = 0;
    virtual Opened<ReadableFile> openToRead(const std::string& path) = 0;
    virtual Status removeFile(const std::string& path) = 0;

    virtual Moment now() = 0;

    // Called now and then while a large file is copied into or out of the quarantine, on
    // the copying thread: a program whose windows wait meanwhile shows that it is still at
    // work rather than hung.
    virtual void stillWorking() {}
};

}  // namespace qv::removal
