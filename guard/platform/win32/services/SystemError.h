#pragma once
// The system's own description of an error code, as the services report failures.

#include <windows.h>

#include <string>

#include "guard/platform/Status.h"

namespace qv::win32 {

// The text FormatMessageW gives for `code` in the user's language, as UTF-8 without the
// trailing line end; a generic text naming the code when the system has none.
std::string systemErrorText(DWORD code);

// A failed Status carrying the description of `code`.
platform::Status failure(DWORD code);
// A failed Status carrying the description of GetLastError().
platform::Status lastErrorFailure();

}  // namespace qv::win32
