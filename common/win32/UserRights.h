#pragma once
// What the user may do, judged by his ordinary rights: those of a program he starts
// normally, not those of one he let through the elevation prompt, so that a program gives
// the same answer whether it runs elevated or not.

#include <string>

namespace qv::win32 {

// True when the program runs with an administrator's full rights (its token is elevated):
// what Windows reserves to administrators can then be done directly.
bool processElevated();

// True when the user can create a file in `folder` with his ordinary rights: the folder's
// access control list allows it to his unelevated token, and a file really can be created
// there (which no list shows for a read-only medium). The test file is gone at once.
bool userCanCreateFilesIn(const std::wstring& folder);

}  // namespace qv::win32
