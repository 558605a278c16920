#include "guard/platform/win32/host/CloseSetText.h"

namespace qv::win32 {

namespace {

// Characters of the CJK blocks and the full-width forms, and the space.
bool setCloser(wchar_t c) {
    return c == L' ' || c >= 0x2E80;
}

}  // namespace

int setClose(HDC dc, const std::wstring& text, const RECT& area, int extra, bool draw) {
    int before = GetTextCharacterExtra(dc);
    int x = area.left;
    for (size_t i = 0; i < text.size();) {
        bool closer = setCloser(text[i]);
        size_t end = i;
        while (end < text.size() && setCloser(text[end]) == closer) ++end;
        auto count = static_cast<int>(end - i);
        SetTextCharacterExtra(dc, closer ? extra : 0);
        SIZE size{0, 0};
        GetTextExtentPoint32W(dc, text.data() + i, count, &size);
        if (draw) {
            ExtTextOutW(dc, x, area.top, ETO_CLIPPED, &area, text.data() + i,
                        static_cast<UINT>(count), nullptr);
        }
        x += size.cx;
        i = end;
    }
    SetTextCharacterExtra(dc, before);
    return x - area.left;
}

int fittedSpacing(HDC dc, const std::wstring& text, const RECT& area, int wanted, int dpi) {
    int extra = MulDiv(wanted, dpi, 96);
    if (wanted >= 0) return extra;
    const int closest = 2 * extra;
    while (extra > closest && setClose(dc, text, area, extra, false) > area.right - area.left) {
        --extra;
    }
    return extra;
}

}  // namespace qv::win32
