// The file browser Filedir.exe for real, started from the guard's tools page: a stick on
// which a worm hid the folder "docs" (hidden and system) and planted "docs.exe" beside it.
// The browser shows both, marks the bait, and "全部还原" brings the folder back, so that
// a plain `dir` lists it again.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "tests/wine/e2e/BrowserWindow.h"
#include "tests/wine/e2e/GuardProcess.h"
#include "tests/wine/host/TestArguments.h"
#include "tests/wine/host/WindowProbe.h"
#include "tests/wine/tools/TestKit.h"

namespace qv::test {

namespace {

std::wstring guardExe() {
    const auto& args = testArguments();
    return args.empty() ? std::wstring() : testkit::windowsPath(args.front());
}

// What `dir /b` lists of a drive's root: hidden and system entries are left out.
std::optional<std::string> plainDir(const std::wstring& root, const testkit::TempFolder& work) {
    std::wstring out = work / L"dir.txt";
    testkit::TestProcess cmd(L"C:\\windows\\system32\\cmd.exe", work.path(),
                             L"/c dir /b " + root + L" > \"" + out + L"\"");
    if (!cmd.started() || cmd.waitForExit() != 0) return std::nullopt;
    return testkit::readBytes(out);
}

}  // namespace

TEST(FileBrowserTest, OpenedFromTheToolsPageItShowsTheBaitAndRestoresTheHiddenFolder) {
    testkit::TempFolder work{L"qv-filedir"}, stick{L"qv-stick"};
    ASSERT_TRUE(CreateDirectoryW((stick / L"docs").c_str(), nullptr));
    ASSERT_TRUE(SetFileAttributesW((stick / L"docs").c_str(),
                                   FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(testkit::writeBytes(stick / L"docs.exe", "MZ"));
    std::optional<char> letter = testkit::freeDriveLetter();
    ASSERT_TRUE(letter.has_value());
    testkit::SimulatedDrive drive(*letter, DRIVE_REMOVABLE, stick.path());
    ASSERT_TRUE(drive.ok());
    std::optional<std::string> before = plainDir(drive.root(), work);
    ASSERT_TRUE(before.has_value());
    EXPECT_EQ(before->find("docs\r\n"), std::string::npos)
        << "the worm's hiding works: " << *before;

    // The browser ships beside the guard, which starts it from its own folder. Action notices
    // off, so the guard's own insertion check leaves the planted files to this test.
    std::wstring exe = guardExe();
    GuardProcess::placeShippedFiles(exe, work.path());
    ASSERT_TRUE(testkit::readBytes(work / L"Filedir.exe").has_value());
    ASSERT_TRUE(testkit::writeBytes(work / L"XTset.ini", "001000100\r\n"));
    GuardProcess guard(exe, work.path());
    ASSERT_TRUE(guard.started());
    HWND badge = guard.waitForForm(L"Form3");
    ASSERT_NE(badge, nullptr);
    // The badge answers clicks once it is on screen after start-up.
    ASSERT_TRUE(testkit::waitFor([&] { return IsWindowVisible(badge) != FALSE; }));
    postDoubleClick(findControlWindow(badge, L"Image1"));
    HWND main = guard.waitForForm(L"Form1");
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(testkit::waitFor([&] { return IsWindowVisible(main) != FALSE; }));
    postClick(findControlWindow(main, L"Gjsz"));
    HWND tool = findControlWindow(main, L"Image7");
    ASSERT_TRUE(testkit::waitFor([&] { return IsWindowVisible(tool) != FALSE; }));
    postClick(tool);

    DWORD browserPid = 0;
    HWND browser = waitForBrowser(browserPid);
    ASSERT_NE(browser, nullptr);
    BrowserEnder ender{browserPid};
    HWND status = nullptr, list = FindWindowExW(browser, nullptr, WC_LISTVIEWW, nullptr);
    ASSERT_NE(list, nullptr);
    // It opens on the removable drive: both entries, the bait marked.
    ASSERT_TRUE(testkit::waitFor([&] {
        return (status = childWithText(browser, L"Static", L"共 ")) != nullptr &&
               testkit::controlText(status) == L"共 2 项，隐藏 1 项，可疑 1 项";
    })) << testkit::utf8(status ? testkit::controlText(status) : L"no status line");
    EXPECT_EQ(cellText(list, 0, 0), L"docs");
    EXPECT_EQ(cellText(list, 0, 3), L"-HS-");
    EXPECT_EQ(cellText(list, 1, 0), L"docs.exe");
    EXPECT_EQ(cellText(list, 1, 4), L"伪装成文件夹的程序");
    testkit::saveScreenshot(L"e2e_filedir_stick", browser);

    HWND restoreAll = FindWindowExW(browser, nullptr, L"Button", L"全部还原");
    ASSERT_NE(restoreAll, nullptr);
    PostMessageW(restoreAll, BM_CLICK, 0, 0);
    HWND box = nullptr;
    ASSERT_TRUE(testkit::waitFor([&] {
        return (box = testkit::findMessageBox(L"已还原 1 个隐藏文件夹。", browserPid)) != nullptr;
    }));
    testkit::saveScreenshot(L"e2e_filedir_restored");
    ASSERT_TRUE(testkit::pressButton(box, IDOK));

    DWORD attributes = GetFileAttributesW((drive.root() + L"docs").c_str());
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), 0u);
    std::optional<std::string> after = plainDir(drive.root(), work);
    ASSERT_TRUE(after.has_value());
    EXPECT_NE(after->find("docs\r\n"), std::string::npos) << *after;
    EXPECT_TRUE(testkit::waitFor(
        [&] { return testkit::controlText(status) == L"共 2 项，隐藏 0 项，可疑 1 项"; }));

    PostMessageW(browser, WM_CLOSE, 0, 0);
    EXPECT_TRUE(testkit::waitFor([&] { return !IsWindow(browser); }));
    EXPECT_TRUE(guard.running());
}

}  // namespace qv::test
