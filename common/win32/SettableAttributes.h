#pragma once
// The attributes a program may set on a file or folder, as SetFileAttributesW's
// documentation lists them (read-only, hidden, system, archive, temporary, offline, not
// content indexed); the others (directory, compressed, encrypted, reparse point, sparse)
// are the file system's own.

#include <windows.h>

namespace qv::win32 {

inline constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                             FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                             FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                             FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// `attributes` (of a file, or of a folder when they hold FILE_ATTRIBUTE_DIRECTORY) as
// FILE_BASIC_INFO sets them through SetFileInformationByHandle: the settable ones, never
// temporary on a folder (MS-FSA, FileBasicInformation: STATUS_INVALID_PARAMETER), or
// FILE_ATTRIBUTE_NORMAL when none is left (a 0 there would leave them unchanged).
inline DWORD basicInfoAttributes(DWORD attributes) {
    DWORD settable = attributes & kSettableAttributes;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) settable &= ~DWORD{FILE_ATTRIBUTE_TEMPORARY};
    return settable != 0 ? settable : FILE_ATTRIBUTE_NORMAL;
}

}  // namespace qv::win32
