#include "guard/platform/win32/host/adapters/TextBoxAdapter.h"

#include <algorithm>
#include <string>

#include "common/win32/Text.h"
#include "guard/platform/ui/TextSelection.h"

namespace qv::win32 {

namespace {

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

}  // namespace

TextBoxAdapter::TextBoxAdapter(FormControls& form, ui::TextBox& box)
    : SystemWindowAdapter(form, box), box_(box) {}

ControlAdapter::WindowSpec TextBoxAdapter::windowSpec() const {
    WindowSpec spec{L"EDIT", WS_TABSTOP, 0, {}};
    spec.style |= box_.multiLine() ? ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN : ES_AUTOHSCROLL;
    if (box_.scrollBars() == ui::ScrollBars::Vertical) spec.style |= WS_VSCROLL;
    if (box_.locked()) spec.style |= ES_READONLY;
    if (box_.digitsOnly()) spec.style |= ES_NUMBER;
    if (box_.borderStyle() == ui::Border::FixedSingle) spec.exStyle |= WS_EX_CLIENTEDGE;
    return spec;
}

void TextBoxAdapter::showContent() {
    showText();
    if (box_.maxLength() > 0) {
        SendMessageW(window(), EM_LIMITTEXT, static_cast<WPARAM>(box_.maxLength()), 0);
    }
}

void TextBoxAdapter::show(ui::Property property) {
    switch (property) {
        case ui::Property::Text:
            showText();
            break;
        case ui::Property::BorderStyle:
            showBorder();
            break;
        default:
            SystemWindowAdapter::show(property);
            break;
    }
}

void TextBoxAdapter::showText() {
    std::wstring want = editText(box_);
    std::wstring shown = windowText(window());
    if (shown == want) return;
    if (box_.multiLine()) {
        replaceKeepingView(shown, want);
        return;
    }
    SetWindowTextW(window(), want.c_str());
    // Text replaced under the user's typing (a normalised entry): the caret goes to the
    // end, where the next character belongs.
    if (GetFocus() == window()) SendMessageW(window(), EM_SETSEL, want.size(), want.size());
}

// A list refreshed while the user reads it stays where it was: the first line in view and
// the selection stay where the new text still has their lines (a new text alone would
// start at the top with nothing selected). The window draws again only once all is back.
void TextBoxAdapter::replaceKeepingView(const std::wstring& before, const std::wstring& after) {
    HWND edit = window();
    LRESULT firstLine = SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    SendMessageW(edit, WM_SETREDRAW, FALSE, 0);
    SetWindowTextW(edit, after.c_str());
    if (auto kept = ui::keptSelection(before, after, {start, end})) {
        SendMessageW(edit, EM_SETSEL, kept->start, kept->end);
    }
    // Scrolling past the end stops at the last line.
    LRESULT nowFirst = SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    SendMessageW(edit, EM_LINESCROLL, 0, firstLine - nowFirst);
    SendMessageW(edit, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(edit, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
}

std::optional<ui::Property> TextBoxAdapter::notified(int code) {
    if (code != EN_CHANGE) return std::nullopt;
    box_.type(fromWide(windowText(window())));
    return ui::Property::Text;
}

}  // namespace qv::win32
