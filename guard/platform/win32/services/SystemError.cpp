#include "guard/platform/win32/services/SystemError.h"

#include "guard/platform/win32/Text.h"

namespace qv::win32 {

std::string systemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPWSTR>(&buffer),
        0, nullptr);
    std::wstring text;
    if (n != 0 && buffer != nullptr) text.assign(buffer, n);
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    if (!text.empty()) return fromWide(text);
    std::string fallback = "系统错误 ";  // built in steps: GCC 12 misreads the one-line sum
    fallback += std::to_string(code);
    return fallback;
}

platform::Status failure(DWORD code) {
    return platform::Status::failure(systemErrorText(code));
}

platform::Status lastErrorFailure() {
    return failure(GetLastError());
}

}  // namespace qv::win32
