// QVuninst.exe: the uninstall wizard. Reads Xz.ini from the current folder, asks for
// confirmation, then waits for the user's choice in its window.

#include <windows.h>

#include "uninstaller/win32/Win32UninstallSystem.h"
#include "uninstaller/win32/WizardWindow.h"
#include "uninstaller/wizard/Wizard.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace qv::uninst;
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
