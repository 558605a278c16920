// The data folder, the system's folders and the user's rights on Wine's real file system:
// Program Files gives the shared folder under ProgramData, a writable folder keeps the
// files beside the program, and a folder that refuses files (chattr +i) gives the shared
// folder too.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/win32/Folders.h"
#include "common/win32/Text.h"
#include "common/win32/UserRights.h"
#include "tests/wine/tools/TestKit.h"

namespace {

using namespace qv::testkit;

std::string environment(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH);
    return n > 0 && n < MAX_PATH ? utf8(value) : std::string();
}

TEST(FoldersTest, TheSharedDataFolderLiesInProgramData) {
    EXPECT_EQ(qv::win32::sharedDataFolder(), environment(L"ProgramData") + "\\QVu盘卫士");
    EXPECT_EQ(qv::win32::systemFolder(), environment(L"SystemRoot") + "\\system32");
    EXPECT_EQ(qv::win32::windowsFolder(), environment(L"SystemRoot"));
}

TEST(FoldersTest, UnderEitherProgramFilesTheDataFolderIsTheSharedOne) {
    for (const wchar_t* variable : {L"ProgramW6432", L"ProgramFiles(x86)"}) {
        std::string programFiles = environment(variable);
        ASSERT_FALSE(programFiles.empty());
        EXPECT_EQ(qv::win32::dataFolderFor(programFiles + "\\QVu盘卫士"),
                  qv::win32::sharedDataFolder());
    }
}

TEST(FoldersTest, AFolderTheUserCanWriteIsItsOwnDataFolderAndOneThatRefusesFilesIsNot) {
    TempFolder portable(L"qv-portable");
    const std::string folder = utf8(portable.path());
    EXPECT_TRUE(qv::win32::userCanCreateFilesIn(portable.path()));
    EXPECT_EQ(qv::win32::dataFolderFor(folder), folder);
    // The test file of the rights check is gone again.
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((portable / L"*.tmp").c_str(), &entry);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);

    Immutable readOnly(portable.path());
    ASSERT_TRUE(readOnly.made());
    EXPECT_FALSE(qv::win32::userCanCreateFilesIn(portable.path()));
    EXPECT_EQ(qv::win32::dataFolderFor(folder), qv::win32::sharedDataFolder());
}

TEST(FoldersTest, MakeFolderMakesItOnceAndRefusesAFile) {
    TempFolder temp(L"qv-make");
    const std::string folder = utf8(temp / L"数据");
    EXPECT_TRUE(qv::win32::makeFolder(folder).ok());
    EXPECT_TRUE(qv::win32::makeFolder(folder).ok()) << "a folder already there is success";
    ASSERT_TRUE(writeBytes(temp / L"file", "x"));
    EXPECT_FALSE(qv::win32::makeFolder(utf8(temp / L"file")).ok());
}

}  // namespace
