// The controls' windows: which window shows each kind of control, keeping each window in
// step with its control, and feeding the user's actions on standard controls back into
// the model.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "common/win32/Text.h"
#include "guard/platform/win32/CommonControls.h"
#include "guard/platform/win32/host/Colours.h"
#include "guard/platform/win32/host/HandCursor.h"
#include "guard/platform/win32/host/Layout.h"
#include "guard/platform/win32/host/Win32Host.h"

namespace qv::win32 {

namespace {

// The forms' default font: 宋体 (SimSun) 9 pt with the GB2312 character set.
constexpr wchar_t kDefaultFace[] = L"宋体";
constexpr double kDefaultPoints = 9;

// A drop-down list is as tall as its edit field plus the list it drops.
constexpr int kDropDownPixels = 160;

// Marks the host's own changes to windows, whose notifications must not reach the model.
class Quiet {
public:
    explicit Quiet(int& counter) : counter_(counter) { ++counter_; }
    ~Quiet() { --counter_; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

private:
    int& counter_;
};

bool paintedByHost(ui::ControlKind kind) {
    return kind == ui::ControlKind::Label || kind == ui::ControlKind::Image ||
           kind == ui::ControlKind::Frame || kind == ui::ControlKind::Shape;
}

std::wstring windowText(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(std::max(n, 0)) + 1, L'\0');
    n = GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(std::max(n, 0)));
    return text;
}

// A multi-line edit window breaks lines only at CR LF.
std::wstring editText(const ui::TextBox& box) {
    std::wstring text = toWide(box.text());
    if (!box.multiLine()) return text;
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r')) out += L'\r';
        out += text[i];
    }
    return out;
}

// A folder list shows the last part of each path.
std::wstring leafName(const std::string& path) {
    std::wstring wide = toWide(path);
    while (wide.size() > 3 && (wide.back() == L'\\' || wide.back() == L'/')) wide.pop_back();
    size_t cut = wide.find_last_of(L"\\/");
    if (cut == std::wstring::npos || cut + 1 >= wide.size()) return wide;
    return wide.substr(cut + 1);
}

int checkState(int value) {
    if (value == 1) return BST_CHECKED;
    if (value == 2) return BST_INDETERMINATE;
    return BST_UNCHECKED;
}

HCURSOR handCursor() {
    static HCURSOR hand = createHandCursor(GetModuleHandleW(nullptr));
    return hand ? hand : LoadCursorW(nullptr, IDC_HAND);
}

}  // namespace

// ---- records ----------------------------------------------------------------------------

bool Win32Host::alive(const ControlRecord& c) {
    const auto& controls = c.owner->form->controls();
    return std::find(controls.begin(), controls.end(), c.control) != controls.end();
}

Win32Host::ControlRecord* Win32Host::liveControl(HWND child) const {
    HWND parent = GetParent(child);
    for (const auto& [form, r] : forms_) {
        if (r->hwnd != parent || !parent) continue;
        auto it = r->byWindow.find(child);
        if (it == r->byWindow.end() || !alive(*it->second)) return nullptr;
        return it->second;
    }
    return nullptr;
}

Win32Host::ControlRecord* Win32Host::liveOwnControl(HWND hwnd) {
    auto* c = reinterpret_cast<ControlRecord*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return c && alive(*c) ? c : nullptr;
}

// ---- creation and layout ----------------------------------------------------------------

void Win32Host::createControls(FormRecord& r) {
    // Windows of controls that no longer exist go first.
    for (auto it = r.controls.begin(); it != r.controls.end();) {
        ControlRecord& c = **it;
        if (alive(c)) {
            ++it;
            continue;
        }
        if (c.hwnd) {
            SetWindowLongPtrW(c.hwnd, GWLP_USERDATA, 0);
            RemovePropW(c.hwnd, kNameProperty);
            if (c.name) GlobalDeleteAtom(c.name);
            r.byWindow.erase(c.hwnd);
            DestroyWindow(c.hwnd);
        }
        r.byControl.erase(c.control);
        it = r.controls.erase(it);
    }

    std::vector<ui::Control*> order = stackingOrder(*r.form);
    std::vector<ControlRecord*> added;
    for (ui::Control* control : order) {
        if (r.byControl.count(control)) continue;
        auto c = std::make_unique<ControlRecord>();
        c->host = this;
        c->owner = &r;
        c->control = control;
        r.byControl[control] = c.get();
        added.push_back(c.get());
        r.controls.push_back(std::move(c));
        createControlWindow(r, *added.back(), r.nextId++);
        if (added.back()->hwnd) r.byWindow[added.back()->hwnd] = added.back();
    }
    if (added.empty()) return;

    // Keep the records in stacking order, bottom first.
    std::vector<std::unique_ptr<ControlRecord>> sorted;
    sorted.reserve(r.controls.size());
    for (ui::Control* control : order) {
        auto it = std::find_if(r.controls.begin(), r.controls.end(),
                               [control](const auto& c) { return c && c->control == control; });
        if (it != r.controls.end()) sorted.push_back(std::move(*it));
    }
    r.controls = std::move(sorted);
    restack(r);
    updateVisibility(r);
    for (ControlRecord* c : added) updateToolTip(r, *c);
}

void Win32Host::createControlWindow(FormRecord& r, ControlRecord& c, int id) {
    const ui::Control& control = *c.control;
    const wchar_t* cls = nullptr;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD ex = 0;
    std::wstring text;
    switch (control.kind()) {
        case ui::ControlKind::CheckBox:
            cls = L"BUTTON";
            style |= BS_3STATE | BS_MULTILINE | WS_TABSTOP;  // never ticks itself
            text = toWide(control.caption());
            break;
        case ui::ControlKind::OptionButton:
            cls = L"BUTTON";
            style |= BS_RADIOBUTTON | BS_MULTILINE | WS_TABSTOP;  // never selects itself
            text = toWide(control.caption());
            break;
        case ui::ControlKind::CommandButton:
            cls = L"BUTTON";
            style |= BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP;
            text = toWide(control.caption());
            break;
        case ui::ControlKind::TextBox: {
            const auto& box = static_cast<const ui::TextBox&>(control);
            cls = L"EDIT";
            style |= WS_TABSTOP;
            style |=
                box.multiLine() ? ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN : ES_AUTOHSCROLL;
            if (box.scrollBars() == ui::ScrollBars::Vertical) style |= WS_VSCROLL;
            if (box.locked()) style |= ES_READONLY;
            if (box.borderStyle() == ui::Border::FixedSingle) ex |= WS_EX_CLIENTEDGE;
            break;
        }
        case ui::ControlKind::ListBox:
            cls = L"LISTBOX";
            style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
            if (control.borderStyle() == ui::Border::FixedSingle) ex |= WS_EX_CLIENTEDGE;
            break;
        case ui::ControlKind::DirList:
            cls = L"LISTBOX";
            style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
            ex |= WS_EX_CLIENTEDGE;
            break;
        case ui::ControlKind::DriveList:
            cls = L"COMBOBOX";
            style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
            break;
        case ui::ControlKind::ProgressBar:
            if (!common_controls::load()) return;
            cls = PROGRESS_CLASSW;
            break;
        case ui::ControlKind::Frame:
        case ui::ControlKind::Label:
        case ui::ControlKind::Image:
        case ui::ControlKind::Shape:
            cls = kControlClass;
            break;
        default:
            return;  // no window
    }
    RECT rc = controlRect(control);
    HWND hwnd;
    {
        Quiet quiet(quiet_);
        hwnd = CreateWindowExW(
            ex, cls, text.c_str(), style, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
            r.hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    }
    if (!hwnd) return;
    c.hwnd = hwnd;
    c.name = GlobalAddAtomW(toWide(control.name()).c_str());
    SetPropW(hwnd, kNameProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(c.name)));
    if (cls == kControlClass)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&c));
    syncAll(c);
}

// The control's window rectangle in the form's client area, in pixels.
RECT Win32Host::controlRect(const ui::Control& control) const {
    ui::Rect b = absoluteBounds(control);
    int x = toPixels(b.left), y = toPixels(b.top);
    int w = std::max(toPixels(b.width), 0), h = std::max(toPixels(b.height), 0);
    if (control.kind() == ui::ControlKind::DriveList) h += kDropDownPixels;
    return RECT{x, y, x + w, y + h};
}

void Win32Host::placeControl(ControlRecord& c) {
    if (!c.hwnd) return;
    RECT rc = controlRect(*c.control);
    SetWindowPos(c.hwnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (c.control->kind() == ui::ControlKind::Shape) updateShapeRegion(c);
}

void Win32Host::placeAll(FormRecord& r) {
    for (auto& c : r.controls) {
        if (alive(*c)) placeControl(*c);
    }
}

void Win32Host::updateVisibility(FormRecord& r) {
    for (auto& c : r.controls) {
        if (!c->hwnd || !alive(*c)) continue;
        bool show = c->control->shownInForm();
        if (show == c->shown) continue;
        c->shown = show;
        ShowWindow(c->hwnd, show ? SW_SHOWNA : SW_HIDE);
        // Host-painted controls above this one show what lies beneath them.
        if (paintedByHost(c->control->kind())) redrawArea(r, *c->control);
    }
}

void Win32Host::restack(FormRecord& r) {
    for (auto& c : r.controls) {
        if (c->hwnd) {
            SetWindowPos(c->hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

void Win32Host::redrawArea(FormRecord& r, const ui::Control& control) {
    if (!r.hwnd) return;
    RECT rc = controlRect(control);
    RedrawWindow(r.hwnd, &rc, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Win32Host::updateShapeRegion(ControlRecord& c) {
    if (!c.hwnd) return;
    const auto& shape = static_cast<const ui::Shape&>(*c.control);
    RECT rc = controlRect(shape);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    int t = std::max(shape.borderWidth(), 1);
    HRGN region = CreateRectRgn(0, 0, w, h);
    // An outline only: what lies inside the rectangle stays visible and clickable.
    if (shape.fillStyle() == ui::FillStyle::Transparent && w > 2 * t && h > 2 * t) {
        HRGN inside = CreateRectRgn(t, t, w - t, h - t);
        CombineRgn(region, region, inside, RGN_DIFF);
        DeleteObject(inside);
    }
    SetWindowRgn(c.hwnd, region, TRUE);  // the window owns the region from now on
}

void Win32Host::ensureToolTips(FormRecord& r) {
    if (r.tooltip || !r.hwnd || !common_controls::load()) return;
    r.tooltip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, r.hwnd, nullptr, instance_, nullptr);
    if (!r.tooltip) return;
    SendMessageW(r.tooltip, TTM_SETMAXTIPWIDTH, 0, toPixels(6000));
    for (auto& c : r.controls) updateToolTip(r, *c);
}

void Win32Host::updateToolTip(FormRecord& r, ControlRecord& c) {
    if (!r.tooltip || !c.hwnd || c.control->kind() == ui::ControlKind::Shape) return;
    std::wstring text = toWide(c.control->toolTip());
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = r.hwnd;
    info.uId = reinterpret_cast<UINT_PTR>(c.hwnd);
    info.lpszText = text.data();
    if (text.empty()) {
        if (c.hasTip) SendMessageW(r.tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        c.hasTip = false;
    } else if (c.hasTip) {
        SendMessageW(r.tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    } else {
        c.hasTip = SendMessageW(r.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

// ---- model -> window --------------------------------------------------------------------

void Win32Host::controlChanged(ui::Control& control, ui::Property property) {
    if (!hasWindow(control.kind())) return;
    FormRecord* r = find(control.form());
    if (!r || !r->hwnd) return;  // the window reads everything when it is made
    auto it = r->byControl.find(&control);
    if (it == r->byControl.end()) {
        createControls(*r);  // a control made after its form's window
        return;
    }
    if (it->second->hwnd) syncControl(*it->second, property);
}

void Win32Host::syncAll(ControlRecord& c) {
    SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font(c.control->font())), FALSE);
    EnableWindow(c.hwnd, c.control->enabled());
    for (ui::Property p :
         {ui::Property::Text, ui::Property::Value, ui::Property::Items, ui::Property::Range}) {
        syncControl(c, p);
    }
    if (c.control->kind() == ui::ControlKind::TextBox) {
        int limit = static_cast<const ui::TextBox&>(*c.control).maxLength();
        if (limit > 0) SendMessageW(c.hwnd, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
    }
    if (c.control->kind() == ui::ControlKind::Shape) updateShapeRegion(c);
}

void Win32Host::syncControl(ControlRecord& c, ui::Property property) {
    Quiet quiet(quiet_);
    FormRecord& r = *c.owner;
    ui::Control& control = *c.control;
    ui::ControlKind kind = control.kind();
    HWND hwnd = c.hwnd;
    switch (property) {
        case ui::Property::Caption:
            if (paintedByHost(kind))
                redrawArea(r, control);
            else
                SetWindowTextW(hwnd, toWide(control.caption()).c_str());
            break;
        case ui::Property::Text:
            if (kind == ui::ControlKind::TextBox) {
                auto& box = static_cast<ui::TextBox&>(control);
                std::wstring want = editText(box);
                if (windowText(hwnd) != want) {
                    SetWindowTextW(hwnd, want.c_str());
                    // Text replaced under the user's typing (a normalised entry): the caret
                    // goes to the end, where the next character belongs.
                    if (!box.multiLine() && GetFocus() == hwnd) {
                        SendMessageW(hwnd, EM_SETSEL, want.size(), want.size());
                    }
                }
            }
            break;
        case ui::Property::Value:
            if (kind == ui::ControlKind::CheckBox) {
                SendMessageW(hwnd, BM_SETCHECK,
                             checkState(static_cast<ui::CheckBox&>(control).value()), 0);
            } else if (kind == ui::ControlKind::OptionButton) {
                bool on = static_cast<ui::OptionButton&>(control).value();
                SendMessageW(hwnd, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
            } else if (kind == ui::ControlKind::ProgressBar) {
                SendMessageW(hwnd, PBM_SETPOS, static_cast<ui::ProgressBar&>(control).value(), 0);
            }
            break;
        case ui::Property::Range:
            if (kind == ui::ControlKind::ProgressBar) {
                auto& bar = static_cast<ui::ProgressBar&>(control);
                SendMessageW(hwnd, PBM_SETRANGE32, bar.min(), bar.max());
                SendMessageW(hwnd, PBM_SETPOS, bar.value(), 0);
            }
            break;
        case ui::Property::Visible:
            updateVisibility(r);
            break;
        case ui::Property::Enabled:
            EnableWindow(hwnd, control.enabled());
            if (paintedByHost(kind)) redrawArea(r, control);
            break;
        case ui::Property::Bounds:
            if (paintedByHost(kind)) redrawArea(r, control);  // where it was
            if (kind == ui::ControlKind::Frame)
                placeAll(r);  // its contents move with it
            else
                placeControl(c);
            if (paintedByHost(kind)) redrawArea(r, control);  // where it is now
            break;
        case ui::Property::ToolTip:
            updateToolTip(r, c);
            break;
        case ui::Property::BorderStyle:
            if (kind == ui::ControlKind::TextBox || kind == ui::ControlKind::ListBox) {
                LONG_PTR ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
                if (control.borderStyle() == ui::Border::FixedSingle)
                    ex |= WS_EX_CLIENTEDGE;
                else
                    ex &= ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE);
                SetWindowLongPtrW(hwnd, GWL_EXSTYLE, ex);
                SetWindowPos(
                    hwnd, nullptr, 0, 0, 0, 0,
                    SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            }
            if (kind == ui::ControlKind::Shape) updateShapeRegion(c);
            if (paintedByHost(kind)) redrawArea(r, control);
            break;
        case ui::Property::BackColor:
            if (kind == ui::ControlKind::Shape) updateShapeRegion(c);
            [[fallthrough]];
        case ui::Property::ForeColor:
        case ui::Property::Picture:
            if (paintedByHost(kind))
                redrawArea(r, control);
            else
                InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case ui::Property::Font:
            SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font(control.font())), TRUE);
            if (paintedByHost(kind)) redrawArea(r, control);
            break;
        case ui::Property::Items:
        case ui::Property::Selection:
            if (kind == ui::ControlKind::ListBox) {
                auto& list = static_cast<ui::ListBox&>(control);
                if (property == ui::Property::Items) {
                    SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
                    SendMessageW(hwnd, LB_RESETCONTENT, 0, 0);
                    for (const std::string& item : list.items()) {
                        SendMessageW(hwnd, LB_ADDSTRING, 0,
                                     reinterpret_cast<LPARAM>(toWide(item).c_str()));
                    }
                    SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
                    InvalidateRect(hwnd, nullptr, TRUE);
                }
                SendMessageW(hwnd, LB_SETCURSEL, static_cast<WPARAM>(list.listIndex()), 0);
            } else if (kind == ui::ControlKind::DriveList) {
                auto& drives = static_cast<ui::DriveList&>(control);
                if (property == ui::Property::Items) {
                    SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
                    for (const std::string& entry : drives.entries()) {
                        SendMessageW(hwnd, CB_ADDSTRING, 0,
                                     reinterpret_cast<LPARAM>(toWide(entry).c_str()));
                    }
                }
                SendMessageW(hwnd, CB_SETCURSEL, static_cast<WPARAM>(drives.listIndex()), 0);
            } else if (kind == ui::ControlKind::DirList && property == ui::Property::Items) {
                auto& dirs = static_cast<ui::DirList&>(control);
                SendMessageW(hwnd, LB_RESETCONTENT, 0, 0);
                for (int i = 0; i < dirs.listCount(); ++i) {
                    SendMessageW(hwnd, LB_ADDSTRING, 0,
                                 reinterpret_cast<LPARAM>(leafName(dirs.list(i)).c_str()));
                }
            }
            break;
        default:
            break;
    }
}

// ---- window -> model --------------------------------------------------------------------

void Win32Host::onCommand(FormRecord& r, HWND child, int code) {
    if (quiet_) return;
    auto it = r.byWindow.find(child);
    if (it == r.byWindow.end() || !alive(*it->second)) return;
    ui::Control& control = *it->second->control;
    ui::Property shown = ui::Property::Value;
    switch (control.kind()) {
        case ui::ControlKind::CheckBox:
        case ui::ControlKind::OptionButton:
        case ui::ControlKind::CommandButton:
            if (code != BN_CLICKED) return;
            control.click();
            break;
        case ui::ControlKind::TextBox:
            if (code != EN_CHANGE) return;
            static_cast<ui::TextBox&>(control).type(fromWide(windowText(child)));
            shown = ui::Property::Text;
            break;
        case ui::ControlKind::ListBox:
            if (code != LBN_SELCHANGE) return;
            static_cast<ui::ListBox&>(control).setListIndex(
                static_cast<int>(SendMessageW(child, LB_GETCURSEL, 0, 0)));
            shown = ui::Property::Selection;
            break;
        case ui::ControlKind::DriveList:
            if (code != CBN_SELCHANGE) return;
            static_cast<ui::DriveList&>(control).setListIndex(
                static_cast<int>(SendMessageW(child, CB_GETCURSEL, 0, 0)));
            shown = ui::Property::Selection;
            break;
        default:
            return;
    }
    // The window shows what the model holds now, whatever the handlers did (a rejected
    // selection, text cut to its maximum length, a value changed back).
    if (ControlRecord* again = liveControl(child)) syncControl(*again, shown);
}

LRESULT Win32Host::onControlColour(FormRecord& r, UINT msg, WPARAM wp, LPARAM lp) {
    auto it = r.byWindow.find(reinterpret_cast<HWND>(lp));
    if (it == r.byWindow.end() || !alive(*it->second)) {
        return DefWindowProcW(r.hwnd, msg, wp, lp);
    }
    const ui::Control& control = *it->second->control;
    HDC dc = reinterpret_cast<HDC>(wp);
    COLORREF back = resolveColour(control.backColor());
    COLORREF text = resolveColour(control.foreColor());
    // Under a skin, text boxes and lists in the system's colours take the skin's edit
    // colours rather than the window surface.
    const qv::skin::Theme* skin = skin::activeTheme();
    ui::ControlKind kind = control.kind();
    if (skin && (kind == ui::ControlKind::TextBox || kind == ui::ControlKind::ListBox ||
                 kind == ui::ControlKind::DirList)) {
        if (control.backColor() == ui::kSystemFaceColor) back = skin->editFace;
        if (control.foreColor() == ui::kSystemTextColor) text = skin->editText;
    }
    if (control.enabled()) SetTextColor(dc, text);
    SetBkColor(dc, back);
    return reinterpret_cast<LRESULT>(brush(back));
}

bool Win32Host::onSetCursor(FormRecord& r, HWND under) {
    auto it = r.byWindow.find(under);
    if (it == r.byWindow.end() || !alive(*it->second)) return false;
    const ui::Control& control = *it->second->control;
    if (control.cursor() != ui::Cursor::Hand || !control.enabled()) return false;
    SetCursor(handCursor());
    return true;
}

// ---- resources --------------------------------------------------------------------------

HFONT Win32Host::font(const ui::Font& f) {
    std::wstring face = f.face.empty() ? std::wstring(kDefaultFace) : toWide(f.face);
    double points = f.points > 0 ? f.points : kDefaultPoints;
    auto key = std::make_tuple(face, static_cast<int>(std::lround(points * 100)), f.bold);
    auto& cached = fonts_[key];
    if (!cached) {
        int height = -static_cast<int>(std::lround(points * dpi_ / 72.0));
        cached = CreateFontW(height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                             GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
    }
    return cached;
}

HBRUSH Win32Host::brush(COLORREF colour) {
    auto& cached = brushes_[colour];
    if (!cached) cached = CreateSolidBrush(colour);
    return cached;
}

}  // namespace qv::win32
