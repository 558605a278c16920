#pragma once
// A fresh temporary folder for one test, removed with everything in it afterwards, and
// the file operations the tests need on it.

#include <windows.h>

#include <string>

namespace qv::uninst::test {

class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }

    // Writes `text` (UTF-16) into `name` in the GBK code page (936), as a Chinese
    // system's ANSI code page stores it.
    bool writeGbk(const std::wstring& name, const std::wstring& text) const;
    bool write(const std::wstring& name, const std::string& bytes) const;
    bool makeFolder(const std::wstring& name) const;
    bool exists(const std::wstring& name) const;
    std::string read(const std::wstring& name) const;

private:
    std::wstring path_;
};

}  // namespace qv::uninst::test
