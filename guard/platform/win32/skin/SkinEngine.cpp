#include "guard/platform/win32/skin/SkinEngine.h"

#include <windows.h>

#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <tuple>

#include "common/win32/FittedCaption.h"
#include "common/win32/Gdi.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"
#include "guard/platform/win32/CommonControls.h"
#include "guard/platform/win32/skin/SkinPalette.h"

namespace qv::win32::skin {

namespace {

constexpr UINT_PTR kContainerSubclass = 0x51565331;  // parents that draw skinned buttons
constexpr UINT_PTR kCreationSubclass = 0x51565332;   // skins a window once it is created
constexpr UINT_PTR kButtonSubclass = 0x51565333;     // keeps a skinned button owner-drawn
constexpr wchar_t kSkinnedButton[] = L"QvSkinButton";
constexpr wchar_t kFormClass[] = L"QvForm";
constexpr wchar_t kDialogClass[] = L"#32770";

std::wstring className(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

bool isPushButton(HWND hwnd) {
    if (lstrcmpiW(className(hwnd).c_str(), L"BUTTON") != 0) return false;
    LONG_PTR type = GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

// GDI objects of the skin, made once per colour or font and kept for the run: windows
// may be painted with them at any time.
HBRUSH brush(COLORREF colour) {
    static std::map<COLORREF, UniqueBrush> brushes;
    UniqueBrush& b = brushes[colour];
    if (!b) b.reset(CreateSolidBrush(colour));
    return b.get();
}

HFONT skinFont(const qv::skin::SkinFont& f, HWND like) {
    static std::map<std::tuple<std::string, int, bool>, UniqueFont> fonts;
    if (f.face.empty()) return reinterpret_cast<HFONT>(SendMessageW(like, WM_GETFONT, 0, 0));
    UniqueFont& font = fonts[{f.face, static_cast<int>(std::lround(f.points * 100)), f.bold}];
    if (!font) {
        std::wstring face = toWide(f.face);
        int dpi = 96;
        if (UniqueScreenDc screen(GetDC(nullptr)); screen) {
            dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
        }
        font.reset(CreateFontW(-static_cast<int>(std::lround(f.points * dpi / 72.0)), 0, 0, 0,
                               f.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
    }
    return font.get();
}

// A button's caption stays inside its border, in pixels.
constexpr int kButtonTextMargin = 1;
void drawButton(const DRAWITEMSTRUCT& d) {
    const qv::skin::Theme* t = activeTheme();
    if (!t) return;
    bool pressed = d.itemState & ODS_SELECTED;
    bool disabled = d.itemState & ODS_DISABLED;
    bool focused = d.itemState & ODS_FOCUS;
    RECT r = d.rcItem;
    FillRect(d.hDC, &r, brush(pressed ? t->buttonPressed : t->buttonFace));
    FrameRect(d.hDC, &r, brush(t->buttonBorder));
    if (focused) {
        RECT inner = r;
        InflateRect(&inner, -1, -1);
        FrameRect(d.hDC, &inner, brush(t->buttonBorder));
    }

    int length = GetWindowTextLengthW(d.hwndItem);
    std::wstring caption(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
    caption.resize(
        static_cast<size_t>(std::max(GetWindowTextW(d.hwndItem, caption.data(), length + 1), 0)));
    SetBkMode(d.hDC, TRANSPARENT);
    SetTextColor(d.hDC, disabled ? GetSysColor(COLOR_GRAYTEXT) : t->buttonText);
    RECT text = r;
    InflateRect(&text, -kButtonTextMargin, -kButtonTextMargin);
    if (pressed) OffsetRect(&text, 1, 1);
    drawFittedCaption(d.hDC, caption, text, skinFont(t->buttonFont, d.hwndItem));
}

// A window whose push buttons the engine draws, and (a dialog) whose surface it colours.
LRESULT CALLBACK containerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    const qv::skin::Theme* t = activeTheme();
    switch (msg) {
        case WM_DRAWITEM: {
            auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            if (t && d && d->CtlType == ODT_BUTTON && GetPropW(d->hwndItem, kSkinnedButton)) {
                drawButton(*d);
                return TRUE;
            }
            break;
        }
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            // The window host colours its own forms' controls from the palette; dialogs of
            // the system (message boxes) are coloured here.
            if (t && className(hwnd) == kDialogClass) {
                HDC dc = reinterpret_cast<HDC>(wp);
                SetTextColor(dc, t->windowText);
                SetBkColor(dc, t->windowFace);
                return reinterpret_cast<LRESULT>(brush(t->windowFace));
            }
            break;
        case WM_NCDESTROY:
            common_controls::removeWindowSubclass(hwnd, containerProc, kContainerSubclass);
            break;
        default:
            break;
    }
    return common_controls::defSubclassProc(hwnd, msg, wp, lp);
}

// The dialog manager switches buttons between push and default push style when the
// default button changes; a skinned button stays drawn by the skin.
LRESULT CALLBACK buttonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == BM_SETSTYLE) {
        wp = (wp & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW;
    } else if (msg == WM_NCDESTROY) {
        common_controls::removeWindowSubclass(hwnd, buttonProc, kButtonSubclass);
    }
    return common_controls::defSubclassProc(hwnd, msg, wp, lp);
}

void skinButton(HWND button) {
    if (GetPropW(button, kSkinnedButton)) return;
    SetPropW(button, kSkinnedButton, reinterpret_cast<HANDLE>(1));
    common_controls::setWindowSubclass(button, buttonProc, kButtonSubclass, 0);
    LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
    SetWindowLongPtrW(button, GWL_STYLE,
                      (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
    if (HWND parent = GetParent(button)) {
        common_controls::setWindowSubclass(parent, containerProc, kContainerSubclass, 0);
    }
    InvalidateRect(button, nullptr, TRUE);
}

void skinWindow(HWND hwnd) {
    std::wstring cls = className(hwnd);
    if (cls == kFormClass || cls == kDialogClass) {
        common_controls::setWindowSubclass(hwnd, containerProc, kContainerSubclass, 0);
    } else if (isPushButton(hwnd)) {
        skinButton(hwnd);
    }
}

// Skins a new window once its creation is complete (its style and parent are final).
LRESULT CALLBACK creationProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    LRESULT result = common_controls::defSubclassProc(hwnd, msg, wp, lp);
    if (msg == WM_CREATE || msg == WM_NCDESTROY) {
        common_controls::removeWindowSubclass(hwnd, creationProc, kCreationSubclass);
        if (msg == WM_CREATE && result != -1 && activeTheme()) skinWindow(hwnd);
    }
    return result;
}

HHOOK& creationHook() {
    static HHOOK hook = nullptr;
    return hook;
}

BOOL CALLBACK skinTopWindow(HWND top, LPARAM);

LRESULT CALLBACK cbtProc(int code, WPARAM wp, LPARAM lp) {
    // A message box is made by the system's own dialog code, which sets its buttons up
    // after they were created; it is skinned as a whole when it is about to be activated.
    if (code == HCBT_ACTIVATE && activeTheme()) {
        auto hwnd = reinterpret_cast<HWND>(wp);
        if (className(hwnd) == kDialogClass) skinTopWindow(hwnd, 0);
    }
    if (code == HCBT_CREATEWND) {
        auto hwnd = reinterpret_cast<HWND>(wp);
        std::wstring cls = className(hwnd);
        if (cls == kFormClass || cls == kDialogClass || lstrcmpiW(cls.c_str(), L"BUTTON") == 0) {
            common_controls::setWindowSubclass(hwnd, creationProc, kCreationSubclass, 0);
        }
    }
    return CallNextHookEx(creationHook(), code, wp, lp);
}

BOOL CALLBACK skinChild(HWND child, LPARAM) {
    skinWindow(child);
    return TRUE;
}

BOOL CALLBACK skinTopWindow(HWND top, LPARAM) {
    std::wstring cls = className(top);
    if (cls != kFormClass && cls != kDialogClass) return TRUE;
    skinWindow(top);
    EnumChildWindows(top, skinChild, 0);
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    return TRUE;
}

std::optional<std::string> readSkinFile(const char* name) {
    std::wstring wide = toWide(name, CP_ACP);
    if (wide.empty()) return std::nullopt;
    UniqueFile file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > qv::skin::kMaxSkinBytes) {
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size())) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

bool applySkin(const qv::skin::Theme& theme) {
    // Skinned windows are subclassed through the common-controls library.
    if (!common_controls::load()) return false;
    setActiveTheme(theme);
    if (!creationHook()) {
        creationHook() = SetWindowsHookExW(WH_CBT, cbtProc, nullptr, GetCurrentThreadId());
    }
    EnumThreadWindows(GetCurrentThreadId(), skinTopWindow, 0);
    return true;
}

}  // namespace qv::win32::skin

extern "C" int __stdcall SkinH_AttachEx(const char* skinFile, const char* /*password*/) {
    if (!skinFile) return 0;
    std::optional<std::string> bytes = qv::win32::skin::readSkinFile(skinFile);
    if (!bytes) return 0;
    std::optional<qv::skin::Theme> theme = qv::skin::readSkin(*bytes);
    if (!theme) return 0;
    return qv::win32::skin::applySkin(*theme) ? 1 : 0;
}
