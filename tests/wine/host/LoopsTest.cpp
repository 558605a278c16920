// Timers, modal forms, message boxes, pop-up menus, close requests and placement: the
// parts of the host that run message loops or answer the system.

#include <windows.h>
// after windows.h
#include <dbt.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/wine/host/HostFixture.h"

namespace qv::test {

namespace {

class TimerForm : public ui::Form {
public:
    explicit TimerForm(ui::UiHost& host, std::string name = "Ticker") : Form(host, name) {
        setBorder(ui::FormBorder::FixedDialog);
        setBounds({3000, 3000, 3000, 1500});
        setCaption("计时");
    }
    ui::Timer Timer1{*this, "Timer1"};
    ui::CommandButton Close{*this, "Close"};
};

}  // namespace

TEST_F(HostTest, TimersOfAFormNeverShownTickAndStopWhenDisabled) {
    TimerForm form(host);
    int ticks = 0;
    form.Timer1.onTimer = [&] { ++ticks; };
    form.Timer1.setInterval(10);
    ASSERT_TRUE(pumpUntil([&] { return ticks >= 3; }));
    EXPECT_EQ(host.formWindow(form), nullptr);

    form.Timer1.setEnabled(false);
    int stopped = ticks;
    // Let due timer messages be handled: nothing more may arrive once disabled.
    pumpUntil([] { return false; }, 100);
    EXPECT_EQ(ticks, stopped);
}

TEST_F(HostTest, ATimerTicksInsideAModalLoopThatItsHandlerEnds) {
    TimerForm dialog(host, "Dialog");
    SampleForm other(host);
    other.show();
    int ticks = 0;
    dialog.Timer1.onTimer = [&] {
        if (++ticks == 3) dialog.hide();
    };
    dialog.Timer1.setInterval(10);
    bool otherEnabledDuring = true;
    dialog.onPaint = [&] { otherEnabledDuring = IsWindowEnabled(host.formWindow(other)); };

    dialog.showModal();  // returns only when the third tick hides the dialog
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(dialog.visible());
    EXPECT_FALSE(IsWindowVisible(host.formWindow(dialog)));
    EXPECT_FALSE(otherEnabledDuring) << "the program's other forms wait while it is open";
    EXPECT_TRUE(IsWindowEnabled(host.formWindow(other)));
}

TEST_F(HostTest, ModalFormsNestAndEachLoopEndsWhenItsFormHides) {
    TimerForm outer(host, "Outer");
    TimerForm inner(host, "Inner");
    std::vector<std::string> steps;
    outer.Timer1.setInterval(10);
    outer.Timer1.onTimer = [&] {
        outer.Timer1.setEnabled(false);
        steps.push_back("outer tick");
        inner.showModal();
        steps.push_back("inner done");
        EXPECT_TRUE(IsWindowEnabled(host.formWindow(outer))) << "enabled again";
        outer.hide();
    };
    inner.Timer1.setInterval(10);
    inner.Timer1.onTimer = [&] {
        inner.Timer1.setEnabled(false);
        steps.push_back("inner tick");
        EXPECT_FALSE(IsWindowEnabled(host.formWindow(outer))) << "the outer dialog waits";
        inner.hide();
    };
    outer.showModal();
    EXPECT_EQ(steps, (std::vector<std::string>{"outer tick", "inner tick", "inner done"}));
    EXPECT_TRUE(IsWindowEnabled(host.formWindow(outer)));
}

TEST_F(HostTest, ARestartedTimerWaitsAFullIntervalAgainAndADestroyedOneNeverTicks) {
    auto form = std::make_unique<TimerForm>(host);
    int ticks = 0;
    form->Timer1.onTimer = [&] { ++ticks; };
    form->Timer1.setInterval(60000);
    form->Timer1.setInterval(10);  // the new interval replaces the long wait
    ASSERT_TRUE(pumpUntil([&] { return ticks >= 1; }, 5000));

    form->Timer1.setInterval(60000);
    int before = ticks;
    pumpUntil([] { return false; }, 100);
    EXPECT_EQ(ticks, before) << "restarted with the long interval";

    form->Timer1.setInterval(10);
    form.reset();
    pumpUntil([] { return false; }, 100);
    EXPECT_EQ(ticks, before);
}

TEST_F(HostTest, AMessageBoxShowsTheTextAndTitleAndReturnsTheButtonPressed) {
    {
        BoxAnswerer answer(L"已经有一个QVu盘卫士运行了！", IDOK);
        EXPECT_EQ(host.messageBox("已经有一个QVu盘卫士运行了！", "提示", ui::MsgButtons::Ok),
                  ui::MsgAnswer::Ok);
        EXPECT_TRUE(answer.pressed());
        EXPECT_EQ(answer.title(), L"提示");
        // No form is active: the hidden owner keeps the box off the taskbar, and it stays
        // above other programs' windows.
        ASSERT_NE(answer.owner(), nullptr);
        EXPECT_FALSE(IsWindowVisible(answer.owner()));
        EXPECT_EQ(GetWindowThreadProcessId(answer.owner(), nullptr), GetCurrentThreadId());
        EXPECT_TRUE(answer.topmost());
    }
    {
        BoxAnswerer answer(L"你确定退出QVu盘卫士？", IDCANCEL);
        EXPECT_EQ(host.messageBox("你确定退出QVu盘卫士？", "确认", ui::MsgButtons::OkCancel),
                  ui::MsgAnswer::Cancel);
    }
    {
        BoxAnswerer answer(L"你确定退出QVu盘卫士？", IDOK);
        EXPECT_EQ(host.messageBox("你确定退出QVu盘卫士？", "确认", ui::MsgButtons::OkCancel),
                  ui::MsgAnswer::Ok);
    }
}

TEST_F(HostTest, AMessageBoxBelongsToTheActiveFormAndTimersKeepTicking) {
    SampleForm active(host, "Active");
    SampleForm other(host, "Other");
    other.setBounds({0, 0, 1500, 1500});
    other.show();
    active.show();
    SetActiveWindow(host.formWindow(active));
    ASSERT_TRUE(pumpUntil([&] { return GetActiveWindow() == host.formWindow(active); }));

    TimerForm ticker(host);
    std::atomic<int> ticks{0};
    bool otherEnabledDuring = true;
    ticker.Timer1.onTimer = [&] {
        ++ticks;
        otherEnabledDuring = IsWindowEnabled(host.formWindow(other));
    };
    ticker.Timer1.setInterval(10);
    BoxAnswerer answer(L"正在扫描插入的U盘...", IDOK, [&] { return ticks.load() >= 3; });
    host.messageBox("正在扫描插入的U盘...", "提示", ui::MsgButtons::Ok);
    EXPECT_TRUE(answer.pressed());
    EXPECT_GE(ticks.load(), 3);
    EXPECT_EQ(answer.owner(), host.formWindow(active));
    EXPECT_FALSE(answer.topmost()) << "in front of its own form already";
    EXPECT_FALSE(otherEnabledDuring);
    EXPECT_TRUE(IsWindowEnabled(host.formWindow(other)));
    EXPECT_TRUE(IsWindowEnabled(host.formWindow(active)));
}

TEST_F(HostTest, APopupMenuRunsTheChosenItemsClick) {
    SampleForm over(host, "Over");
    over.show();
    ui::Form owner(host, "MenuOwner");
    ui::Menu menu(owner, "Cd");
    ui::MenuItem first(owner, "First", menu);
    ui::MenuItem second(owner, "Second", menu);
    first.setCaption("显示主窗体");
    second.setCaption("退出");
    std::vector<std::string> chosen;
    first.onClick = [&] { chosen.push_back("first"); };
    second.onClick = [&] { chosen.push_back("second"); };

    // A helper presses Down twice and Enter in the menu once it is open.
    DWORD ui = GetCurrentThreadId();
    std::thread helper([ui] {
        for (int step = 0; step < 200; ++step, Sleep(50)) {
            HWND menuWindow = nullptr;
            EnumThreadWindows(
                ui,
                [](HWND w, LPARAM lp) -> BOOL {
                    wchar_t cls[16] = {};
                    GetClassNameW(w, cls, 16);
                    if (std::wstring_view(cls) != L"#32768" || !IsWindowVisible(w)) return TRUE;
                    *reinterpret_cast<HWND*>(lp) = w;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&menuWindow));
            if (!menuWindow) continue;
            for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
                PostMessageW(menuWindow, WM_KEYDOWN, key, 0);
                PostMessageW(menuWindow, WM_KEYUP, key, 0xC0000000);
            }
            return;
        }
    });
    host.popupMenu(menu, over);
    helper.join();
    EXPECT_EQ(chosen, (std::vector<std::string>{"second"}));
}

TEST_F(HostTest, TheCloseBoxAsksTheModelWhichMayCancelAndShutdownIsNeverRefused) {
    SampleForm form(host);
    std::vector<int> reasons;
    bool cancel = true;
    form.onQueryUnload = [&](bool& c, ui::CloseReason reason) {
        reasons.push_back(static_cast<int>(reason));
        c = cancel;
    };
    form.show();
    HWND hwnd = host.formWindow(form);

    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(hwnd)) << "the window is never destroyed by a close request";
    EXPECT_TRUE(IsWindowVisible(hwnd)) << "cancelled";
    EXPECT_TRUE(form.visible());

    cancel = false;
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.visible()) << "without an owner's handling the form hides";
    EXPECT_FALSE(IsWindowVisible(hwnd));

    // A shutdown is never held up, and nothing closes before it is certain; one that
    // another program called off leaves everything as it was. (The end of the session
    // itself ends the process: the end-to-end tests see that.)
    cancel = true;
    form.show();
    EXPECT_EQ(SendMessageW(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    SendMessageW(hwnd, WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(form.visible());
    EXPECT_EQ(reasons, (std::vector<int>{0, 0}));
}

TEST_F(HostTest, AResizeReachesTheModelWhichMayHoldTheSizeFixed) {
    SampleForm form(host);
    form.setBorder(ui::FormBorder::Sizable);
    form.setBounds({1500, 1500, 7380, 6090});
    int resizes = 0;
    form.onResize = [&] {
        ++resizes;
        form.setSize(7380, 6090);
    };
    form.load();
    form.show();
    HWND hwnd = host.formWindow(form);
    resizes = 0;

    SetWindowPos(hwnd, nullptr, 0, 0, px(9000), px(7000), SWP_NOMOVE | SWP_NOZORDER);
    RECT r;
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.right - r.left, px(7380));
    EXPECT_EQ(r.bottom - r.top, px(6090));
    EXPECT_EQ(form.bounds().width, 7380);
    EXPECT_EQ(form.bounds().height, 6090);
    EXPECT_EQ(resizes, 2) << "the user's resize and the model's own, and no echo";

    // A move is reported as a move and keeps the size.
    SetWindowPos(hwnd, nullptr, px(300), px(450), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(form.bounds().left, 300);
    EXPECT_EQ(form.bounds().top, 450);
    EXPECT_EQ(resizes, 2);

    // The model's own moves reach the window.
    form.move(1500, 900);
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.left, px(1500));
    EXPECT_EQ(r.top, px(900));
}

TEST_F(HostTest, HiddenFromTheTaskListFormsHaveAHiddenOwnerOrAreToolWindowsAndTopmostSticks) {
    SampleForm early(host, "Early");
    early.setBorder(ui::FormBorder::FixedSingle);
    early.setShowInTaskbar(true);
    early.show();
    EXPECT_EQ(GetWindow(host.formWindow(early), GW_OWNER), nullptr);

    SampleForm titled(host, "Titled");
    titled.setBorder(ui::FormBorder::FixedSingle);
    titled.setShowInTaskbar(false);
    titled.show();
    HWND owner = GetWindow(host.formWindow(titled), GW_OWNER);
    ASSERT_NE(owner, nullptr) << "off the taskbar";
    EXPECT_FALSE(IsWindowVisible(owner));
    // A close request to every top-level window (taskkill without /f) leaves the owner,
    // and so the windows it owns.
    SendMessageW(owner, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(owner));
    EXPECT_TRUE(IsWindow(host.formWindow(titled)));

    host.hideFromTaskList();
    EXPECT_EQ(GetWindow(host.formWindow(early), GW_OWNER), owner);
    SampleForm later(host, "Later");
    later.setBorder(ui::FormBorder::FixedSingle);
    later.show();
    EXPECT_EQ(GetWindow(host.formWindow(later), GW_OWNER), owner);

    SampleForm borderless(host, "Borderless");
    borderless.setBorder(ui::FormBorder::None);
    borderless.show();
    EXPECT_EQ(GetWindow(host.formWindow(borderless), GW_OWNER), nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(host.formWindow(borderless), GWL_EXSTYLE) & WS_EX_TOOLWINDOW)
        << "off the taskbar as a tool window";

    SampleForm dialog(host, "Dialog");
    host.setTopmost(dialog);  // before it has a window
    dialog.show();
    EXPECT_TRUE(GetWindowLongPtrW(host.formWindow(dialog), GWL_EXSTYLE) & WS_EX_TOPMOST);
    host.setTopmost(later);
    EXPECT_TRUE(GetWindowLongPtrW(host.formWindow(later), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(HostTest, AnActivatedFormIsRestoredAndBroughtToTheFront) {
    SampleForm form(host);
    form.setBorder(ui::FormBorder::Sizable);
    form.show();
    HWND hwnd = host.formWindow(form);
    SampleForm other(host, "Other");
    other.show();
    ShowWindow(hwnd, SW_MINIMIZE);
    ASSERT_TRUE(pumpUntil([&] { return IsIconic(hwnd) != FALSE; }));

    form.activate();
    EXPECT_TRUE(pumpUntil([&] { return !IsIconic(hwnd) && GetForegroundWindow() == hwnd; }));
}

TEST_F(HostTest, BeginDragWithoutAHeldButtonDoesNotMoveTheForm) {
    SampleForm form(host);
    form.show();
    RECT before, after;
    GetWindowRect(host.formWindow(form), &before);
    host.beginDrag(form);  // no button is down in the test
    GetWindowRect(host.formWindow(form), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(HostTest, ScreenSizeIsTheScreenInTwips) {
    ui::Size s = host.screenSize();
    EXPECT_NEAR(s.width, GetSystemMetrics(SM_CXSCREEN) * 1440 / dpi, 1);
    EXPECT_NEAR(s.height, GetSystemMetrics(SM_CYSCREEN) * 1440 / dpi, 1);
}

TEST_F(HostTest, ADestroyedFormTakesItsWindowsAlong) {
    auto form = std::make_unique<SampleForm>(host);
    form->show();
    HWND hwnd = host.formWindow(*form);
    HWND check = child(*form, L"Check");
    form.reset();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(IsWindow(check));
}

// Windows announces a new volume to every top-level window; the handler runs once, from
// the host's queue, after the broadcast has been answered, with the letters announced.
TEST_F(HostTest, AVolumeArrivalRunsItsHandlerOnceAfterTheAnnouncement) {
    SampleForm first(host);
    SampleForm second(host, "Second");
    first.show();
    second.show();
    int arrivals = 0;
    std::uint32_t letters = 0;
    host.onVolumeArrival([&](std::uint32_t arrived) {
        ++arrivals;
        letters = arrived;
    });

    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1u << ('e' - 'a');
    for (HWND window : {host.formWindow(first), host.formWindow(second)}) {
        EXPECT_EQ(SendMessageW(window, WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                               reinterpret_cast<LPARAM>(&volume)),
                  TRUE);
    }
    // A second announcement before the handler ran: its letter is added to the first's.
    DEV_BROADCAST_VOLUME another = volume;
    another.dbcv_unitmask = 1u << ('g' - 'a');
    SendMessageW(host.formWindow(first), WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                 reinterpret_cast<LPARAM>(&another));
    EXPECT_EQ(arrivals, 0) << "never inside the broadcast";
    EXPECT_TRUE(pumpUntil([&] { return arrivals > 0; }));
    pumpUntil([] { return false; }, 100);
    EXPECT_EQ(arrivals, 1);
    EXPECT_EQ(letters, (1u << ('e' - 'a')) | (1u << ('g' - 'a')));

    // Other device news (a removal, a port) starts nothing.
    DEV_BROADCAST_HDR port{sizeof(DEV_BROADCAST_HDR), DBT_DEVTYP_PORT, 0};
    SendMessageW(host.formWindow(first), WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                 reinterpret_cast<LPARAM>(&port));
    SendMessageW(host.formWindow(first), WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE,
                 reinterpret_cast<LPARAM>(&volume));
    pumpUntil([] { return false; }, 100);
    EXPECT_EQ(arrivals, 1);
}

}  // namespace qv::test
