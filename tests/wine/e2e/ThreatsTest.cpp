// QVud.exe for real against simulated USB sticks: a stick present at start-up is found,
// its worm's read-only, hidden and system files removed from the threat dialog and
// logged, its look-alikes listed and one held by another program named; sticks plugged in
// while the guard runs are handled in smart mode (a shortcut worm's cleaned from its
// dialog by Return, a UTF-16 autorun.inf's program taken by the countdown), and in
// real-time mode with automatic handling (a shortcut of the user's written over with a
// worm's while the stick stays is found); the file browser puts a removed file back from
// the quarantine. The path of
// QVud.exe is the program's first argument.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/win32/UniqueHandle.h"
#include "common/worms/tests/ShortcutMaker.h"
#include "tests/wine/e2e/BrowserWindow.h"
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
// with an executable twin beside it. With `wormAttributes` each of those files is
// read-only, hidden and system, as Wine keeps them: the Unix mode 0444 and the hidden and
// system bits in the extended attribute user.DOSATTRIB.
struct Stick {
    explicit Stick(bool withLookAlike, bool wormAttributes = false) {
        EXPECT_TRUE(testkit::writeBytes(folder / L"autorun.inf", kAutorun));
        EXPECT_TRUE(testkit::writeBytes(folder / L"setup.exe", kProgram));
        std::vector<std::wstring> planted = {L"autorun.inf", L"setup.exe"};
        if (withLookAlike) {
            EXPECT_TRUE(CreateDirectoryW((folder / L"docs").c_str(), nullptr));
            EXPECT_TRUE(testkit::writeBytes(folder / L"docs.exe", "MZ"));
            planted.push_back(L"docs.exe");
        }
        const DWORD worm = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        for (const std::wstring& name : wormAttributes ? planted : std::vector<std::wstring>{}) {
            EXPECT_TRUE(SetFileAttributesW((folder / name).c_str(), worm));
            EXPECT_EQ(GetFileAttributesW((folder / name).c_str()) & worm, worm);
        }
    }
    static constexpr std::string_view kAutorun = "[autorun]\r\nopen=setup.exe\r\nshell\\open=x\r\n";
    static constexpr std::string_view kProgram = "MZ\x90\x03 the worm's program";
    testkit::TempFolder folder{L"qv-stick"};
};

// Hurries the countdown of the threat dialog `threat` to its end. The guard's timers tick
// on its message-only host window ("QvHost"), each by an id the test cannot know: every id
// the guard can have used so far gets a tick, round after round, each round once the
// countdown has shown its step. Timers that are not running take no notice, and while a
// pass waits in the dialog the other timers do nothing. True when the dialog closed.
bool hurryCountdown(const GuardProcess& guard, HWND threat) {
    HWND host = nullptr;
    for (HWND w = nullptr; (w = FindWindowExW(HWND_MESSAGE, w, L"QvHost", nullptr));) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == guard.id()) host = w;
    }
    if (!host) return false;
    for (int round = 0; round < 40 && IsWindow(threat); ++round) {
        const std::wstring shown = text(threat, L"Jstxt");
        for (WPARAM id = 1; id <= 1000; ++id) PostMessageW(host, WM_TIMER, id, 0);
        testkit::waitFor([&] { return !IsWindow(threat) || text(threat, L"Jstxt") != shown; }, 5s);
    }
    return !IsWindow(threat);
}

// The record of the protection log for `path`, up to its date and time.
std::string recordStart(const std::string& path) {
    return testkit::toGbk("成功删除") + path + "    " + testkit::toGbk("——");
}

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

TEST_F(ThreatsTest, SticksAreFoundAskedAboutCleanedAndLoggedAndTheirFilesComeBack) {
    // A stick already in at start-up (the first insertion check counts it as new), whose
    // files a worm marked read-only, hidden and system; a second look-alike another
    // program holds open without sharing its deletion.
    Stick first(true, true);
    ASSERT_TRUE(CreateDirectoryW((first.folder / L"music").c_str(), nullptr));
    ASSERT_TRUE(testkit::writeBytes(first.folder / L"music.exe", "MZ"));
    win32::UniqueFile held(CreateFileW((first.folder / L"music.exe").c_str(), GENERIC_READ,
                                       FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    auto letter = testkit::freeDriveLetter();
    ASSERT_TRUE(letter);
    const std::string root = std::string(1, *letter) + ":\\";
    testkit::SimulatedDrive drive(*letter, DRIVE_REMOVABLE, first.folder.path());
    ASSERT_TRUE(drive.ok());
    GuardProcess::placeShippedFiles(guardExe(), folder.path());  // Filedir.exe among them
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

    // Both, through the dialog: read-only, hidden and system are no obstacle.
    click(threat, L"scwj");
    EXPECT_TRUE(testkit::waitFor([&] {
        return SendMessageW(findControlWindow(threat, L"scwj"), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }));
    click(threat, L"Ljsc");
    EXPECT_TRUE(testkit::waitFor([&] {
        return !exists(first.folder / L"autorun.inf") && !exists(first.folder / L"setup.exe");
    }));
    std::optional<std::string> log;
    ASSERT_TRUE(testkit::waitFor([&] {
        log = testkit::readBytes(folder / L"Rz.log");
        return log && std::count(log->begin(), log->end(), '\n') == 2;
    })) << "both removals are logged right after them";
    EXPECT_EQ(log->rfind(recordStart(root + "autorun.inf"), 0), 0u) << *log;
    EXPECT_NE(log->find("\r\n" + recordStart(root + "setup.exe")), std::string::npos) << *log;

    // Then the look-alike scan of the same drive: one file goes, the held one is named.
    HWND list = nullptr;
    ASSERT_TRUE(testkit::waitFor([&] {
        list = guard->form(L"Form5");
        return list && IsWindowVisible(list);
    }));
    EXPECT_EQ(testkit::windowText(list), L"发现可疑文件！");
    EXPECT_TRUE(testkit::waitFor(
        [&] { return (GetWindowLongPtrW(list, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
    HWND lines = findControlWindow(list, L"List1");
    std::wstring wideRoot = drive.root();
    EXPECT_EQ(listLines(lines),
              (std::vector<std::wstring>{wideRoot + L"docs.exe", wideRoot + L"music.exe"}));
    testkit::saveScreenshot(L"e2e_suspicious_files", list);
    click(list, L"Command4");
    HWND box = guard->waitForMessageBox(L"未能删除以下文件：");
    ASSERT_NE(box, nullptr) << "the file that stayed is named";
    EXPECT_EQ(testkit::windowText(box), L"错误");
    EXPECT_TRUE(testkit::messageBoxText(box).starts_with(L"未能删除以下文件：\r\n" + wideRoot +
                                                         L"music.exe："))
        << testkit::utf8(testkit::messageBoxText(box));
    testkit::saveScreenshot(L"e2e_suspicious_file_kept", box);
    EXPECT_TRUE(testkit::pressButton(box, IDOK));
    EXPECT_TRUE(testkit::waitFor([&] {
        return listLines(lines) == std::vector<std::wstring>{wideRoot + L"music.exe"};
    })) << "its line stays, the dialog too";
    EXPECT_FALSE(exists(first.folder / L"docs.exe"));
    EXPECT_TRUE(exists(first.folder / L"music.exe"));
    click(list, L"Command3");
    EXPECT_TRUE(testkit::waitFor([&] {
        HWND w = guard->form(L"Form5");
        return !w || !IsWindowVisible(w);
    }));
    held.reset();
    ASSERT_TRUE(DeleteFileW((first.folder / L"music.exe").c_str()));  // the user's own choice

    // A shortcut worm's stick, plugged in: the user's folder hidden as "__" beside a
    // shortcut named like the drive that starts the worm. Return on its dialog cleans
    // it, and the folder comes back as it was. (This stick and the next stay in: a stick
    // pulled out as the next goes in would leave the count of drives as it was.)
    testkit::TempFolder wormStick{L"qv-shortcut-worm"};
    const DWORD hidden = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(CreateDirectoryW((wormStick / L"__").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((wormStick / L"__\\photos").c_str(), nullptr));
    const std::string thesis = "PK\x03\x04 the user's thesis", photo = "\xFF\xD8\xFF a photo";
    ASSERT_TRUE(testkit::writeBytes(wormStick / L"__\\thesis.docx", thesis));
    ASSERT_TRUE(testkit::writeBytes(wormStick / L"__\\photos\\holiday.jpg", photo));
    ASSERT_TRUE(testkit::writeBytes(wormStick / L"__\\DriveMgr.exe", "MZ the worm"));
    ASSERT_TRUE(SetFileAttributesW((wormStick / L"__").c_str(), hidden));
    const std::wstring shortcut = wormStick / L"KINGSTON (8GB).lnk";
    ASSERT_TRUE(testkit::writeBytes(
        shortcut, worms::test::makeShortcut(worms::test::shortcutTo(
                      "C:\\WINDOWS\\system32\\cmd.exe", "/c start __ & __\\DriveMgr.exe & exit"))));
    auto wormLetter = testkit::freeDriveLetter(static_cast<char>(*letter + 1));
    ASSERT_TRUE(wormLetter);
    testkit::SimulatedDrive wormDrive(*wormLetter, DRIVE_REMOVABLE, wormStick.path());
    ASSERT_TRUE(wormDrive.ok());
    HWND found = nullptr;
    ASSERT_TRUE(testkit::waitFor([&] {
        found = guard->form(L"Form7");
        return found && IsWindowVisible(found);
    })) << "the shortcut-worm dialog within 10 s of plugging the stick in";
    EXPECT_EQ(testkit::windowText(found), L"发现快捷方式病毒！");
    EXPECT_NE(text(found, L"Text1").find(wormDrive.root() + L"__\\DriveMgr.exe"),
              std::wstring::npos)
        << testkit::utf8(text(found, L"Text1"));
    EXPECT_TRUE(testkit::waitFor(
        [&] { return (GetWindowLongPtrW(found, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
    testkit::saveScreenshot(L"e2e_shortcut_worm", found);
    // Return goes where a key of the user's would: to the window with the keyboard focus,
    // which the dialog has taken.
    GUITHREADINFO focus{};
    focus.cbSize = sizeof focus;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(found, nullptr), &focus));
    HWND keys = focus.hwndFocus;
    ASSERT_TRUE(keys == found || IsChild(found, keys)) << "the dialog has the keyboard";
    PostMessageW(keys, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(keys, WM_KEYUP, VK_RETURN, 0xC0000001);
    box = guard->waitForMessageBox(L"已清除 1 个病毒快捷方式、1 个病毒文件");
    ASSERT_NE(box, nullptr) << "Return cleans and says what went";
    EXPECT_EQ(testkit::windowText(box), L"提示");
    EXPECT_EQ(testkit::messageBoxText(box),
              L"已清除 1 个病毒快捷方式、1 个病毒文件\r\n（副本保存在隔离区），\r\n恢复显示 1 "
              L"个被隐藏的文件和文件夹。");
    testkit::saveScreenshot(L"e2e_shortcut_worm_cleaned", box);
    EXPECT_TRUE(testkit::pressButton(box, IDOK));
    EXPECT_TRUE(testkit::waitFor([&] { return !IsWindow(found); }));
    EXPECT_FALSE(exists(shortcut));
    EXPECT_FALSE(exists(wormStick / L"__\\DriveMgr.exe"));
    EXPECT_EQ(GetFileAttributesW((wormStick / L"__").c_str()) & hidden, 0u) << "shown again";
    EXPECT_EQ(testkit::readBytes(wormStick / L"__\\thesis.docx"), thesis);
    EXPECT_EQ(testkit::readBytes(wormStick / L"__\\photos\\holiday.jpg"), photo);

    // A UTF-16 autorun.inf that runs its program by shellexecute=: the dialog names the
    // whole command and, the box ticked, the countdown takes the program with the file.
    testkit::TempFolder wideStick{L"qv-utf16-autorun"};
    const std::string command = "RuNdLl32.EXE .\\RECYCLER\\S-5-3-42\\jwgkvsq.vmx,ahaezedrn";
    std::string autorun = "\xFF\xFE";
    for (char c : "[AutoRun]\r\nicon=%SystemRoot%\\system32\\SHELL32.dll,4\r\nshellexecute=" +
                      command + "\r\n") {
        autorun += std::string{c, '\0'};
    }
    ASSERT_TRUE(testkit::writeBytes(wideStick / L"autorun.inf", autorun));
    ASSERT_TRUE(CreateDirectoryW((wideStick / L"RECYCLER").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((wideStick / L"RECYCLER\\S-5-3-42").c_str(), nullptr));
    ASSERT_TRUE(testkit::writeBytes(wideStick / L"RECYCLER\\S-5-3-42\\jwgkvsq.vmx", "MZ dll"));
    auto wideLetter = testkit::freeDriveLetter(static_cast<char>(*wormLetter + 1));
    ASSERT_TRUE(wideLetter);
    testkit::SimulatedDrive wideDrive(*wideLetter, DRIVE_REMOVABLE, wideStick.path());
    ASSERT_TRUE(wideDrive.ok());
    threat = waitForThreatDialog(*wideLetter);
    ASSERT_NE(threat, nullptr);
    EXPECT_EQ(text(threat, L"Glwj"), testkit::wide(command));
    testkit::saveScreenshot(L"e2e_threat_dialog_shellexecute", threat);
    HWND alsoProgram = findControlWindow(threat, L"scwj");
    ASSERT_TRUE(IsWindowVisible(alsoProgram)) << "the program lies on the stick";
    click(threat, L"scwj");
    EXPECT_TRUE(testkit::waitFor(
        [&] { return SendMessageW(alsoProgram, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
    // The countdown is not waited for: its seconds are posted to the guard as the timer
    // messages they are.
    EXPECT_TRUE(hurryCountdown(*guard, threat)) << "the countdown ends by deleting";
    EXPECT_FALSE(exists(wideStick / L"autorun.inf"));
    EXPECT_FALSE(exists(wideStick / L"RECYCLER\\S-5-3-42\\jwgkvsq.vmx"));
    log = testkit::readBytes(folder / L"Rz.log");
    ASSERT_TRUE(log);
    EXPECT_NE(
        log->find(recordStart(testkit::utf8(wideDrive.root()) + "RECYCLER\\S-5-3-42\\jwgkvsq.vmx")),
        std::string::npos)
        << *log;

    // Smart mode: a stick plugged in while the guard runs is told of and scanned at once.
    // Its autorun.inf is held by another program: the dialog names it and closes.
    Stick second(false);
    win32::UniqueFile secondHeld(CreateFileW((second.folder / L"autorun.inf").c_str(), GENERIC_READ,
                                             FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(secondHeld);
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
    click(threat, L"Ljsc");
    box = guard->waitForMessageBox(L"未能删除以下文件：");
    ASSERT_NE(box, nullptr) << "the file that stayed is named";
    EXPECT_EQ(testkit::windowText(box), L"错误");
    EXPECT_TRUE(testkit::messageBoxText(box).starts_with(L"未能删除以下文件：\r\n" +
                                                         secondDrive.root() + L"autorun.inf："))
        << testkit::utf8(testkit::messageBoxText(box));
    testkit::saveScreenshot(L"e2e_threat_not_removed", box);
    EXPECT_TRUE(testkit::pressButton(box, IDOK));
    EXPECT_TRUE(testkit::waitFor([&] { return !IsWindow(threat); })) << "then it closes";
    EXPECT_TRUE(exists(second.folder / L"autorun.inf"));

    // Real-time mode, chosen on the main window: the monitor finds the held file again by
    // itself, and this time the drive is ignored.
    HWND image = findControlWindow(guard->form(L"Form3"), L"Image1");
    ASSERT_NE(image, nullptr);
    postDoubleClick(image);
    HWND main = nullptr;
    ASSERT_TRUE(testkit::waitFor([&] {
        main = guard->form(L"Form1");
        return main && IsWindowVisible(main);
    }));
    auto tick = [&](const wchar_t* option) {
        click(main, option);
        EXPECT_TRUE(testkit::waitFor([&] {
            return SendMessageW(findControlWindow(main, option), BM_GETCHECK, 0, 0) == BST_CHECKED;
        })) << testkit::utf8(option);
    };
    tick(L"Ssms");
    threat = waitForThreatDialog(*secondLetter);
    ASSERT_NE(threat, nullptr) << "the real-time monitor finds the file that stayed";
    click(threat, L"Hl");
    EXPECT_TRUE(testkit::waitFor([&] { return !IsWindow(threat); }));
    secondHeld.reset();

    // Automatic handling: the next stick's worm file goes unasked.
    tick(L"Zdcl");
    Stick third(false, true);
    auto thirdLetter = testkit::freeDriveLetter(static_cast<char>(*secondLetter + 1));
    ASSERT_TRUE(thirdLetter);
    testkit::SimulatedDrive thirdDrive(*thirdLetter, DRIVE_REMOVABLE, third.folder.path());
    ASSERT_TRUE(thirdDrive.ok());
    EXPECT_TRUE(testkit::waitFor([&] { return !exists(third.folder / L"autorun.inf"); }, 15s))
        << "the real-time monitor removes it";
    if (testkit::waitFor([&] { return (toast = guard->form(L"Tips")) && IsWindowVisible(toast); }))
        testkit::saveScreenshot(L"e2e_automatic_removal", toast);
    EXPECT_TRUE(testkit::waitFor([&] {
        log = testkit::readBytes(folder / L"Rz.log");
        return log && log->find(recordStart(std::string(1, *thirdLetter) + ":\\autorun.inf")) !=
                          std::string::npos;
    })) << "automatic handling logs";
    EXPECT_TRUE(exists(third.folder / L"setup.exe")) << "automatic handling takes the file only";
    EXPECT_TRUE(exists(second.folder / L"autorun.inf")) << "the ignored stick stays ignored";

    // While the stick stays, the user's own shortcut is read once and let be; written over
    // with a worm's command, it is read again and goes. Each autorun.inf planted there and
    // taken away again marks a pass of the monitor over the stick.
    const std::wstring own = third.folder / L"thesis.lnk";
    ASSERT_TRUE(testkit::writeBytes(third.folder / L"thesis.docx", "PK the user's"));
    ASSERT_TRUE(testkit::writeBytes(own, worms::test::makeShortcut(worms::test::shortcutTo(
                                             std::string(1, *thirdLetter) + ":\\thesis.docx"))));
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_TRUE(testkit::writeBytes(third.folder / L"autorun.inf", Stick::kAutorun));
        EXPECT_TRUE(testkit::waitFor([&] { return !exists(third.folder / L"autorun.inf"); }, 15s));
    }
    EXPECT_TRUE(exists(own)) << "the user's shortcut stays";
    ASSERT_TRUE(
        testkit::writeBytes(own, worms::test::makeShortcut(worms::test::shortcutTo(
                                     "C:\\WINDOWS\\system32\\cmd.exe", "/c start explorer"))));
    EXPECT_TRUE(testkit::waitFor([&] { return !exists(own); }, 15s))
        << "written over, it is read again and cleaned";
    EXPECT_EQ(testkit::readBytes(third.folder / L"thesis.docx"), std::string("PK the user's"));

    // The file browser, from the tools page: its quarantine view lists what the guard
    // removed, and "恢复" puts the worm's program back where it was, byte for byte.
    postClick(findControlWindow(main, L"Gjsz"));
    HWND tool = findControlWindow(main, L"Image7");
    ASSERT_TRUE(testkit::waitFor([&] { return IsWindowVisible(tool) != FALSE; }));
    postClick(tool);
    DWORD browserPid = 0;
    HWND browser = waitForBrowser(browserPid);
    ASSERT_NE(browser, nullptr);
    BrowserEnder ender{browserPid};
    HWND drives = FindWindowExW(browser, nullptr, L"ComboBox", nullptr);
    HWND view = FindWindowExW(browser, nullptr, WC_LISTVIEWW, nullptr);
    ASSERT_TRUE(drives && view);
    LRESULT last = SendMessageW(drives, CB_GETCOUNT, 0, 0) - 1;
    SendMessageW(drives, CB_SETCURSEL, last, 0);
    PostMessageW(browser, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(drives), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(drives));
    const std::wstring program = wideRoot + L"setup.exe";
    int line = -1;
    ASSERT_TRUE(testkit::waitFor([&] { return (line = lineWithText(view, program)) >= 0; }))
        << "the quarantine lists the removed program";
    EXPECT_NE(childWithText(browser, L"Static", L"隔离区共 11 个文件"), nullptr)
        << "five autorun.inf files, two programs, the look-alike, two shortcuts and a worm";
    EXPECT_EQ(cellText(view, line, 1), std::to_wstring(Stick::kProgram.size()) + L" 字节");
    testkit::saveScreenshot(L"e2e_filedir_quarantine", browser);
    ASSERT_TRUE(selectLine(view, line));
    HWND recover = FindWindowExW(browser, nullptr, L"Button", L"恢复");
    ASSERT_NE(recover, nullptr);
    PostMessageW(recover, BM_CLICK, 0, 0);
    box = nullptr;
    ASSERT_TRUE(testkit::waitFor([&] {
        return (box = testkit::findMessageBox(L"已恢复“" + program + L"”。", browserPid));
    }));
    testkit::saveScreenshot(L"e2e_filedir_recovered");
    EXPECT_TRUE(testkit::pressButton(box, IDOK));
    EXPECT_EQ(testkit::readBytes(first.folder / L"setup.exe"), std::string(Stick::kProgram));
    EXPECT_TRUE(testkit::waitFor([&] { return lineWithText(view, program) < 0; }))
        << "it left the quarantine";
    PostMessageW(browser, WM_CLOSE, 0, 0);
    EXPECT_TRUE(testkit::waitFor([&] { return !IsWindow(browser); }));
}

// A stick made to hurt: a 100 MB autorun.inf whose program climbs off the drive, and a
// link that leads off it. The guard reads only the file's start, deletes only the file
// (keeping its copy: 100 MiB is still taken in), and answers as before; nothing outside
// the stick changes.
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
    EXPECT_FALSE(IsWindowVisible(findControlWindow(threat, L"scwj")))
        << "a program off the drive is never offered for deletion";
    click(threat, L"Ljsc");
    EXPECT_TRUE(testkit::waitFor([&] { return !exists(stick / L"autorun.inf"); }));
    // The look-alike list names the link, which Wine shows as the file it points at: it is
    // refused and named, and its target stays.
    HWND list = nullptr;
    if (testkit::waitFor([&] { return (list = guard->form(L"Form5")) && IsWindowVisible(list); },
                         5s)) {
        click(list, L"Command4");
        HWND box = guard->waitForMessageBox(L"away.exe");
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(testkit::pressButton(box, IDOK));
        click(list, L"Command3");
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
