#pragma once
// The common-controls library (progress bars, tooltips, window subclassing), loaded the
// first time a window needs it rather than at start-up: loading it costs the process
// about 3 MiB, and a guard waiting in the background shows only its badge.

#include <windows.h>

#include <commctrl.h>

namespace qv::win32::common_controls {

// Loads the library and registers its window classes (kept for the rest of the run).
// False when it cannot be loaded: the windows that need it are then not made.
bool load();

// The library's window subclassing; setWindowSubclass loads the library and fails
// (FALSE) when it cannot be loaded. defSubclassProc is called only from a subclass
// procedure, so the library is loaded by then.
BOOL setWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
BOOL removeWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id);
LRESULT defSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace qv::win32::common_controls
