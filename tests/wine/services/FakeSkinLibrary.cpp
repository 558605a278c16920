// A stand-in for the skinning library SkinH_VB6.dll, placed beside the test program: it
// records the bytes of the arguments of each SkinH_AttachEx call, so a test can check
// what the guard passed and in which code page.

#include <windows.h>

#include <cstring>

namespace {

char lastFile[MAX_PATH];
char lastPassword[MAX_PATH];
int calls;

void copy(char* to, const char* from) {
    if (from == nullptr) {
        std::strcpy(to, "(null)");
        return;
    }
    std::strncpy(to, from, MAX_PATH - 1);
    to[MAX_PATH - 1] = '\0';
}

}  // namespace

extern "C" {

__declspec(dllexport) int __stdcall SkinH_AttachEx(const char* file, const char* password) {
    copy(lastFile, file);
    copy(lastPassword, password);
    ++calls;
    return 0;
}

// What the last call received, and how many calls there were.
__declspec(dllexport) const char* RecordedSkinFile() {
    return lastFile;
}
__declspec(dllexport) const char* RecordedPassword() {
    return lastPassword;
}
__declspec(dllexport) int RecordedCalls() {
    return calls;
}
}
