// QVuninst.exe: the uninstall wizard. Reads Xz.ini from its own folder, asks for
// confirmation, then waits for the user's choice in its window. Its manifest asks for an
// administrator's rights, which removing an installation under Program Files needs,
// however it is started ("Programs and Features", the Start menu, a double click).

#include <windows.h>

#include "common/win32/Folders.h"
#include "common/win32/Text.h"

#include "uninstaller/win32/Win32UninstallSystem.h"
#include "uninstaller/win32/WizardWindow.h"
#include "uninstaller/wizard/Wizard.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace qv::uninst;
    // Xz.ini and the names it lists lie beside the uninstaller: its folder is made the
    // current one, whichever folder it was started in ("Programs and Features" starts it
    // in the system folder).
    const std::string folder = qv::win32::programFolder();
    if (!folder.empty()) SetCurrentDirectoryW(qv::win32::toWide(folder).c_str());
    win32::Win32UninstallSystem system;
    win32::WizardWindow window(instance);
    if (!window.create()) {
        MessageBoxW(nullptr, L"无法创建卸载向导窗口。", L"错误", MB_OK | MB_ICONERROR);
        return 1;
    }
    Wizard wizard(window, system);
    window.attach(wizard);
    switch (wizard.Form_Load()) {
        case LoadResult::Failed:
            return 1;
        case LoadResult::Cancelled:
            return 0;
        case LoadResult::Shown:
            break;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
