// Pifushe.exe: the skin changer. Lists the skins of the "skins" folder beside the program,
// shows each as a miniature of the guard's main window, and applies the chosen one by
// putting it in place of Pifu.she in the data folder, which is the guard's (both work it
// out with the same code, common/win32/Folders.h): the guard wears the Pifu.she of its data
// folder, or the one shipped beside it while there is none. Single-threaded; every failure
// is told with the system's text.

#include <windows.h>

#include <optional>
#include <string>

#include "common/folders/DataFolder.h"
#include "common/win32/Folders.h"
#include "common/win32/Gdi.h"
#include "common/win32/MessageLoop.h"
#include "common/win32/ProgramIcon.h"
#include "common/win32/Screen.h"
#include "common/win32/SystemLibraries.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"
#include "pifushe/catalog/SkinApply.h"
#include "pifushe/catalog/SkinCatalog.h"
#include "pifushe/win32/SkinPreview.h"
#include "pifushe/win32/Win32SkinFiles.h"

namespace {

using namespace qv::pifushe;
using qv::win32::toWide;

constexpr wchar_t kWindowClass[] = L"QVPifushe";
constexpr wchar_t kPreviewClass[] = L"QVPifushePreview";
enum Id { kList = 100, kPreview, kStatus, kApply, kClose };

struct Changer {
    win32::Win32SkinFiles files;
    std::string programFolder;
    std::string dataFolder;
    std::string skinsFolder;
    Catalog catalog;
    int current = -1;  // the entry Pifu.she holds now
    int dpi = 96;
    HWND window = nullptr, list = nullptr, preview = nullptr, status = nullptr, apply = nullptr;
} app;

int px(int pixelsAt96) {
    return MulDiv(pixelsAt96, app.dpi, 96);
}

int selection() {
    int i = static_cast<int>(SendMessageW(app.list, LB_GETCURSEL, 0, 0));
    return i >= 0 && i < static_cast<int>(app.catalog.skins.size()) ? i : -1;
}

void tell(const std::string& text, bool error) {
    MessageBoxW(app.window, toWide(text).c_str(), error ? L"错误" : L"提示",
                MB_OK | (error ? MB_ICONERROR : MB_ICONINFORMATION));
}

void showSelection() {
    int i = selection();
    const SkinEntry* e = i >= 0 ? &app.catalog.skins[i] : nullptr;
    EnableWindow(app.apply, e && !e->damaged());
    InvalidateRect(app.preview, nullptr, FALSE);
    std::string text;
    if (!app.catalog.error.empty()) {
        text = "无法打开皮肤文件夹“" + app.skinsFolder + "”：" + app.catalog.error;
    } else if (app.catalog.skins.empty()) {
        text = "皮肤文件夹“" + app.skinsFolder + "”中没有皮肤文件（*.she）。";
    } else if (e && e->damaged()) {
        text = "“" + e->file + "”已损坏：" + e->problem;
    } else if (e) {
        text =
            std::string(kSkinsFolder) + "\\" + e->file + (i == app.current ? "（正在使用）" : "");
    }
    if (app.catalog.truncated) text += "  只列出前 " + std::to_string(kMaxListedSkins) + " 个。";
    SetWindowTextW(app.status, toWide(text).c_str());
}

// Lists the skins anew and finds the one Pifu.she holds; keeps the selection by file.
void refresh() {
    std::string selected;
    if (int i = selection(); i >= 0) selected = app.catalog.skins[i].file;
    app.catalog = listSkins(app.files, app.skinsFolder);
    std::string bytes;
    std::optional<qv::skin::Theme> inUse;
    if (app.files.read(app.dataFolder, kGuardSkinFile, qv::skin::kMaxSkinBytes + 1, bytes).ok() ||
        app.files.read(app.programFolder, kGuardSkinFile, qv::skin::kMaxSkinBytes + 1, bytes).ok())
        inUse = themeOf(bytes);
    app.current = indexOfTheme(app.catalog, inUse);

    SendMessageW(app.list, LB_RESETCONTENT, 0, 0);
    int chosen = app.current >= 0 ? app.current : 0;
    for (std::size_t i = 0; i < app.catalog.skins.size(); ++i) {
        const SkinEntry& e = app.catalog.skins[i];
        std::string text = e.name;
        if (e.damaged()) text += "（已损坏）";
        if (static_cast<int>(i) == app.current) text += "（当前）";
        SendMessageW(app.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(text).c_str()));
        if (!selected.empty() && e.file == selected) chosen = static_cast<int>(i);
    }
    if (!app.catalog.skins.empty()) SendMessageW(app.list, LB_SETCURSEL, chosen, 0);
    showSelection();
}

void applySelected() {
    int i = selection();
    if (i < 0) return tell("请先在列表中选择一个皮肤。", false);
    SkinEntry entry = app.catalog.skins[i];
    // The guard makes its data folder when it starts; the skin changer may come first.
    qv::Status r = qv::win32::makeFolder(app.dataFolder);
    if (!r.ok())
        r = qv::Status::failure("无法创建数据文件夹“" + app.dataFolder + "”：" + r.description());
    if (r.ok()) r = applySkin(app.files, {app.skinsFolder, app.dataFolder}, entry);
    refresh();
    if (r.ok())
        tell(appliedMessage(entry.name), false);
    else
        tell("无法应用皮肤“" + entry.name + "”：" + r.description(), true);
}

LRESULT CALLBACK previewProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(w, &ps);
            RECT client;
            GetClientRect(w, &client);
            int i = selection();
            const SkinEntry* e = i >= 0 ? &app.catalog.skins[i] : nullptr;
            qv::win32::paintOffscreen(dc, client, [&](HDC off, const RECT& area) {
                win32::paintPreview(off, area, e && e->theme ? &*e->theme : nullptr,
                                    previewNotice(app.catalog, e), app.dpi);
            });
            EndPaint(w, &ps);
            return 0;
        }
    }
    return DefWindowProcW(w, msg, wp, lp);
}

LRESULT CALLBACK windowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            if (LOWORD(wp) == kList && HIWORD(wp) == LBN_SELCHANGE) showSelection();
            if (LOWORD(wp) == kApply && HIWORD(wp) == BN_CLICKED) applySelected();
            if ((LOWORD(wp) == kClose || LOWORD(wp) == IDCANCEL) && HIWORD(wp) == BN_CLICKED)
                DestroyWindow(w);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

HWND child(const wchar_t* cls, const wchar_t* text, DWORD style, DWORD exStyle, RECT at, int id,
           HFONT font) {
    HWND h = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, px(at.left),
                             px(at.top), px(at.right), px(at.bottom), app.window,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleW(nullptr), nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    return h;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    qv::win32::searchLibrariesInSystemFolderOnly();
    app.programFolder = qv::win32::programFolder();
    if (app.programFolder.empty()) {
        MessageBoxW(nullptr, L"无法确定皮肤更换器所在的文件夹。", L"错误", MB_OK | MB_ICONERROR);
        return 1;
    }
    app.dataFolder = qv::win32::dataFolder();
    app.skinsFolder = qv::folders::inFolder(app.programFolder, kSkinsFolder);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    qv::win32::setProgramIcon(wc);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);
    WNDCLASSW pc{};
    pc.lpfnWndProc = previewProc;
    pc.hInstance = instance;
    pc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    pc.lpszClassName = kPreviewClass;
    RegisterClassW(&pc);

    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    constexpr int kWidth = 740, kHeight = 478;
    app.dpi = qv::win32::layoutDpi(kWidth, kHeight, kStyle);
    RECT frame{0, 0, px(kWidth), px(kHeight)};
    AdjustWindowRect(&frame, kStyle, FALSE);
    // Centred on the work area, as QVuninst's window is.
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const POINT at = qv::win32::centredOnWorkArea(width, height);
    app.window = CreateWindowExW(0, kWindowClass, L"QVu盘卫士 - 皮肤更换器", kStyle, at.x, at.y,
                                 width, height, nullptr, nullptr, instance, nullptr);
    if (!app.window) return 1;
    // The forms' font: 9 point 宋体.
    qv::win32::UniqueFont font = qv::win32::formFont(app.dpi);
    child(L"STATIC", L"皮肤：", 0, 0, {12, 12, 210, 16}, 0, font.get());
    app.list = child(L"LISTBOX", L"", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                     WS_EX_CLIENTEDGE, {12, 32, 210, 406}, kList, font.get());
    child(L"STATIC", L"预览（QVu盘卫士的主窗口）：", 0, 0, {234, 12, 494, 16}, 0, font.get());
    app.preview =
        child(kPreviewClass, L"", 0, WS_EX_CLIENTEDGE, {234, 32, 494, 406}, kPreview, font.get());
    app.status = child(L"STATIC", L"", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, {12, 448, 500, 18},
                       kStatus, font.get());
    app.apply = child(L"BUTTON", L"应用", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, {540, 442, 88, 28},
                      kApply, font.get());
    child(L"BUTTON", L"关闭", WS_TABSTOP, 0, {640, 442, 88, 28}, kClose, font.get());

    refresh();
    ShowWindow(app.window, show);
    SetFocus(app.list);
    qv::win32::runMessageLoop(app.window);
    return 0;
}
