#include "uninstaller/tests/wine/TestFolder.h"

#include <shellapi.h>

namespace qv::uninst::test {

TestFolder::TestFolder() {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    for (unsigned n = GetTickCount(); path_.empty(); ++n) {
        std::wstring candidate = std::wstring(base) + L"qv-uninst-" + std::to_wstring(n);
        if (CreateDirectoryW(candidate.c_str(), nullptr))
            path_ = candidate;
        else if (GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
}

TestFolder::~TestFolder() {
    if (path_.empty()) return;
    std::wstring from = path_ + L'\0';  // the list ends with two NULs
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
}

bool TestFolder::writeGbk(const std::wstring& name, const std::wstring& text) const {
    int n = WideCharToMultiByte(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(936, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                        nullptr, nullptr);
    return write(name, bytes);
}

bool TestFolder::write(const std::wstring& name, const std::string& bytes) const {
    HANDLE h = CreateFileW(file(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    CloseHandle(h);
    return ok;
}

bool TestFolder::makeFolder(const std::wstring& name) const {
    return CreateDirectoryW(file(name).c_str(), nullptr) != FALSE;
}

bool TestFolder::exists(const std::wstring& name) const {
    return GetFileAttributesW(file(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string TestFolder::read(const std::wstring& name) const {
    HANDLE h = CreateFileW(file(name).c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string bytes(4096, '\0');
    DWORD got = 0;
    if (!ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) got = 0;
    CloseHandle(h);
    bytes.resize(got);
    return bytes;
}

}  // namespace qv::uninst::test
