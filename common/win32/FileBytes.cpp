#include "common/win32/FileBytes.h"

#include <algorithm>

#include "common/SaveTemporary.h"
#include "common/win32/Folders.h"
#include "common/win32/SystemError.h"
#include "common/win32/UniqueHandle.h"

namespace qv::win32 {

namespace {

// WriteFile takes a DWORD count; pieces of this size keep well inside it.
constexpr std::size_t kPiece = std::size_t{1} << 20;

// A read-only file or a folder, which no file may take the place of.
bool irreplaceable(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));
}

}  // namespace

Status readUpTo(HANDLE file, std::size_t limit, std::string& out) {
    std::string bytes;
    char buffer[65536];
    while (bytes.size() < limit) {
        DWORD want = static_cast<DWORD>(std::min(sizeof buffer, limit - bytes.size()));
        DWORD got = 0;
        if (!ReadFile(file, buffer, want, &got, nullptr)) return lastErrorFailure();
        if (got == 0) break;
        bytes.append(buffer, got);
    }
    out = std::move(bytes);
    return Status::success();
}

Status writeAll(HANDLE file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD piece = static_cast<DWORD>(std::min(bytes.size() - done, kPiece));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, piece, &written, nullptr)) {
            return lastErrorFailure();
        }
        if (written == 0) return failure(ERROR_WRITE_FAULT);
        done += written;
    }
    return Status::success();
}

Status writeFlushAndClose(UniqueFile file, std::string_view bytes) {
    if (Status written = writeAll(file.get(), bytes); !written.ok()) return written;
    if (!FlushFileBuffers(file.get())) return lastErrorFailure();
    if (!CloseHandle(file.release())) return lastErrorFailure();
    return Status::success();
}

Status moveOver(const std::wstring& from, const std::wstring& to) {
    if (irreplaceable(to)) return failure(ERROR_ACCESS_DENIED);
    if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return lastErrorFailure();
    return Status::success();
}

Status replaceFile(const std::wstring& path, std::string_view bytes) {
    if (irreplaceable(path)) return failure(ERROR_ACCESS_DENIED);  // before anything is written
    std::optional<FullPath> full = fullPath(path);
    if (!full) return failure(ERROR_INVALID_NAME);
    const std::wstring temporary = full->path + kSaveTemporarySuffixW;
    // One left by a save killed half-way goes first. A save running now holds its own
    // open without sharing, so it stays, and this save then fails rather than share it.
    DeleteFileW(temporary.c_str());

    UniqueFile file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return lastErrorFailure();
    Status replaced = writeFlushAndClose(std::move(file), bytes);
    if (replaced.ok()) replaced = moveOver(temporary, full->path);
    if (!replaced.ok()) DeleteFileW(temporary.c_str());
    return replaced;
}

}  // namespace qv::win32
