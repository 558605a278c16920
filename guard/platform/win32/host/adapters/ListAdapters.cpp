#include "guard/platform/win32/host/adapters/ListAdapters.h"

#include <string>

#include "common/win32/Text.h"

namespace qv::win32 {

namespace {

constexpr DWORD kListStyle = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;

// The height of the list a drive list drops.
constexpr int kDropDownPixels = 160;

// A folder list shows the last part of each path.
std::wstring leafName(const std::string& path) {
    std::wstring wide = toWide(path);
    while (wide.size() > 3 && (wide.back() == L'\\' || wide.back() == L'/')) wide.pop_back();
    size_t cut = wide.find_last_of(L"\\/");
    if (cut == std::wstring::npos || cut + 1 >= wide.size()) return wide;
    return wide.substr(cut + 1);
}

}  // namespace

// ---- list box ---------------------------------------------------------------------------

ListBoxAdapter::ListBoxAdapter(FormControls& form, ui::ListBox& list)
    : SystemWindowAdapter(form, list), list_(list) {}

ControlAdapter::WindowSpec ListBoxAdapter::windowSpec() const {
    bool edge = list_.borderStyle() == ui::Border::FixedSingle;
    return {L"LISTBOX", kListStyle, edge ? DWORD{WS_EX_CLIENTEDGE} : 0, {}};
}

void ListBoxAdapter::showContent() {
    show(ui::Property::Items);
}

void ListBoxAdapter::show(ui::Property property) {
    switch (property) {
        case ui::Property::Items:
            SendMessageW(window(), WM_SETREDRAW, FALSE, 0);
            SendMessageW(window(), LB_RESETCONTENT, 0, 0);
            for (const std::string& item : list_.items()) {
                SendMessageW(window(), LB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(toWide(item).c_str()));
            }
            SendMessageW(window(), WM_SETREDRAW, TRUE, 0);
            InvalidateRect(window(), nullptr, TRUE);
            [[fallthrough]];
        case ui::Property::Selection:
            SendMessageW(window(), LB_SETCURSEL, static_cast<WPARAM>(list_.listIndex()), 0);
            break;
        case ui::Property::BorderStyle:
            showBorder();
            break;
        default:
            SystemWindowAdapter::show(property);
            break;
    }
}

std::optional<ui::Property> ListBoxAdapter::notified(int code) {
    if (code != LBN_SELCHANGE) return std::nullopt;
    list_.setListIndex(static_cast<int>(SendMessageW(window(), LB_GETCURSEL, 0, 0)));
    return ui::Property::Selection;
}

// ---- folder list ------------------------------------------------------------------------

DirListAdapter::DirListAdapter(FormControls& form, ui::DirList& folders)
    : SystemWindowAdapter(form, folders), folders_(folders) {}

ControlAdapter::WindowSpec DirListAdapter::windowSpec() const {
    return {L"LISTBOX", kListStyle, WS_EX_CLIENTEDGE, {}};
}

void DirListAdapter::showContent() {
    show(ui::Property::Items);
}

void DirListAdapter::show(ui::Property property) {
    if (property != ui::Property::Items) {
        SystemWindowAdapter::show(property);
        return;
    }
    SendMessageW(window(), LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < folders_.listCount(); ++i) {
        SendMessageW(window(), LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(leafName(folders_.list(i)).c_str()));
    }
}

// ---- drive list -------------------------------------------------------------------------

DriveListAdapter::DriveListAdapter(FormControls& form, ui::DriveList& drives)
    : SystemWindowAdapter(form, drives), drives_(drives) {}

ControlAdapter::WindowSpec DriveListAdapter::windowSpec() const {
    return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, {}};
}

RECT DriveListAdapter::windowRect() const {
    RECT rc = SystemWindowAdapter::windowRect();
    rc.bottom += kDropDownPixels;
    return rc;
}

void DriveListAdapter::showContent() {
    show(ui::Property::Items);
}

void DriveListAdapter::show(ui::Property property) {
    switch (property) {
        case ui::Property::Items:
            SendMessageW(window(), CB_RESETCONTENT, 0, 0);
            for (const std::string& entry : drives_.entries()) {
                SendMessageW(window(), CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(toWide(entry).c_str()));
            }
            [[fallthrough]];
        case ui::Property::Selection:
            SendMessageW(window(), CB_SETCURSEL, static_cast<WPARAM>(drives_.listIndex()), 0);
            break;
        default:
            SystemWindowAdapter::show(property);
            break;
    }
}

std::optional<ui::Property> DriveListAdapter::notified(int code) {
    if (code != CBN_SELCHANGE) return std::nullopt;
    drives_.setListIndex(static_cast<int>(SendMessageW(window(), CB_GETCURSEL, 0, 0)));
    return ui::Property::Selection;
}

}  // namespace qv::win32
