#include "common/win32/SystemError.h"

#include <string_view>

#include "common/win32/Text.h"

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
    while (!text.empty() &&
           std::wstring_view(L"\r\n .。").find(text.back()) != std::wstring_view::npos) {
        text.pop_back();
    }
    if (!text.empty()) return toUtf8(text);
    std::string fallback = "错误代码 ";  // built in steps: GCC 12 misreads the one-line sum
    fallback += std::to_string(code);
    return fallback;
}

Status failure(DWORD code) {
    return Status::failure(systemErrorText(code));
}

Status lastErrorFailure() {
    return failure(GetLastError());
}

}  // namespace qv::win32
