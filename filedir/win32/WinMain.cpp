// Filedir.exe: the file browser. A drive list, the current folder's path and a virtual
// list of its entries (hidden and system ones too), with the actions restore, restore all,
// delete, open and refresh. Single-threaded: a folder is read a piece per timer tick (and
// then, in a drive's root, its shortcuts a few per tick) and the list is virtual, so a
// folder of 100,000 entries never stops the window answering.
// Every failure is told with the system's text.
//
// The drive list ends with "隔离区": the guard's quarantine in its data folder, where every
// file removed from a drive (by the guard or by this browser's delete) is kept. There the
// list shows the kept files, and the actions are "恢复" (put back where it was) and
// "彻底删除" (drop the copy for good).

#include <windows.h>

#include <commctrl.h>
#include <dbt.h>

#include <optional>
#include <span>
#include <tuple>
#include <vector>

#include "common/GuardRuntimeFiles.h"
#include "common/win32/Folders.h"
#include "common/win32/MessageLoop.h"
#include "common/win32/ProgramIcon.h"
#include "common/win32/QuietDriveErrors.h"
#include "common/win32/Screen.h"
#include "common/win32/SystemLibraries.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"
#include "common/win32/VolumeIdentity.h"
#include "common/win32/Win32RemovalFiles.h"
#include "common/worms/VisibleText.h"
#include "filedir/browser/BrowserFiles.h"
#include "filedir/browser/FolderLoad.h"
#include "filedir/browser/QuarantineView.h"
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
    kStatus,
    kRecover,
    kPurge
};

// The folder is read a piece per tick of this timer; timer messages come after input and
// painting, so the window answers the user between pieces.
constexpr UINT_PTR kReadTimer = 1;
// Posted to the window when Windows announced a volume that came or went.
constexpr UINT kDrivesChanged = WM_APP + 1;
constexpr std::size_t kEntriesPerPiece = 2000;
// "全部还原" changes so many folders per tick of its timer.
constexpr UINT_PTR kRestoreTimer = 2;
constexpr std::size_t kFoldersPerPiece = 100;

// The guard's quarantine: "隔离区" in its data folder, beside which this program lies.
std::string quarantineFolder() {
    return childPath(qv::win32::dataFolder(), qv::runtime_files::kQuarantineFolder);
}

struct Browser {
    win32::Win32BrowserFiles files;
    qv::win32::Win32RemovalFiles removalFiles;
    qv::removal::DriveFileRemoval removal{removalFiles, quarantineFolder()};
    QuarantineView quarantine{removal};
    bool inQuarantine = false;          // the list shows the quarantine, not a folder
    bool drivesChangedPending = false;  // a volume came or went; the list not yet refilled
    int openBoxes = 0;                  // message boxes open now
    // The volume the folder shown was read from; nullopt when it could not be told.
    std::optional<qv::win32::VolumeIdentity> shownVolume;
    std::vector<Drive> drives;
    FolderLoad load;
    HWND window = nullptr, driveBox = nullptr, path = nullptr, list = nullptr, status = nullptr;
    std::vector<std::pair<int, HWND>> buttons;  // by command id
    std::optional<RestoreAllRun> restoring;     // "全部还原" under way: the rest waits
    std::wstring cell;                          // text handed to the list view for one cell
    int dpi = 96;                               // the screen's, which the layout follows
} app;

// A length laid out in pixels at 96 dots per inch, on this screen.
int px(int pixelsAt96) {
    return MulDiv(pixelsAt96, app.dpi, 96);
}

struct Column {
    const wchar_t* title;
    int width;
};
constexpr Column kFolderColumns[] = {
    {L"名称", 220}, {L"大小", 80}, {L"修改日期", 120}, {L"属性", 50}, {L"标记", 190}};
constexpr Column kQuarantineViewColumns[] = {
    {L"原路径", 330}, {L"大小", 80}, {L"隔离时间", 130}, {L"状态", 130}};

const wchar_t* typeName(int type) {
    static const wchar_t* names[] = {L"未知",       L"可移动磁盘", L"本地磁盘",
                                     L"网络驱动器", L"光盘",       L"内存盘"};
    return names[type >= 0 && type <= 5 ? type : 0];
}

// A message box; while one is open, a drive list to refill waits for it to close: the
// action that opened it may still hold an entry of the list shown.
int messageBox(const std::string& text, const wchar_t* title, UINT type) {
    ++app.openBoxes;
    const int answer = MessageBoxW(app.window, win32::toWide(text).c_str(), title, type);
    if (--app.openBoxes == 0 && app.drivesChangedPending) {
        PostMessageW(app.window, kDrivesChanged, 0, 0);
    }
    return answer;
}

void tell(const std::string& text, bool error) {
    messageBox(text, error ? L"错误" : L"提示",
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

// The list's columns and the buttons of the folder view or of the quarantine view.
void showView(bool quarantine) {
    if (quarantine == app.inQuarantine && Header_GetItemCount(ListView_GetHeader(app.list)) > 0)
        return;
    app.inQuarantine = quarantine;
    while (ListView_DeleteColumn(app.list, 0)) {
    }
    int index = 0;
    std::span<const Column> columns = quarantine ? std::span<const Column>(kQuarantineViewColumns)
                                                 : std::span<const Column>(kFolderColumns);
    for (Column c : columns) {
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.pszText = const_cast<wchar_t*>(c.title);
        col.cx = px(c.width);
        ListView_InsertColumn(app.list, index++, &col);
    }
    for (auto [id, button] : app.buttons) {
        bool forQuarantine = id == kRecover || id == kPurge;
        ShowWindow(button, id == kRefresh || forQuarantine == quarantine ? SW_SHOW : SW_HIDE);
    }
}

void showQuarantine() {
    KillTimer(app.window, kReadTimer);  // a folder still being read is left as it is
    qv::Status r = app.quarantine.load();
    if (!r.ok()) tell("无法读取隔离区：" + r.description(), true);
    showView(true);
    SetWindowTextW(app.path, win32::toWide(app.removal.quarantine().folder()).c_str());
    ListView_SetItemState(app.list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemCountEx(app.list, static_cast<int>(app.quarantine.size()), LVSICF_NOSCROLL);
    InvalidateRect(app.list, nullptr, TRUE);
    SetWindowTextW(app.status, win32::toWide(app.quarantine.statusText()).c_str());
}

// Shows `folder`; false, the user told why, when it cannot be opened.
bool showFolder(const std::string& folder) {
    qv::Status r = app.load.start(app.files, folder);
    if (!r.ok()) {
        tell("无法打开“" + qv::worms::visibleText(folder) + "”：" + r.description(), true);
        return false;
    }
    app.shownVolume = folder.empty() ? std::nullopt : qv::win32::volumeIdentity(folder[0]);
    showView(false);
    SetWindowTextW(app.path, win32::toWide(qv::worms::visibleText(folder)).c_str());
    ListView_SetItemState(app.list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    readPiece();
    if (app.load.busy()) SetTimer(app.window, kReadTimer, USER_TIMER_MINIMUM, nullptr);
    return true;
}

// Whether the drive of the folder shown holds the volume it was read from; false, the user
// told, when another stick has been plugged in under its letter since (asked again after
// a question, which the user may take his time over).
bool stickStillShown() {
    const std::string& folder = app.load.folder();
    if (!app.shownVolume || folder.empty() ||
        qv::win32::volumeIdentity(folder[0]) == app.shownVolume) {
        return true;
    }
    tell("U盘已拔出或已更换，\r\n列表中的不是现在这个U盘的内容。\r\n请点“刷新”后再操作。", false);
    return false;
}

// The folder now shown, read to its end and still on the stick it was read from: the
// actions wait for the one and refuse another stick plugged in under the letter since.
bool folderReady() {
    if (app.load.loading()) {
        tell("正在读取文件夹，请稍候。", false);
        return false;
    }
    return stickStillShown();
}

// Whether drive `letter` holds a medium: an empty card-reader slot is a removable drive too.
bool holdsMedium(char letter) {
    qv::win32::QuietDriveErrors quiet;
    const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
    return GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0) != 0;
}

// The type of drive `letter` as the drive list has it (0 when it is not there).
int driveTypeOf(char letter) {
    const char lower = letter >= 'A' && letter <= 'Z' ? char(letter - 'A' + 'a') : letter;
    for (const Drive& drive : app.drives) {
        if (drive.letter == lower) return drive.type;
    }
    return 0;
}

// Fills the drive list, the quarantine last, and shows the drive `select` (0: the first
// removable drive that holds a medium), or the quarantine when `quarantine`. Of the drive
// `select`, it shows the folder `folder` when that is on it and can still be opened.
void fillDrives(char select, bool quarantine = false, const std::string& folder = {}) {
    if (select >= 'A' && select <= 'Z') select = static_cast<char>(select - 'A' + 'a');
    app.drives = app.files.drives();
    SendMessageW(app.driveBox, CB_RESETCONTENT, 0, 0);
    int chosen = -1;
    for (std::size_t i = 0; i < app.drives.size(); ++i) {
        std::wstring text = {static_cast<wchar_t>(app.drives[i].letter), L':', L'\\', L' ', L' '};
        text += typeName(app.drives[i].type);
        SendMessageW(app.driveBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (app.drives[i].letter == select ||
            (chosen < 0 && select == 0 && app.drives[i].type == 1 &&
             holdsMedium(app.drives[i].letter)))
            chosen = static_cast<int>(i);
    }
    SendMessageW(app.driveBox, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(win32::toWide(kQuarantineViewName).c_str()));
    if (quarantine) {
        SendMessageW(app.driveBox, CB_SETCURSEL, app.drives.size(), 0);
        showQuarantine();
        return;
    }
    // The drive shown before has gone (a stick pulled out): the one shown now is another.
    const bool selectGone = select != 0 && (chosen < 0 || app.drives[chosen].letter != select);
    if (chosen < 0 && !app.drives.empty()) chosen = 0;
    SendMessageW(app.driveBox, CB_SETCURSEL, chosen, 0);
    if (chosen < 0) return;
    const std::string root{app.drives[chosen].letter, ':', '\\'};
    if (selectGone) {
        tell("“" + std::string{select, ':', '\\'} + "”已不在，U盘可能已拔出。\r\n现在显示“" + root +
                 "”。",
             false);
    }
    if (folder.size() > root.size() && folder.starts_with(root) && showFolder(folder)) return;
    showFolder(root);
}

// The line chosen in a list of `count` lines, or -1 (the user is told to choose one).
int selectedLine(std::size_t count) {
    int i = ListView_GetNextItem(app.list, -1, LVNI_SELECTED);
    if (i < 0 || i >= static_cast<int>(count)) {
        tell("请先在列表中选择一项。", false);
        return -1;
    }
    return i;
}

const Entry* selected() {
    if (!folderReady()) return nullptr;
    int i = selectedLine(app.load.entries().size());
    return i < 0 ? nullptr : &app.load.entries()[i];
}

bool confirmed(const std::string& question) {
    return messageBox(question, L"提示", MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void recoverSelected() {
    int i = selectedLine(app.quarantine.size());
    if (i < 0) return;
    Told told = app.quarantine.restore(i, [](const std::string& path) {
        return confirmed("“" + qv::worms::visibleText(path) +
                         "”处已有文件。\r\n要用隔离区中的副本替换它吗？" +
                         "（现有的文件将移入隔离区）");
    });
    showQuarantine();
    if (!told.text.empty()) tell(told.text, told.error);
}

void purgeSelected() {
    int i = selectedLine(app.quarantine.size());
    if (i < 0) return;
    if (!confirmed("确定要彻底删除“" + app.quarantine.pathOf(i) + "”在隔离区中的副本吗？" +
                   "删除后无法恢复。"))
        return;
    Told told = app.quarantine.purge(i);
    showQuarantine();
    if (told.error) tell(told.text, true);
}

void openSelected() {
    const Entry* e = selected();
    if (!e) return;
    if (!e->isFolder())
        return tell("“" + qv::worms::visibleText(e->name) + "”不是文件夹。文件浏览器不运行文件。",
                    false);
    if (e->isLink())
        return tell(
            "“" + qv::worms::visibleText(e->name) + "”是链接或交接点，可能通向本盘以外，不予打开。",
            true);
    if (isReservedDeviceName(e->name))
        return tell("“" + qv::worms::visibleText(e->name) + "”是系统设备名，不予打开。", true);
    showFolder(childPath(app.load.folder(), e->name));
}

// The drive list and the buttons answer again (or not while "全部还原" goes on).
void enableControls(bool enabled) {
    EnableWindow(app.driveBox, enabled);
    for (auto [id, button] : app.buttons) EnableWindow(button, enabled);
}

// One piece of "全部还原"; at its end the root is shown again and the report told.
void restorePiece() {
    if (!app.restoring) return;
    RestoreAllRun& run = *app.restoring;
    const bool more = run.step(app.files, kFoldersPerPiece);
    SetWindowTextW(app.status, win32::toWide("正在还原隐藏的文件夹（" + std::to_string(run.done()) +
                                             "/" + std::to_string(run.total()) + "）……")
                                   .c_str());
    if (more) return;
    KillTimer(app.window, kRestoreTimer);
    RestoreAllReport report = std::move(run.report());
    const std::string root = run.root();
    app.restoring.reset();
    enableControls(true);
    showFolder(root);
    tell(describe(report), !report.failures.empty());
}

void command(int id) {
    switch (id) {
        case kUp:
            showFolder(parentPath(app.load.folder()));
            break;
        case kOpen:
            openSelected();
            break;
        case kRefresh: {
            // The folder shown stays, read afresh.
            const std::string folder = app.load.folder();
            fillDrives(folder.empty() ? 0 : folder[0], app.inQuarantine, folder);
            break;
        }
        case kRecover:
            recoverSelected();
            break;
        case kPurge:
            purgeSelected();
            break;
        case kRestore:
            if (const Entry* e = selected()) {
                std::string folder = app.load.folder(), name = e->name;
                qv::Status r = restore(app.files, folder, *e);
                showFolder(folder);
                if (r.ok())
                    tell("已还原“" + qv::worms::visibleText(name) + "”：隐藏和系统属性已清除。",
                         false);
                else
                    tell("无法还原“" + qv::worms::visibleText(name) + "”：" + r.description(),
                         true);
            }
            break;
        case kDelete:
            if (const Entry* e = selected()) {
                std::string folder = app.load.folder();
                if (e->isFolder() || e->isLink()) {  // refused at once, never asked about
                    Told refused = deleteEntry(app.removal, folder, *e);
                    tell(refused.text, refused.error);
                    break;
                }
                if (!confirmed("确定要删除文件“" + qv::worms::visibleText(e->name) + "”吗？") ||
                    !stickStillShown())
                    break;
                Told told = deleteEntry(app.removal, folder, *e);
                showFolder(folder);
                tell(told.text, told.error);
            }
            break;
        case kRestoreAll: {
            if (!folderReady()) break;
            std::string root = app.load.folder();
            if (!isDriveRoot(root)) {
                tell("“全部还原”只用于磁盘的根目录。", false);
                break;
            }
            const std::string windows = qv::win32::windowsFolder();
            const RestoreAllStart start =
                restoreAllStart(root, driveTypeOf(root[0]), windows.empty() ? 0 : windows[0]);
            if (start.action == RestoreAllStart::Action::Refuse) {
                tell(start.text, false);
                break;
            }
            if (start.action == RestoreAllStart::Action::Ask &&
                (!confirmed(start.text) || !stickStillShown())) {
                break;
            }
            app.restoring.emplace(root, app.load.entries());
            enableControls(false);
            app.restoring->report().unread = app.load.interruption();
            SetTimer(app.window, kRestoreTimer, USER_TIMER_MINIMUM, nullptr);
            restorePiece();
            break;
        }
    }
}

void cellText(NMLVDISPINFOW* info) {
    if (!(info->item.mask & LVIF_TEXT)) return;
    if (app.inQuarantine) {
        if (info->item.iItem >= static_cast<int>(app.quarantine.size()) ||
            info->item.iSubItem >= kQuarantineColumns)
            return;
        app.cell = win32::toWide(app.quarantine.cell(
            info->item.iItem, static_cast<QuarantineColumn>(info->item.iSubItem)));
        info->item.pszText = app.cell.data();
        return;
    }
    const std::vector<Entry>& entries = app.load.entries();
    if (info->item.iItem >= static_cast<int>(entries.size())) return;
    std::size_t i = static_cast<std::size_t>(info->item.iItem);
    const Entry& e = entries[i];
    Mark mark = i < app.load.marks().size() ? app.load.marks()[i] : Mark::None;
    switch (info->item.iSubItem) {
        case 0:
            app.cell = win32::toWide(qv::worms::visibleText(e.name));
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
                       : mark == Mark::WormShortcut   ? L"病毒快捷方式"
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
            // While "全部还原" goes on, nothing else starts.
            if (app.restoring) return 0;
            if (LOWORD(wp) == kDrives && HIWORD(wp) == CBN_SELCHANGE) {
                int i = static_cast<int>(SendMessageW(app.driveBox, CB_GETCURSEL, 0, 0));
                if (i >= 0 && i < static_cast<int>(app.drives.size()))
                    showFolder(std::string{app.drives[i].letter, ':', '\\'});
                else if (i == static_cast<int>(app.drives.size()))
                    showQuarantine();
            } else if (HIWORD(wp) == BN_CLICKED) {
                command(LOWORD(wp));
            }
            return 0;
        case WM_NOTIFY: {
            auto* hdr = reinterpret_cast<NMHDR*>(lp);
            if (hdr->idFrom != kList) break;
            if (hdr->code == LVN_GETDISPINFOW) cellText(reinterpret_cast<NMLVDISPINFOW*>(lp));
            if (hdr->code == NM_DBLCLK && !app.inQuarantine && !app.restoring) openSelected();
            if (hdr->code == NM_CUSTOMDRAW && !app.inQuarantine) {
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
        case WM_DEVICECHANGE:
            // Windows sends every top-level window this broadcast when a volume comes or goes
            // (DBT_DEVICEARRIVAL, DBT_DEVICEREMOVECOMPLETE; learn.microsoft.com/windows/win32/
            // devio/wm-devicechange). The drive list is refilled from the queue, never inside
            // the broadcast, as "刷新" refills it: a drive shown that went is told of.
            if ((wp == DBT_DEVICEARRIVAL || wp == DBT_DEVICEREMOVECOMPLETE) && lp &&
                reinterpret_cast<const DEV_BROADCAST_HDR*>(lp)->dbch_devicetype ==
                    DBT_DEVTYP_VOLUME &&
                !app.drivesChangedPending) {
                app.drivesChangedPending = PostMessageW(w, kDrivesChanged, 0, 0) != FALSE;
            }
            return TRUE;
        case kDrivesChanged:
            // Posted again when the last message box closes, or after "全部还原", whose
            // end shows the root afresh anyway.
            if (app.openBoxes > 0 || app.restoring) return 0;
            app.drivesChangedPending = false;
            command(kRefresh);
            return 0;
        case WM_TIMER:
            if (wp == kReadTimer && !app.inQuarantine) readPiece();
            if (wp == kRestoreTimer) restorePiece();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

HWND child(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int cx, int cy,
           int id, HFONT font) {
    HWND h = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, px(x), px(y), px(cx),
                             px(cy), app.window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleW(nullptr), nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    return h;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    qv::win32::searchLibrariesInSystemFolderOnly();
    // The common controls (the list) are loaded from the system folder, never imported: the
    // library is no known DLL, so an import would be looked for beside the program first,
    // where a worm may have put one on the stick a copy runs from. Kept for the process.
    qv::win32::UniqueModule commonControls = qv::win32::systemLibrary(L"comctl32.dll");
    BOOL(WINAPI * initCommonControls)(const INITCOMMONCONTROLSEX*) = nullptr;
    qv::win32::bindProc(commonControls.get(), "InitCommonControlsEx", initCommonControls);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    if (!initCommonControls || !initCommonControls(&icc)) return 1;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    qv::win32::setProgramIcon(wc);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"QVFiledir";
    RegisterClassExW(&wc);
    // Laid out for 96 dots per inch and grown with the screen's, as far as the work area
    // holds it (the program declares itself aware of the system's DPI, so Windows does not
    // stretch its bitmap).
    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    constexpr int kWidth = 710, kHeight = 452;
    app.dpi = qv::win32::layoutDpi(kWidth, kHeight, kStyle);
    RECT frame{0, 0, px(kWidth), px(kHeight)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const POINT at = qv::win32::centredOnWorkArea(width, height);
    app.window = CreateWindowExW(0, wc.lpszClassName, L"QVu盘卫士 - 文件浏览器", kStyle, at.x, at.y,
                                 width, height, nullptr, nullptr, instance, nullptr);
    if (!app.window) return 1;
    qv::win32::UniqueFont font = qv::win32::formFont(app.dpi);
    child(L"STATIC", L"磁盘：", 0, 10, 14, 40, 16, 0, font.get());
    app.driveBox = child(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 50, 10, 150,
                         300, kDrives, font.get());
    app.buttons.push_back(
        {kUp, child(L"BUTTON", L"上一级", WS_TABSTOP, 210, 9, 60, 24, kUp, font.get())});
    app.path = child(L"EDIT", L"", ES_READONLY | ES_AUTOHSCROLL | WS_BORDER, 280, 10, 420, 22,
                     kPath, font.get());
    app.list = child(
        WC_LISTVIEWW, L"",
        LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP, 10,
        40, 690, 340, kList, font.get());
    ListView_SetExtendedListViewStyle(app.list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    app.status = child(L"STATIC", L"", 0, 10, 388, 690, 18, kStatus, font.get());
    // The quarantine's two buttons take the places of the first two of the folder view.
    for (auto [id, text, x] :
         {std::tuple{kOpen, L"打开", 10}, std::tuple{kRestore, L"还原", 120},
          std::tuple{kRestoreAll, L"全部还原", 230}, std::tuple{kDelete, L"删除文件", 340},
          std::tuple{kRefresh, L"刷新", 450}, std::tuple{kRecover, L"恢复", 10},
          std::tuple{kPurge, L"彻底删除", 120}}) {
        app.buttons.push_back(
            {id, child(L"BUTTON", text, WS_TABSTOP, x, 414, 100, 28, id, font.get())});
    }
    showView(false);
    // Shown before the first drive is read, so that a drive that cannot be opened is
    // told over the browser's own window.
    ShowWindow(app.window, show);
    UpdateWindow(app.window);
    fillDrives(0);
    qv::win32::runMessageLoop(app.window);
    return 0;
}
