#include "guard/platform/win32/host/GdiCache.h"

#include <cmath>

#include "common/win32/Text.h"
#include "guard/platform/win32/host/PictureArt.h"

namespace qv::win32 {

namespace {

constexpr wchar_t kDefaultFace[] = L"宋体";
constexpr double kDefaultPoints = 9;

}  // namespace

HFONT GdiCache::font(const ui::Font& f) {
    std::wstring face = f.face.empty() ? std::wstring(kDefaultFace) : toWide(f.face);
    double points = f.points > 0 ? f.points : kDefaultPoints;
    auto key =
        std::make_tuple(face, static_cast<int>(std::lround(points * 100)), f.bold, f.fixedPitch);
    UniqueFont& cached = fonts_[key];
    if (!cached) {
        int height = -static_cast<int>(std::lround(points * dpi_ / 72.0));
        // Where the face is missing, the font mapper picks another of the pitch asked for.
        BYTE pitch = f.fixedPitch ? FIXED_PITCH | FF_MODERN : DEFAULT_PITCH | FF_DONTCARE;
        cached.reset(CreateFontW(height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                 GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, pitch, face.c_str()));
    }
    return cached.get();
}

HBRUSH GdiCache::brush(COLORREF colour) {
    UniqueBrush& cached = brushes_[colour];
    if (!cached) cached.reset(CreateSolidBrush(colour));
    return cached.get();
}

HICON GdiCache::icon(const std::string& key, int size) {
    UniqueIcon& cached = icons_[{key, size}];
    if (!cached) cached = makePictureIcon(key, size);
    return cached.get();
}

}  // namespace qv::win32
