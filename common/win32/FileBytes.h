#pragma once
// The bytes of a file: reading an open file up to a bound, writing all of a text, and
// replacing a whole file in one step.
//
// Windows' MoveFileExW refuses to replace a read-only file, Wine's does not; the steps
// below that put one file in place of another ask first, so both behave alike.

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "common/Status.h"
#include "common/win32/UniqueHandle.h"

namespace qv::win32 {

// Reads from the file's position to its end, but never more than `limit` bytes (read one
// byte past a bound of one's own to tell a file that is larger). `out` is untouched on
// failure.
Status readUpTo(HANDLE file, std::size_t limit, std::string& out);

// Writes all of `bytes` at the file's position.
Status writeAll(HANDLE file, std::string_view bytes);

// Writes all of `bytes` to a file just made, flushes them to the disk and closes the file:
// a file that cannot be closed may not hold its bytes, so that fails too.
Status writeFlushAndClose(UniqueFile file, std::string_view bytes);

// Puts the file `from` in place of `to` in one step (MoveFileExW with
// MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH): afterwards `to` holds either its
// old content or the whole of `from`. A read-only file or a folder at `to` is refused.
Status moveOver(const std::wstring& from, const std::wstring& to);

// Puts `bytes` in place of the file at `path`: they go to a new file in the same folder,
// the temporary named by kSaveTemporarySuffix (common/SaveTemporary.h), written with
// writeFlushAndClose, which then takes the place of `path` with moveOver. Whatever fails,
// `path` is as it was and no other file is left behind; a temporary an earlier save left
// (the process was killed half-way) is removed first.
Status replaceFile(const std::wstring& path, std::string_view bytes);

}  // namespace qv::win32
