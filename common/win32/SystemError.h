#pragma once
// The system's own description of an error code, as every program of the product reports
// a failure.

#include <windows.h>

#include <string>

#include "common/Status.h"

namespace qv::win32 {

// The text FormatMessageW gives for `code` in the user's language, as UTF-8 without the
// full stop and line end it comes with, so that it can stand inside a sentence; "错误代码 "
// and the number when the system has no text for it.
std::string systemErrorText(DWORD code);

// A failed Status carrying the description of `code`.
Status failure(DWORD code);
// A failed Status carrying the description of GetLastError().
Status lastErrorFailure();

}  // namespace qv::win32
