// The windows the host makes for a form: where they are, how they are stacked, and how
// they follow the model and feed the user's actions back into it.

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/wine/host/HostFixture.h"

namespace qv::test {

namespace {

bool visibleStyle(HWND hwnd) {
    return (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

std::wstring text(HWND hwnd) {
    return testkit::windowText(hwnd);
}

// The names of the form's child windows from the top of the stacking order down.
std::vector<std::wstring> topDown(HWND form) {
    std::vector<std::wstring> names;
    for (HWND c = GetWindow(form, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        names.push_back(qvName(c));
    }
    return names;
}

int depth(const std::vector<std::wstring>& order, const std::wstring& name) {
    for (size_t i = 0; i < order.size(); ++i) {
        if (order[i] == name) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

TEST_F(HostTest, WindowsAreMadeAtFirstShowAtThePixelPositionsOfTheirTwips) {
    SampleForm form(host);
    form.load();
    EXPECT_EQ(host.formWindow(form), nullptr) << "no window before the form is shown";
    form.show();
    HWND hwnd = host.formWindow(form);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(qvName(hwnd), L"Sample");
    EXPECT_EQ(text(hwnd), L"样例窗体");

    RECT outer;
    GetWindowRect(hwnd, &outer);
    EXPECT_EQ(outer.left, px(1500));
    EXPECT_EQ(outer.top, px(750));
    EXPECT_EQ(outer.right - outer.left, px(6000));
    EXPECT_EQ(outer.bottom - outer.top, px(4500));

    RECT check = placed(child(form, L"Check"));
    EXPECT_EQ(check.left, px(150));
    EXPECT_EQ(check.top, px(300));
    EXPECT_EQ(check.right - check.left, px(1800));
    EXPECT_EQ(check.bottom - check.top, px(300));

    // Inside a frame a control is placed from the frame's top-left corner.
    RECT inBox = placed(child(form, L"InBox"));
    EXPECT_EQ(inBox.left, px(2400 + 240));
    EXPECT_EQ(inBox.top, px(1200 + 300));

    // Moving the frame carries its contents along.
    form.Box.move(2700, 1500);
    inBox = placed(child(form, L"InBox"));
    EXPECT_EQ(inBox.left, px(2700 + 240));
    EXPECT_EQ(inBox.top, px(1500 + 300));
    RECT label = placed(child(form, L"InBoxLabel"));
    EXPECT_EQ(label.top, px(1500 + 660));

    // Timers and web browsers have no window.
    EXPECT_EQ(child(form, L"Clock"), nullptr);
    EXPECT_EQ(child(form, L"Web"), nullptr);
}

TEST_F(HostTest, ControlsOfACaptionedFormLieInItsClientArea) {
    SampleForm form(host);
    form.setBorder(ui::FormBorder::FixedSingle);
    form.show();
    HWND hwnd = host.formWindow(form);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    RECT check;
    GetWindowRect(child(form, L"Check"), &check);
    EXPECT_EQ(check.left - origin.x, px(150));
    EXPECT_EQ(check.top - origin.y, px(300));
    RECT outer;
    GetWindowRect(hwnd, &outer);
    EXPECT_EQ(outer.right - outer.left, px(6000)) << "the bounds are the outer size";
}

TEST_F(HostTest, AFormSizedOnlyByItsInsideGetsTheOuterSizeThatHoldsItAndTheModelLearnsIt) {
    SampleForm form(host);
    form.setBorder(ui::FormBorder::FixedDialog);
    form.setStartPosition(ui::StartPosition::CenterScreen);
    form.setBounds({0, 0, 0, 0});
    form.setClientSize({4500, 3000});
    int resizes = 0;
    form.onResize = [&] { ++resizes; };
    form.show();
    HWND hwnd = host.formWindow(form);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, px(4500));
    EXPECT_EQ(client.bottom, px(3000));
    RECT outer;
    GetWindowRect(hwnd, &outer);
    int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR(outer.left + (outer.right - outer.left) / 2, screenW / 2, 1) << "centred";
    EXPECT_NEAR(outer.top + (outer.bottom - outer.top) / 2, screenH / 2, 1);
    EXPECT_NEAR(form.bounds().width, (outer.right - outer.left) * 1440 / dpi, 15);
    EXPECT_NEAR(form.bounds().left, outer.left * 1440 / dpi, 15);
    EXPECT_EQ(resizes, 1) << "the first display is a resize";
}

TEST_F(HostTest, FramesCoverWhatLiesBeforeThemAndCarryTheirContentsOnTop) {
    SampleForm form(host);
    form.show();
    std::vector<std::wstring> order = topDown(host.formWindow(form));
    int box = depth(order, L"Box");
    ASSERT_GE(box, 0);
    EXPECT_LT(depth(order, L"InBox"), box) << "contents above their frame";
    EXPECT_LT(depth(order, L"InBoxLabel"), box);
    EXPECT_LT(box, depth(order, L"Check")) << "a later frame covers earlier controls";
    EXPECT_LT(depth(order, L"Marker"), depth(order, L"Picture")) << "shape before picture";
    EXPECT_LT(depth(order, L"Check"), depth(order, L"Caption"))
        << "labels and pictures lie under the other controls";
}

TEST_F(HostTest, WindowsFollowTheModel) {
    SampleForm form(host);
    form.show();
    HWND check = child(form, L"Check");
    HWND edit = child(form, L"Text");
    HWND list = child(form, L"List");
    HWND drives = child(form, L"Drives");
    HWND bar = child(form, L"Progress");

    form.setCaption("新标题");
    EXPECT_EQ(text(host.formWindow(form)), L"新标题");
    form.Check.setCaption("检视本地硬盘");
    EXPECT_EQ(text(check), L"检视本地硬盘");
    form.Check.setValue(1);
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    form.Check.setValue(0);
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    form.Check.setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(check));

    form.Text.setText("第一行\r\n第二行");
    EXPECT_EQ(text(edit), L"第一行\r\n第二行");

    form.List.addItem("e:\\docs.exe");
    form.List.addItem("e:\\照片.exe");
    form.List.setListIndex(1);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
    form.List.removeItem(0);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);

    form.Drives.setSource([](std::vector<std::string>& out) { out = {"c:", "e:", "z:"}; });
    form.Drives.refresh();
    EXPECT_EQ(SendMessageW(drives, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(drives, CB_GETCURSEL, 0, 0), 0);

    form.Progress.setValue(40);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 40);
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 100);

    form.Check.setBounds({300, 450, 1500, 300});
    RECT r = placed(check);
    EXPECT_EQ(r.left, px(300));
    EXPECT_EQ(r.right - r.left, px(1500));
}

TEST_F(HostTest, AControlShowsOnlyWhileItAndEveryFrameAroundItAreVisible) {
    SampleForm form(host);
    form.show();
    HWND inBox = child(form, L"InBox");
    HWND folders = child(form, L"Folders");
    EXPECT_TRUE(visibleStyle(inBox));
    EXPECT_FALSE(visibleStyle(folders)) << "hidden at design";

    form.Box.setVisible(false);
    EXPECT_FALSE(visibleStyle(inBox));
    EXPECT_FALSE(visibleStyle(child(form, L"Box")));
    form.InBox.setVisible(false);
    form.Box.setVisible(true);
    EXPECT_FALSE(visibleStyle(inBox)) << "its own visibility still counts";
    form.InBox.setVisible(true);
    EXPECT_TRUE(visibleStyle(inBox));

    form.Folders.setVisible(true);
    EXPECT_TRUE(visibleStyle(folders));
}

TEST_F(HostTest, AClickOnACheckBoxRunsItsEventOnceAndTheWindowShowsTheModelsTick) {
    SampleForm form(host);
    int clicks = 0;
    form.Check.onClick = [&] { ++clicks; };
    form.show();
    HWND check = child(form, L"Check");

    SendMessageW(check, BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form.Check.value(), 1);
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);

    SendMessageW(check, BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(form.Check.value(), 0);
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    // A handler that puts the tick back wins: the window shows what the model holds.
    form.Check.onClick = [&] { form.Check.setValue(0); };
    SendMessageW(check, BM_CLICK, 0, 0);
    EXPECT_EQ(form.Check.value(), 0);
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    form.Check.onClick = [&] { ++clicks; };
    clicks = 0;
    form.Check.setValue(0);  // the value it already has
    EXPECT_EQ(clicks, 0);
}

TEST_F(HostTest, OptionButtonsSelectExclusivelyWithinTheirContainer) {
    SampleForm form(host);
    form.OptionA.setValue(true);
    form.InBox.setValue(true);
    int clicksB = 0;
    form.OptionB.onClick = [&] { ++clicksB; };
    form.show();
    HWND a = child(form, L"OptionA");
    HWND b = child(form, L"OptionB");
    HWND inBox = child(form, L"InBox");

    SendMessageW(b, BM_CLICK, 0, 0);
    EXPECT_EQ(clicksB, 1);
    EXPECT_TRUE(form.OptionB.value());
    EXPECT_FALSE(form.OptionA.value());
    EXPECT_TRUE(form.InBox.value()) << "another container, another group";
    EXPECT_EQ(SendMessageW(b, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(a, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(inBox, BM_GETCHECK, 0, 0), BST_CHECKED);

    SendMessageW(b, BM_CLICK, 0, 0);
    EXPECT_EQ(clicksB, 1) << "selecting the selected option runs nothing";
}

TEST_F(HostTest, TypingRunsChangeOnceAndTextSetByCodeIsNotEchoedBack) {
    SampleForm form(host);
    int changes = 0;
    form.Text.onChange = [&] { ++changes; };
    form.show();
    HWND edit = child(form, L"Text");

    SendMessageW(edit, WM_CHAR, L'e', 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(form.Text.text(), "e");

    form.Text.setText("abc");
    EXPECT_EQ(changes, 2) << "the model's own change only, no echo from the window";
    EXPECT_EQ(text(edit), L"abc");
    form.Text.setText("abc");
    EXPECT_EQ(changes, 2);

    // A box limited to one character takes one typed character, but text set by code
    // stays whole in the model and in the window.
    int letterChanges = 0;
    form.Letter.onChange = [&] { ++letterChanges; };
    HWND letter = child(form, L"Letter");
    SendMessageW(letter, WM_CHAR, L'f', 1);
    SendMessageW(letter, WM_CHAR, L'g', 1);
    EXPECT_EQ(form.Letter.text(), "f");
    EXPECT_EQ(letterChanges, 1);
    form.Letter.setText("xyz");
    EXPECT_EQ(form.Letter.text(), "xyz");
    EXPECT_EQ(text(letter), L"xyz");
    EXPECT_EQ(letterChanges, 2);
}

// A read-only list of numbered lines, taller than its box.
class ListForm : public ui::Form {
public:
    explicit ListForm(ui::UiHost& host) : Form(host, "List") {
        setBorder(ui::FormBorder::None);
        setBounds({1500, 750, 6000, 3000});
        List.setBounds({0, 0, 6000, 1500});
        List.setMultiLine(true);
        List.setLocked(true);
        List.setScrollBars(ui::ScrollBars::Vertical);
        List.setFont({.face = "新宋体", .fixedPitch = true});
        Pid.setBounds({0, 1800, 1500, 315});
        Pid.setDigitsOnly(true);
    }
    static std::string lines(int count, const char* suffix) {
        std::string text;
        for (int i = 0; i < count; ++i) text += "进程 " + std::to_string(i) + suffix + "\r\n";
        return text;
    }
    ui::TextBox List{*this, "List"};
    ui::TextBox Pid{*this, "Pid"};
};

TEST_F(HostTest, AListReplacedByCodeKeepsItsViewAndSelectionWhereTheLinesStillAre) {
    ListForm form(host);
    form.List.setText(ListForm::lines(60, " a"));
    form.show();
    HWND list = child(form, L"List");
    LRESULT line25 = SendMessageW(list, EM_LINEINDEX, 25, 0);
    SendMessageW(list, EM_SETSEL, line25, line25 + 4);  // Wine scrolls the caret into view
    SendMessageW(list, EM_LINESCROLL, 0, 20 - SendMessageW(list, EM_GETFIRSTVISIBLELINE, 0, 0));
    ASSERT_EQ(SendMessageW(list, EM_GETFIRSTVISIBLELINE, 0, 0), 20);

    form.List.setText(ListForm::lines(60, " bb"));  // every line one character longer
    EXPECT_EQ(SendMessageW(list, EM_GETFIRSTVISIBLELINE, 0, 0), 20);
    DWORD start = 0, end = 0;
    SendMessageW(list, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    LRESULT newLine25 = SendMessageW(list, EM_LINEINDEX, 25, 0);
    EXPECT_EQ(start, static_cast<DWORD>(newLine25));
    EXPECT_EQ(end, static_cast<DWORD>(newLine25 + 4));

    form.List.setText(ListForm::lines(10, ""));  // the lines in view are gone
    EXPECT_LT(SendMessageW(list, EM_GETFIRSTVISIBLELINE, 0, 0), 10);
    SendMessageW(list, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
}

TEST_F(HostTest, AFixedPitchFontLinesUpAndADigitsOnlyBoxRefusesOtherKeys) {
    ListForm form(host);
    form.show();
    HWND list = child(form, L"List");
    HDC dc = GetDC(list);
    HGDIOBJ before =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    SIZE narrow{}, wide{}, cjk{};
    GetTextExtentPoint32W(dc, L"iiii", 4, &narrow);
    GetTextExtentPoint32W(dc, L"WW  ", 4, &wide);
    GetTextExtentPoint32W(dc, L"进程", 2, &cjk);
    SelectObject(dc, before);
    ReleaseDC(list, dc);
    // Columns line up: every Latin letter and blank as wide as the next, a CJK character
    // as wide as two. (The font's pitch flag is not asked: a font drawn so need not carry
    // it, and the one standing in for 新宋体 under Wine does not.)
    EXPECT_EQ(narrow.cx, wide.cx);
    EXPECT_EQ(cjk.cx, narrow.cx);

    HWND pid = child(form, L"Pid");
    EXPECT_TRUE(GetWindowLongPtrW(pid, GWL_STYLE) & ES_NUMBER);
    EXPECT_FALSE(GetWindowLongPtrW(child(form, L"List"), GWL_STYLE) & ES_NUMBER);
}

TEST_F(HostTest, ListAndDriveSelectionsByTheUserGoThroughTheModel) {
    SampleForm form(host);
    form.List.addItem("a");
    form.List.addItem("b");
    int listClicks = 0, driveChanges = 0;
    form.List.onClick = [&] { ++listClicks; };
    form.Drives.setSource([](std::vector<std::string>& out) { out = {"c:", "e:"}; });
    form.Drives.refresh();
    form.Drives.onChange = [&] { ++driveChanges; };
    form.show();
    HWND list = child(form, L"List");
    HWND drives = child(form, L"Drives");

    // What the list does on a user's selection: select, then notify its parent.
    SendMessageW(list, LB_SETCURSEL, 1, 0);
    SendMessageW(host.formWindow(form), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(form.List.listIndex(), 1);
    EXPECT_EQ(listClicks, 1);

    SendMessageW(drives, CB_SETCURSEL, 1, 0);
    SendMessageW(host.formWindow(form), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(drives), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(drives));
    EXPECT_EQ(form.Drives.drive(), "e:");
    EXPECT_EQ(driveChanges, 1);
}

TEST_F(HostTest, PicturesAndLabelsReportPressReleaseClickAndDoubleClickInOrder) {
    SampleForm form(host);
    std::vector<std::string> events;
    auto name = [](ui::MouseButton b) {
        return b == ui::MouseButton::Left ? "L" : b == ui::MouseButton::Right ? "R" : "M";
    };
    form.Picture.onMouseDown = [&](ui::MouseButton b) {
        events.push_back(std::string("down") + name(b));
    };
    form.Picture.onMouseUp = [&](ui::MouseButton b) {
        events.push_back(std::string("up") + name(b));
    };
    form.Picture.onClick = [&] { events.push_back("click"); };
    form.Picture.onDblClick = [&] { events.push_back("dbl"); };
    form.Picture.onMouseMove = [&] { events.push_back("move"); };
    form.show();
    HWND picture = child(form, L"Picture");
    LPARAM inside = MAKELPARAM(5, 5), outside = MAKELPARAM(2000, 2000);

    SendMessageW(picture, WM_MOUSEMOVE, 0, inside);
    SendMessageW(picture, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    EXPECT_EQ(GetCapture(), picture) << "the release will reach the pressed control";
    SendMessageW(picture, WM_LBUTTONUP, 0, inside);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(events, (std::vector<std::string>{"move", "downL", "upL", "click"}));

    events.clear();
    SendMessageW(picture, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageW(picture, WM_LBUTTONUP, 0, outside);
    EXPECT_EQ(events, (std::vector<std::string>{"downL", "upL"})) << "released elsewhere";

    events.clear();
    SendMessageW(picture, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageW(picture, WM_LBUTTONUP, 0, inside);
    SendMessageW(picture, WM_LBUTTONDBLCLK, MK_LBUTTON, inside);
    SendMessageW(picture, WM_LBUTTONUP, 0, inside);
    EXPECT_EQ(events, (std::vector<std::string>{"downL", "upL", "click", "dbl", "upL"}));

    events.clear();
    SendMessageW(picture, WM_RBUTTONDOWN, MK_RBUTTON, inside);
    SendMessageW(picture, WM_RBUTTONUP, 0, inside);
    EXPECT_EQ(events, (std::vector<std::string>{"downR", "upR"})) << "no click for the right";

    // The shape in front of the picture lets the mouse through to it.
    HWND marker = child(form, L"Marker");
    EXPECT_EQ(SendMessageW(marker, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
}

TEST_F(HostTest, MovingOverTheBareFormAndDoubleClickingItReachTheForm) {
    SampleForm form(host);
    int moves = 0, doubles = 0;
    form.onMouseMove = [&] { ++moves; };
    form.onDblClick = [&] { ++doubles; };
    form.show();
    HWND hwnd = host.formWindow(form);
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    SendMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(doubles, 1);
}

TEST_F(HostTest, HandCursorOverClickablePicturesWithItsHotSpotOnTheFingertip) {
    SampleForm form(host);
    form.Picture.setCursor(ui::Cursor::Hand);
    form.show();
    HWND hwnd = host.formWindow(form);
    HWND picture = child(form, L"Picture");
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    SetCursor(arrow);
    SendMessageW(picture, WM_SETCURSOR, reinterpret_cast<WPARAM>(picture),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    HCURSOR hand = GetCursor();
    ASSERT_NE(hand, arrow);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    EXPECT_EQ(info.xHotspot, 6u);
    EXPECT_EQ(info.yHotspot, 0u);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);

    SetCursor(arrow);
    SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(child(form, L"Check")),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), arrow) << "other controls keep the arrow";
}

TEST_F(HostTest, ToolTipsAreMadeWhenTheMouseFirstComesOverAndFollowChanges) {
    SampleForm form(host);
    form.show();
    HWND hwnd = host.formWindow(form);
    auto findTips = [hwnd] {
        std::pair<HWND, HWND> search(hwnd, nullptr);
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND w, LPARAM lp) -> BOOL {
                wchar_t cls[32] = {};
                GetClassNameW(w, cls, 32);
                auto* out = reinterpret_cast<std::pair<HWND, HWND>*>(lp);
                if (std::wstring_view(cls) == TOOLTIPS_CLASSW &&
                    GetWindow(w, GW_OWNER) == out->first) {
                    out->second = w;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.second;
    };
    EXPECT_EQ(findTips(), nullptr) << "no tooltip window before the mouse is over the form";
    SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(child(form, L"Picture")),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    HWND tips = findTips();
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 2) << "List and Picture";

    auto tipOf = [&](HWND control) {
        wchar_t buffer[256] = {};
        TOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.hwnd = hwnd;
        info.uId = reinterpret_cast<UINT_PTR>(control);
        info.lpszText = buffer;
        SendMessageW(tips, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
        return std::wstring(buffer);
    };
    EXPECT_EQ(tipOf(child(form, L"Picture")), L"监控、防护");
    form.Picture.setToolTip("防护已全部关闭！");
    EXPECT_EQ(tipOf(child(form, L"Picture")), L"防护已全部关闭！");
    form.Check.setToolTip("开机时程序自己启动");
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 3);
    form.Check.setToolTip("");
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 2);
}

}  // namespace qv::test
