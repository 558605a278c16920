#pragma once
// QVuninst.exe started by a test in a folder of its own, and the windows it shows. Every
// wait is a bounded poll.

#include <windows.h>

#include <functional>
#include <string>

namespace qv::uninst::test {

// Polls `done` every 50 ms until it holds or `ms` have passed; true when it held.
bool waitUntil(const std::function<bool()>& done, int ms = 10000);

class UninstallerProcess {
public:
    UninstallerProcess(const std::wstring& exe, const std::wstring& folder);
    ~UninstallerProcess();  // ends the program if a test left it running
    UninstallerProcess(const UninstallerProcess&) = delete;
    UninstallerProcess& operator=(const UninstallerProcess&) = delete;

    bool started() const { return process_ != nullptr; }
    bool running() const;
    // The exit code once the program has ended within `ms`; -1 otherwise.
    long waitForExit(int ms = 10000) const;

    // A shown message box of this program with the title `title`; nullptr when none.
    HWND findMessageBox(const std::wstring& title) const;
    // The wizard window once it is shown; nullptr before.
    HWND findWizard() const;

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// The message text of a message box.
std::wstring messageBoxText(HWND box);
// Presses a button of a message box (IDOK, IDCANCEL) by message.
void answerMessageBox(HWND box, int button);
// The text of a window of another process, asked for by message.
std::wstring windowText(HWND hwnd);

}  // namespace qv::uninst::test
