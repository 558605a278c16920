// The process manager of QVud.exe on real processes: opened from the badge's menu, it
// shows the list that the system folder's cmd.exe and tasklist.exe capture into
// Jincheng.qvjc (a stand-in tasklist.exe of the tests takes the place of Wine's own, which
// prints nothing) and ends a real process with the system folder's taskkill.exe.
// Arguments: QVud.exe, the stand-in tasklist.exe and qvidle.exe.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "tests/wine/e2e/GuardProcess.h"
#include "tests/wine/host/TestArguments.h"
#include "tests/wine/host/WindowProbe.h"
#include "tests/wine/tools/TestKit.h"

namespace qv::test {

namespace {

using namespace std::chrono_literals;

std::wstring argument(size_t index) {
    const auto& args = testArguments();
    return args.size() > index ? testkit::windowsPath(args[index]) : std::wstring();
}

class ProcessManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(argument(2).empty()) << "QVud.exe, tasklist.exe and qvidle.exe expected";
        tasklist = std::make_unique<testkit::SystemToolStandIn>(L"tasklist.exe", argument(1));
        ASSERT_TRUE(tasklist->ok());
        guard = std::make_unique<GuardProcess>(argument(0), folder.path());
        ASSERT_TRUE(guard->started());
        badge = guard->waitForForm(L"Form3");
        ASSERT_NE(badge, nullptr);
        ASSERT_TRUE(testkit::waitFor([&] { return IsWindowVisible(badge) != FALSE; }));
    }
    void TearDown() override { guard.reset(); }

    // Chooses 进程管理, the second item of the badge's pop-up menu.
    HWND openFromTheMenu() {
        HWND image = findControlWindow(badge, L"Image1");
        PostMessageW(image, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
        PostMessageW(image, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
        HWND menu = guard->waitForPopupMenu();
        if (!menu) return nullptr;
        chooseMenuItem(menu, 1);
        return guard->waitForForm(L"Form4");
    }
    // Presses OK in the box showing `text`; false when it never came.
    bool answer(const std::wstring& text) {
        HWND box = guard->waitForMessageBox(text);
        return box && testkit::pressButton(box, IDOK) &&
               testkit::waitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); });
    }

    testkit::TempFolder folder{L"qv-e2e"};
    std::unique_ptr<testkit::SystemToolStandIn> tasklist;
    std::unique_ptr<GuardProcess> guard;
    HWND badge = nullptr;
};

}  // namespace

TEST_F(ProcessManagerTest, ListsTheRunningProcessesAndEndsOneByItsPid) {
    testkit::TestProcess idle(argument(2));
    ASSERT_TRUE(idle.started());
    const std::wstring pid = std::to_wstring(idle.id());

    HWND manager = openFromTheMenu();
    ASSERT_NE(manager, nullptr);
    ASSERT_TRUE(testkit::waitFor([&] { return IsWindowVisible(manager) != FALSE; }));
    EXPECT_EQ(testkit::windowText(manager), L"QV进程管理器 By:林青木");
    HWND list = findControlWindow(manager, L"Text1");
    HWND entry = findControlWindow(manager, L"Text2");
    HWND kill = findControlWindow(manager, L"Command1");
    HWND refresh = findControlWindow(manager, L"Check1");
    ASSERT_TRUE(list && entry && kill && refresh);

    ASSERT_TRUE(testkit::waitFor([&] {
        std::wstring shown = testkit::controlText(list);
        return shown.find(L"qvidle.exe") != std::wstring::npos &&
               shown.find(L" " + pid + L" ") != std::wstring::npos;
    })) << "the captured list names the idle program and its PID";
    EXPECT_TRUE(IsWindowEnabled(refresh)) << "enabled after the first good read";
    EXPECT_NE(GetFileAttributesW((folder / L"Jincheng.qvjc").c_str()), INVALID_FILE_ATTRIBUTES);

    SendMessageW(entry, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"12ab"));
    EXPECT_TRUE(testkit::waitFor([&] { return testkit::controlText(entry) == L"12"; }))
        << "the entry keeps the leading number";
    SendMessageW(entry, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pid.c_str()));
    ASSERT_TRUE(testkit::waitFor([&] { return testkit::controlText(entry) == pid; }));
    testkit::saveScreenshot(L"e2e_process_manager", manager);

    PostMessageW(kill, BM_CLICK, 0, 0);
    ASSERT_TRUE(answer(L"你确定结束该进程吗？"));
    HWND ended = guard->waitForMessageBox(L"指定进程结束成功！");
    ASSERT_NE(ended, nullptr) << "the tool ended the process";
    EXPECT_NE(idle.waitForExit(5000), -1);
    testkit::saveScreenshot(L"e2e_process_killed");
    ASSERT_TRUE(testkit::pressButton(ended, IDOK));

    // A PID of no process: the tool fails, and so does the kill.
    SendMessageW(entry, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"99999999"));
    ASSERT_TRUE(testkit::waitFor([&] { return testkit::controlText(entry) == L"99999999"; }));
    PostMessageW(kill, BM_CLICK, 0, 0);
    ASSERT_TRUE(answer(L"你确定结束该进程吗？"));
    EXPECT_TRUE(answer(L"进程结束失败！"));
    EXPECT_EQ(testkit::findMessageBox(L"指定进程结束成功！", guard->id()), nullptr);
}

// The list refreshed every 1.2 s keeps the line in view and the selection; opening the
// window again brings it back, restored, in front; the close box unloads it.
TEST_F(ProcessManagerTest, OneWindowThatKeepsItsPlaceInTheListAndComesBackToTheFront) {
    postDoubleClick(findControlWindow(badge, L"Image1"));
    HWND main = guard->waitForForm(L"Form1");
    ASSERT_NE(main, nullptr);
    // The tool picture 进程管理器 of the advanced page.
    HWND picture = nullptr;
    ASSERT_TRUE(testkit::waitFor([&] { return (picture = findControlWindow(main, L"Image5")); }));
    auto clickPicture = [picture] {
        PostMessageW(picture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        PostMessageW(picture, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    };
    clickPicture();
    HWND first = guard->waitForForm(L"Form4");
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(testkit::waitFor([&] { return IsWindowVisible(first) != FALSE; }));
    HWND entry = findControlWindow(first, L"Text2");
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(entry, GWL_STYLE) & ES_NUMBER) << "digits only";
    SendMessageW(entry, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"42"));
    ASSERT_TRUE(testkit::waitFor([&] { return testkit::controlText(entry) == L"42"; }));

    // A small window, scrolled down, with a process's name selected; every capture names
    // new cmd.exe and tasklist.exe processes, so each refresh changes the list.
    HWND list = findControlWindow(first, L"Text1");
    ASSERT_TRUE(testkit::waitFor(
        [&] { return testkit::controlText(list).find(L"tasklist.exe") != std::wstring::npos; }));
    SetWindowPos(first, nullptr, 0, 0, 720, 200, SWP_NOMOVE | SWP_NOZORDER);
    auto line = [list](WPARAM n) {
        return static_cast<DWORD>(SendMessageW(list, EM_LINEINDEX, n, 0));
    };
    auto firstLine = [list] { return SendMessageW(list, EM_GETFIRSTVISIBLELINE, 0, 0); };
    SendMessageW(list, EM_SETSEL, line(4), line(4) + 9);
    SendMessageW(list, EM_LINESCROLL, 0, 3 - firstLine());
    ASSERT_EQ(firstLine(), 3);
    std::wstring before = testkit::controlText(list);
    ASSERT_TRUE(testkit::waitFor([&] { return testkit::controlText(list) != before; }, 5s))
        << "refreshed";
    EXPECT_EQ(firstLine(), 3) << "the same lines in view";
    DWORD start = 0, end = 0;
    SendMessageW(list, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, line(4));
    EXPECT_EQ(end, line(4) + 9) << "the same line selected";
    testkit::saveScreenshot(L"e2e_process_manager_refreshed", first);

    // Minimised, then opened again: the same window, restored and in front.
    ShowWindow(first, SW_MINIMIZE);
    ASSERT_TRUE(testkit::waitFor([&] { return IsIconic(first) != FALSE; }));
    clickPicture();
    EXPECT_TRUE(
        testkit::waitFor([&] { return !IsIconic(first) && GetForegroundWindow() == first; }));
    EXPECT_EQ(guard->form(L"Form4"), first) << "one process manager";
    EXPECT_EQ(testkit::controlText(entry), L"42") << "unchanged";

    PostMessageW(first, WM_CLOSE, 0, 0);
    EXPECT_TRUE(testkit::waitFor([&] { return guard->form(L"Form4") == nullptr; }));
}

}  // namespace qv::test
