#include "guard/platform/win32/skin/SkinPalette.h"

namespace qv::win32::skin {

namespace {
// Windows of one thread read it; the skin is set on that same thread.
std::optional<qv::skin::Theme>& theme() {
    static std::optional<qv::skin::Theme> active;
    return active;
}
}  // namespace

const qv::skin::Theme* activeTheme() {
    return theme() ? &*theme() : nullptr;
}

void setActiveTheme(const qv::skin::Theme& t) {
    theme() = t;
}

std::optional<COLORREF> systemColour(int index) {
    const qv::skin::Theme* t = activeTheme();
    if (!t) return std::nullopt;
    switch (index) {
        case COLOR_BTNFACE:
            return t->windowFace;
        case COLOR_BTNTEXT:
            return t->windowText;
        case COLOR_WINDOW:
            return t->editFace;
        case COLOR_WINDOWTEXT:
            return t->editText;
        default:
            return std::nullopt;
    }
}

}  // namespace qv::win32::skin
