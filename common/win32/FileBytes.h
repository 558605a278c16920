#pragma once
// The bytes of a file: reading an open file up to a bound, writing all of a text, and
// replacing a whole file in one step.

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "common/Status.h"

namespace qv::win32 {

// Reads from the file's position to its end, but never more than `limit` bytes (read one
// byte past a bound of one's own to tell a file that is larger). `out` is untouched on
// failure.
Status readUpTo(HANDLE file, std::size_t limit, std::string& out);

// Writes all of `bytes` at the file's position.
Status writeAll(HANDLE file, std::string_view bytes);

// Puts `bytes` in place of the file at `path`: they go to a new file in the same folder,
// flushed to the disk, which then takes the place of `path` in one step (MoveFileExW with
// MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH). Afterwards `path` holds either its
// old content or the whole new one, and no other file is left behind. A read-only file or
// a folder at `path` is refused: Windows' MoveFileExW refuses to replace a read-only file,
// Wine's does not, so the check is made first and both behave alike.
Status replaceFile(const std::wstring& path, std::string_view bytes);

}  // namespace qv::win32
