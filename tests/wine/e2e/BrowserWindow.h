#pragma once
// The file browser Filedir.exe as a test sees it from another process: its list view's
// cells and selection, its buttons and its status line.

#include <windows.h>

#include <string>
#include <string_view>

namespace qv::test {

// The text of one cell of a list view of another process: the item and its text buffer
// live in that process, where the list view writes.
std::wstring cellText(HWND list, int item, int column);
// Selects line `item` of a list view of another process, as a click on it would.
bool selectLine(HWND list, int item);
// The line of `list` whose first column reads `text`; -1 when none does.
int lineWithText(HWND list, std::wstring_view text);
// The child window of `parent` of class `cls` whose text starts with `prefix`.
HWND childWithText(HWND parent, const wchar_t* cls, std::wstring_view prefix);

// The browser's window once it is shown (nullptr after 10 s), and its process id.
HWND waitForBrowser(DWORD& processId);

// Ends the browser when the test leaves it running, so that no program of the test
// outlives it.
struct BrowserEnder {
    DWORD pid;
    ~BrowserEnder();
};

}  // namespace qv::test
