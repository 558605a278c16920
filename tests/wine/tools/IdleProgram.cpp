// qvidle.exe for the Wine tests: a windowless program that does nothing for two minutes,
// a real process for the process manager to list and to end.

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    Sleep(120000);
    return 0;
}
