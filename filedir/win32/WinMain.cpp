// Filedir.exe: the file browser. A drive list, the current folder's path and a virtual
// list of its entries (hidden and system ones too), with the actions restore, restore all,
// delete, open and refresh. Single-threaded: a folder is read a piece per timer tick and
// the list is virtual, so a folder of 100,000 entries never stops the window answering.
// Every failure is told with the system's text.

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "common/win32/MessageLoop.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"
#include "filedir/browser/BrowserFiles.h"
#include "filedir/browser/FolderLoad.h"
#include "filedir/win32/Win32BrowserFiles.h"

namespace qv::filedir::win32 {
using namespace qv::win32;
}

namespace {

using namespace qv::filedir;

enum Id {
    kDrives = 100,
    kPath,
    kList,
    kUp,
    kOpen,
    kRestore,
    kDelete,
    kRestoreAll,
    kRefresh,
    kStatus
};

// The folder is read a piece per tick of this timer; timer messages come after input and
// painting, so the window answers the user between pieces.
constexpr UINT_PTR kReadTimer = 1;
constexpr std::size_t kEntriesPerPiece = 2000;

struct Browser {
    win32::Win32BrowserFiles files;
    std::vector<Drive> drives;
    FolderLoad load;
    HWND window = nullptr, driveBox = nullptr, path = nullptr, list = nullptr, status = nullptr;
    std::wstring cell;  // text handed to the list view for one cell
} app;

const wchar_t* typeName(int type) {
    static const wchar_t* names[] = {L"未知",       L"可移动磁盘", L"本地磁盘",
                                     L"网络驱动器", L"光盘",       L"内存盘"};
    return names[type >= 0 && type <= 5 ? type : 0];
}

void tell(const std::string& text, bool error) {
    MessageBoxW(app.window, win32::toWide(text).c_str(), error ? L"错误" : L"提示",
                MB_OK | (error ? MB_ICONERROR : MB_ICONINFORMATION));
}

// Shows what has been read of the folder so far, or all of it once reading is over.
void showLoad() {
    ListView_SetItemCountEx(app.list, static_cast<int>(app.load.entries().size()), LVSICF_NOSCROLL);
    InvalidateRect(app.list, nullptr, TRUE);
    SetWindowTextW(app.status, win32::toWide(app.load.statusText()).c_str());
}

void readPiece() {
    if (!app.load.step(kEntriesPerPiece)) KillTimer(app.window, kReadTimer);
    showLoad();
}

void showFolder(const std::string& folder) {
    qv::Status r = app.load.start(app.files, folder);
    if (!r.ok()) {
        tell("无法打开“" + folder + "”：" + r.description(), true);
        return;
    }
    SetWindowTextW(app.path, win32::toWide(folder).c_str());
    ListView_SetItemState(app.list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    readPiece();
    if (app.load.loading()) SetTimer(app.window, kReadTimer, USER_TIMER_MINIMUM, nullptr);
}

// The folder now shown, read to its end: the actions wait for it.
bool folderReady() {
    if (!app.load.loading()) return true;
    tell("正在读取文件夹，请稍候。", false);
    return false;
}

void fillDrives(char select) {
    app.drives = app.files.drives();
    SendMessageW(app.driveBox, CB_RESETCONTENT, 0, 0);
    int chosen = -1;
    for (std::size_t i = 0; i < app.drives.size(); ++i) {
        std::wstring text = {static_cast<wchar_t>(app.drives[i].letter), L':', L'\\', L' ', L' '};
        text += typeName(app.drives[i].type);
        SendMessageW(app.driveBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (app.drives[i].letter == select ||
            (chosen < 0 && select == 0 && app.drives[i].type == 1))
            chosen = static_cast<int>(i);
    }
    if (chosen < 0 && !app.drives.empty()) chosen = 0;
    SendMessageW(app.driveBox, CB_SETCURSEL, chosen, 0);
    if (chosen >= 0) showFolder(std::string{app.drives[chosen].letter, ':', '\\'});
}

const Entry* selected() {
    if (!folderReady()) return nullptr;
    int i = ListView_GetNextItem(app.list, -1, LVNI_SELECTED);
    if (i < 0 || i >= static_cast<int>(app.load.entries().size())) {
        tell("请先在列表中选择一项。", false);
        return nullptr;
    }
    return &app.load.entries()[i];
}

void openSelected() {
    const Entry* e = selected();
    if (!e) return;
    if (!e->isFolder()) return tell("“" + e->name + "”不是文件夹。文件浏览器不运行文件。", false);
    if (e->isLink())
        return tell("“" + e->name + "”是链接或交接点，可能通向本盘以外，不予打开。", true);
    if (isReservedDeviceName(e->name))
        return tell("“" + e->name + "”是系统设备名，不予打开。", true);
    showFolder(childPath(app.load.folder(), e->name));
}

void command(int id) {
    switch (id) {
        case kUp:
            showFolder(parentPath(app.load.folder()));
            break;
        case kOpen:
            openSelected();
            break;
        case kRefresh:
            fillDrives(app.load.folder().empty() ? 0 : app.load.folder()[0]);
            break;
        case kRestore:
            if (const Entry* e = selected()) {
                std::string folder = app.load.folder(), name = e->name;
                qv::Status r = restore(app.files, folder, *e);
                showFolder(folder);
                if (r.ok())
                    tell("已还原“" + name + "”：隐藏和系统属性已清除。", false);
                else
                    tell("无法还原“" + name + "”：" + r.description(), true);
            }
            break;
        case kDelete:
            if (const Entry* e = selected()) {
                std::string folder = app.load.folder(), name = e->name;
                std::wstring ask = win32::toWide("确定要删除文件“" + name + "”吗？");
                if (MessageBoxW(app.window, ask.c_str(), L"提示", MB_OKCANCEL | MB_ICONQUESTION) !=
                    IDOK)
                    break;
                qv::Status r = deleteEntry(app.files, folder, *e);
                showFolder(folder);
                if (r.ok())
                    tell("已删除“" + name + "”。", false);
                else
                    tell("无法删除“" + name + "”：" + r.description(), true);
            }
            break;
        case kRestoreAll: {
            if (!folderReady()) break;
            std::string root = app.load.folder();
            if (!isDriveRoot(root)) {
                tell("“全部还原”只用于磁盘的根目录。", false);
                break;
            }
            RestoreAllReport report = restoreAll(app.files, root, app.load.entries());
            showFolder(root);
            tell(describe(report), !report.failures.empty());
            break;
        }
    }
}

void cellText(NMLVDISPINFOW* info) {
    const std::vector<Entry>& entries = app.load.entries();
    if (!(info->item.mask & LVIF_TEXT) || info->item.iItem >= static_cast<int>(entries.size()))
        return;
    std::size_t i = static_cast<std::size_t>(info->item.iItem);
    const Entry& e = entries[i];
    Mark mark = i < app.load.marks().size() ? app.load.marks()[i] : Mark::None;
    switch (info->item.iSubItem) {
        case 0:
            app.cell = win32::toWide(e.name);
            break;
        case 1:
            app.cell = e.isFolder() ? L"<文件夹>" : std::to_wstring(e.size);
            break;
        case 2:
            app.cell = win32::toWide(e.modified);
            break;
        case 3:
            app.cell = win32::toWide(attributeText(e.attributes));
            break;
        default:
            app.cell = mark == Mark::LookAlike        ? L"伪装成文件夹的程序"
                       : mark == Mark::Shortcut       ? L"根目录快捷方式"
                       : e.isLink()                   ? L"链接"
                       : isReservedDeviceName(e.name) ? L"设备名"
                                                      : L"";
    }
    info->item.pszText = app.cell.data();
}

LRESULT CALLBACK windowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            if (LOWORD(wp) == kDrives && HIWORD(wp) == CBN_SELCHANGE) {
                int i = static_cast<int>(SendMessageW(app.driveBox, CB_GETCURSEL, 0, 0));
                if (i >= 0 && i < static_cast<int>(app.drives.size()))
                    showFolder(std::string{app.drives[i].letter, ':', '\\'});
            } else if (HIWORD(wp) == BN_CLICKED) {
                command(LOWORD(wp));
            }
            return 0;
        case WM_NOTIFY: {
            auto* hdr = reinterpret_cast<NMHDR*>(lp);
            if (hdr->idFrom != kList) break;
            if (hdr->code == LVN_GETDISPINFOW) cellText(reinterpret_cast<NMLVDISPINFOW*>(lp));
            if (hdr->code == NM_DBLCLK) openSelected();
            if (hdr->code == NM_CUSTOMDRAW) {
                auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(lp);
                if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
                if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
                    std::size_t i = cd->nmcd.dwItemSpec;
                    const std::vector<Entry>& entries = app.load.entries();
                    if (i < app.load.marks().size() && app.load.marks()[i] != Mark::None)
                        cd->clrText = RGB(220, 0, 0);
                    else if (i < entries.size() && entries[i].attributes & (kHidden | kSystem))
                        cd->clrText = RGB(128, 128, 128);
                    return CDRF_DODEFAULT;
                }
            }
            break;
        }
        case WM_TIMER:
            if (wp == kReadTimer) readPiece();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

HWND child(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int cx, int cy,
           int id, HFONT font) {
    HWND h = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, app.window,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleW(nullptr), nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    return h;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSW wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"QVFiledir";
    RegisterClassW(&wc);
    app.window = CreateWindowExW(0, wc.lpszClassName, L"QVu盘卫士 - 文件浏览器",
                                 WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                 (GetSystemMetrics(SM_CXSCREEN) - 720) / 2,
                                 (GetSystemMetrics(SM_CYSCREEN) - 500) / 2, 720, 500, nullptr,
                                 nullptr, instance, nullptr);
    if (!app.window) return 1;
    qv::win32::UniqueFont font(
        CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"宋体"));
    child(L"STATIC", L"磁盘：", 0, 10, 14, 40, 16, 0, font.get());
    app.driveBox = child(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 50, 10, 150,
                         300, kDrives, font.get());
    child(L"BUTTON", L"上一级", WS_TABSTOP, 210, 9, 60, 24, kUp, font.get());
    app.path = child(L"EDIT", L"", ES_READONLY | ES_AUTOHSCROLL | WS_BORDER, 280, 10, 420, 22,
                     kPath, font.get());
    app.list = child(
        WC_LISTVIEWW, L"",
        LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP, 10,
        40, 690, 340, kList, font.get());
    ListView_SetExtendedListViewStyle(app.list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    struct Column {
        const wchar_t* title;
        int width;
    };
    int index = 0;
    for (Column c : {Column{L"名称", 220}, Column{L"大小", 80}, Column{L"修改日期", 120},
                     Column{L"属性", 50}, Column{L"标记", 190}}) {
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.pszText = const_cast<wchar_t*>(c.title);
        col.cx = c.width;
        ListView_InsertColumn(app.list, index++, &col);
    }
    app.status = child(L"STATIC", L"", 0, 10, 388, 690, 18, kStatus, font.get());
    int x = 10;
    for (auto [id, text] : {std::pair{kOpen, L"打开"}, std::pair{kRestore, L"还原"},
                            std::pair{kRestoreAll, L"全部还原"}, std::pair{kDelete, L"删除文件"},
                            std::pair{kRefresh, L"刷新"}}) {
        child(L"BUTTON", text, WS_TABSTOP, x, 414, 100, 28, id, font.get());
        x += 110;
    }
    // Shown before the first drive is read, so that a drive that cannot be opened is
    // told over the browser's own window.
    ShowWindow(app.window, show);
    UpdateWindow(app.window);
    fillDrives(0);
    qv::win32::runMessageLoop(app.window);
    return 0;
}
