#pragma once
// QVud.exe run for real by a test: started in a working folder of its own, found by its
// windows, and ended by the test when it is done with it; and the user's mouse and
// keyboard on those windows.

#include <windows.h>

#include <string>

#include "tests/wine/tools/TestKit.h"

namespace qv::test {

// A copy of `exe` placed in `folder` and started from there: the guard keeps its files in
// the folder of its own program file. Ended when the object goes away.
class GuardProcess : public testkit::TestProcess {
public:
    GuardProcess(const std::wstring& exe, const std::wstring& folder)
        : TestProcess(placedIn(exe, folder), folder) {}

    // Copies `exe` into `folder` as QVud.exe (unless it is there already) and returns the
    // copy's path.
    static std::wstring placedIn(const std::wstring& exe, const std::wstring& folder);
    // Copies the files that ship beside the program (registry files, version text, skin:
    // every .reg, .dat and .she file of the folder of `exe`; the companions Filedir.exe and
    // Pifushe.exe, and the skin changer's "skins" folder) into `folder`.
    static void placeShippedFiles(const std::wstring& exe, const std::wstring& folder);

    // The window of the form named `name`, once it exists; nullptr after `ms`.
    HWND waitForForm(const std::wstring& name, int ms = 10000) const;
    HWND form(const std::wstring& name) const;
    // A message box of this process showing `text`; nullptr after 10 s.
    HWND waitForMessageBox(const std::wstring& text) const;
    // Whether the process shows any window of the form class.
    bool showsAnyForm() const;
    // The open pop-up menu of this process; nullptr after `ms`.
    HWND waitForPopupMenu(int ms = 10000) const;
};

// Chooses the item at `index` (from 0, separators counted) of an open pop-up menu with
// the keyboard, as a user would: Down to reach it, then Enter.
void chooseMenuItem(HWND menu, int index);

// Mouse input as the user's own (SendInput): buttons (MOUSEEVENTF_LEFTDOWN ...) and
// moves to a point of the screen.
void sendMouse(DWORD flags, POINT at = {});
void moveMouseTo(POINT at);
// A button pressed or released at `at`, the pointer moved there by the same input. Under
// Wine the guard also learns where the pointer is from the X server (an enter event when
// its window appears under the pointer, a motion event for each move) and reports that to
// Wine when it next reads its events; a guard still busy reports an old point late, and a
// button sent on its own after a move then lands at that old point. A button carrying its
// own position lands where the test means it, whatever the guard reports meanwhile.
void buttonAt(POINT at, DWORD button);

// A click or a double-click on a control, delivered as the control's own messages.
void postClick(HWND control);
void postDoubleClick(HWND control);

}  // namespace qv::test
