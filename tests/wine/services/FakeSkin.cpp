// Stands in for the skinning library in tests: records each SkinH_AttachEx call, with the
// bytes it was given, and hands the record back through FakeSkin_Calls.

#include <windows.h>

#include <string>

namespace {
std::string calls;
}

extern "C" __declspec(dllexport) int __stdcall SkinH_AttachEx(const char* file,
                                                              const char* password) {
    calls += file ? file : "(null)";
    calls += '|';
    calls += password ? password : "(null)";
    calls += '\n';
    return 0;
}

extern "C" __declspec(dllexport) const char* FakeSkin_Calls() {
    return calls.c_str();
}
