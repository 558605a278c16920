// QVud.exe for real against simulated USB sticks: a stick present at start-up is found,
// its autorun.inf deleted from the threat dialog and logged, its look-alike listed; sticks
// plugged in while the guard runs are handled in smart mode and in real-time mode. The
// path of QVud.exe is the program's first argument.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "tests/wine/e2e/GuardProcess.h"
#include "tests/wine/host/TestArguments.h"
#include "tests/wine/host/WindowProbe.h"
#include "tests/wine/tools/TestKit.h"

namespace qv::test {

namespace {

using namespace std::chrono_literals;

std::wstring guardExe() {
    const auto& args = testArguments();
    return args.empty() ? std::wstring() : testkit::windowsPath(args.front());
}

std::wstring text(HWND form, std::wstring_view control) {
    HWND window = findControlWindow(form, control);
    return window ? testkit::controlText(window) : L"(missing)";
}

std::vector<std::wstring> listLines(HWND list) {
    std::vector<std::wstring> lines;
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count)) return lines;
    for (DWORD_PTR i = 0; i < count; ++i) {
        wchar_t line[512] = {};
        SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line), SMTO_ABORTIFHUNG,
                            5000, nullptr);
        lines.emplace_back(line);
    }
    return lines;
}

void click(HWND form, std::wstring_view button) {
    HWND window = findControlWindow(form, button);
    ASSERT_NE(window, nullptr) << testkit::utf8(button);
    PostMessageW(window, BM_CLICK, 0, 0);
}

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A stick as a worm leaves it: autorun.inf naming its program, and optionally a folder
// with an executable twin beside it.
struct Stick {
    explicit Stick(bool withLookAlike) {
        EXPECT_TRUE(testkit::writeBytes(folder / L"autorun.inf",
                                        "[autorun]\r\nopen=setup.exe\r\nshell\\open=x\r\n"));
        EXPECT_TRUE(testkit::writeBytes(folder / L"setup.exe", "MZ"));
        if (withLookAlike) {
            EXPECT_TRUE(CreateDirectoryW((folder / L"docs").c_str(), nullptr));
            EXPECT_TRUE(testkit::writeBytes(folder / L"docs.exe", "MZ"));
        }
    }
    testkit::TempFolder folder{L"qv-stick"};
};

class ThreatsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(guardExe().empty()) << "the path of QVud.exe is the first argument";
        ASSERT_FALSE(folder.path().empty());
    }

    // The threat dialog for the autorun.inf of drive `letter`, once it is shown.
    HWND waitForThreatDialog(char letter) {
        std::wstring path = std::wstring(1, static_cast<wchar_t>(letter)) + L":\\autorun.inf";
        HWND found = nullptr;
        testkit::waitFor(
            [&] {
                found = guard->form(L"Form2");
                return found && IsWindowVisible(found) && text(found, L"Szwz") == path;
            },
            15s);
        return found && text(found, L"Szwz") == path ? found : nullptr;
    }

    testkit::TempFolder folder{L"qv-e2e"};
    std::unique_ptr<GuardProcess> guard;
};

}  // namespace

TEST_F(ThreatsTest, SticksAreFoundAskedAboutCleanedAndLogged) {
    // A stick already in at start-up: the first insertion check counts it as new.
    Stick first(true);
    auto letter = testkit::freeDriveLetter();
    ASSERT_TRUE(letter);
    testkit::SimulatedDrive drive(*letter, DRIVE_REMOVABLE, first.folder.path());
    ASSERT_TRUE(drive.ok());
    guard = std::make_unique<GuardProcess>(guardExe(), folder.path());
    ASSERT_TRUE(guard->started());

    HWND threat = waitForThreatDialog(*letter);
    ASSERT_NE(threat, nullptr) << "the threat dialog opens by itself";
    EXPECT_EQ(testkit::windowText(threat), L"QVu盘卫士发现威胁！");
    EXPECT_TRUE(testkit::waitFor([&] {
        return (GetWindowLongPtrW(threat, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    })) << "topmost once painted";
    EXPECT_EQ(text(threat, L"Glwj"), L"setup.exe");
    EXPECT_TRUE(testkit::waitFor([&] { return text(threat, L"Jstxt") == L"28"; }))
        << "the countdown runs inside the modal dialog";
    testkit::saveScreenshot(L"e2e_threat_dialog", threat);

    click(threat, L"Ljsc");
    EXPECT_TRUE(testkit::waitFor([&] { return !exists(first.folder / L"autorun.inf"); }));
    EXPECT_TRUE(exists(first.folder / L"setup.exe")) << "its program only when asked for";
    std::optional<std::string> log;
    ASSERT_TRUE(testkit::waitFor([&] {
        log = testkit::readBytes(folder / L"Rz.log");
        return log && log->ends_with("\r\n");
    })) << "the deletion is logged right after it";
    std::string expectedStart = testkit::toGbk("成功删除") + std::string(1, *letter) +
                                ":\\autorun.inf    " + testkit::toGbk("——");
    EXPECT_EQ(log->rfind(expectedStart, 0), 0u) << *log;
    EXPECT_EQ(log->substr(log->size() - 2), "\r\n");

    // Then the look-alike scan of the same drive.
    HWND list = nullptr;
    ASSERT_TRUE(testkit::waitFor([&] {
        list = guard->form(L"Form5");
        return list && IsWindowVisible(list);
    }));
    EXPECT_EQ(testkit::windowText(list), L"发现可疑文件！");
    EXPECT_TRUE(testkit::waitFor(
        [&] { return (GetWindowLongPtrW(list, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
    EXPECT_EQ(listLines(findControlWindow(list, L"List1")),
              std::vector<std::wstring>{std::wstring(1, *letter) + L":\\docs.exe"});
    testkit::saveScreenshot(L"e2e_suspicious_files", list);
    click(list, L"Command3");
    EXPECT_TRUE(testkit::waitFor([&] {
        HWND w = guard->form(L"Form5");
        return !w || !IsWindowVisible(w);
    }));
    EXPECT_TRUE(exists(first.folder / L"docs.exe"));
    ASSERT_TRUE(DeleteFileW((first.folder / L"docs.exe").c_str()));  // the user's own choice

    // Smart mode: a stick plugged in while the guard runs is told of and scanned at once.
    Stick second(false);
    auto secondLetter = testkit::freeDriveLetter(static_cast<char>(*letter + 1));
    ASSERT_TRUE(secondLetter);
    testkit::SimulatedDrive secondDrive(*secondLetter, DRIVE_REMOVABLE, second.folder.path());
    ASSERT_TRUE(secondDrive.ok());
    HWND toast = nullptr;
    EXPECT_TRUE(testkit::waitFor([&] {
        toast = guard->form(L"Tips");
        return toast && IsWindowVisible(toast);
    }));
    if (toast) testkit::saveScreenshot(L"e2e_toast");
    threat = waitForThreatDialog(*secondLetter);
    ASSERT_NE(threat, nullptr) << "the plugged-in stick is scanned in smart mode";
    click(threat, L"Hl");
    EXPECT_TRUE(testkit::waitFor([&] { return !IsWindow(threat); }));
    EXPECT_TRUE(exists(second.folder / L"autorun.inf")) << "ignored, not deleted";

    // Real-time mode, chosen on the main window: the monitor finds the next stick by
    // itself, every 1.8 s.
    HWND image = findControlWindow(guard->form(L"Form3"), L"Image1");
    ASSERT_NE(image, nullptr);
    postDoubleClick(image);
    HWND main = nullptr;
    ASSERT_TRUE(testkit::waitFor([&] {
        main = guard->form(L"Form1");
        return main && IsWindowVisible(main);
    }));
    click(main, L"Ssms");
    EXPECT_TRUE(testkit::waitFor([&] {
        return SendMessageW(findControlWindow(main, L"Ssms"), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }));
    Stick third(false);
    auto thirdLetter = testkit::freeDriveLetter(static_cast<char>(*secondLetter + 1));
    ASSERT_TRUE(thirdLetter);
    testkit::SimulatedDrive thirdDrive(*thirdLetter, DRIVE_REMOVABLE, third.folder.path());
    ASSERT_TRUE(thirdDrive.ok());
    threat = waitForThreatDialog(*thirdLetter);
    ASSERT_NE(threat, nullptr) << "the real-time monitor finds the stick";
    click(threat, L"Ljsc");
    EXPECT_TRUE(testkit::waitFor([&] { return !exists(third.folder / L"autorun.inf"); }));
    EXPECT_TRUE(exists(second.folder / L"autorun.inf")) << "the ignored stick stays ignored";
}

// A stick made to hurt: a 100 MB autorun.inf whose program climbs off the drive, and a
// link that leads off it. The guard reads only the file's start, deletes only the file,
// and answers as before; nothing outside the stick changes.
TEST_F(ThreatsTest, AHostileStickDeletesNothingOutsideItAndTheGuardStaysResponsive) {
    testkit::TempFolder outside{L"qv-outside"};
    ASSERT_TRUE(testkit::writeBytes(outside / L"sentinel.txt", "keep"));
    testkit::TempFolder stick{L"qv-hostile"};
    std::string autorun = "[autorun]\r\nopen=..\\..\\..\\" +
                          testkit::utf8(outside.path().substr(outside.path().rfind(L'\\') + 1)) +
                          "\\sentinel.txt\r\n";
    ASSERT_TRUE(testkit::writeBytes(stick / L"autorun.inf", autorun));
    {
        HANDLE big = CreateFileW((stick / L"autorun.inf").c_str(), GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(big, INVALID_HANDLE_VALUE);
        LARGE_INTEGER size;
        size.QuadPart = 100ll << 20;
        EXPECT_TRUE(SetFilePointerEx(big, size, nullptr, FILE_BEGIN) && SetEndOfFile(big));
        CloseHandle(big);
    }
    ASSERT_TRUE(testkit::makeUnixLink(outside.path(), stick / L"away"));
    ASSERT_TRUE(testkit::makeUnixLink(outside / L"sentinel.txt", stick / L"away.exe"));
    auto letter = testkit::freeDriveLetter();
    ASSERT_TRUE(letter);
    testkit::SimulatedDrive drive(*letter, DRIVE_REMOVABLE, stick.path());
    ASSERT_TRUE(drive.ok());
    guard = std::make_unique<GuardProcess>(guardExe(), folder.path());
    ASSERT_TRUE(guard->started());

    HWND threat = waitForThreatDialog(*letter);
    ASSERT_NE(threat, nullptr);
    EXPECT_NE(text(threat, L"Glwj").find(L"sentinel.txt"), std::wstring::npos)
        << "the dialog shows what the file says";
    click(threat, L"scwj");  // also delete the program it names
    EXPECT_TRUE(testkit::waitFor([&] {
        return SendMessageW(findControlWindow(threat, L"scwj"), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }));
    click(threat, L"Ljsc");
    EXPECT_TRUE(testkit::waitFor([&] { return !exists(stick / L"autorun.inf"); }));
    // The look-alike list names the link, which a user may delete: it goes, not its target.
    HWND list = nullptr;
    if (testkit::waitFor([&] { return (list = guard->form(L"Form5")) && IsWindowVisible(list); },
                         5s)) {
        click(list, L"Command4");
    }
    EXPECT_TRUE(guard->running());
    DWORD_PTR answer = 0;
    EXPECT_TRUE(
        SendMessageTimeoutW(guard->form(L"Form3"), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer))
        << "the guard still answers";
    EXPECT_EQ(testkit::readBytes(outside / L"sentinel.txt"), "keep");
    auto log = testkit::readBytes(folder / L"Rz.log");
    ASSERT_TRUE(log);
    EXPECT_EQ(std::count(log->begin(), log->end(), '\n'), 1) << "only the autorun.inf is logged";
}

}  // namespace qv::test
