#pragma once
// What an open handle reached: whether the system, opening a name on a drive, arrived at
// the entry of that name or, through a link it followed (Wine follows a Unix link to a
// file), somewhere else.

#include <windows.h>

#include <string_view>

namespace qv::win32 {

// Whether `handle`, opened by the full drive path `path` ("x:\..." without "\\?\"),
// reached the entry of that name under the drive's root. When the system names the entry
// otherwise than `path` does, the root is resolved the same way as the entry, so that a
// drive that is itself a folder of another one (as under Wine) compares alike.
bool reachedWhereItSays(HANDLE handle, std::wstring_view path);

// The same, telling a handle the system would not name (Wine names none whose path is
// longer than MAX_PATH) from one that reached somewhere else: neither is taken as there.
enum class Reached { There, Elsewhere, Unknown };
Reached whereReached(HANDLE handle, std::wstring_view path);

}  // namespace qv::win32
