#pragma once
// The GDI objects the windows of one host draw with: fonts, solid brushes and the forms'
// icons, each made the first time it is asked for and kept, owned here, until the host
// goes away (windows may use them at any time until then).

#include <windows.h>

#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "common/win32/UniqueHandle.h"
#include "guard/platform/ui/Control.h"

namespace qv::win32 {

class GdiCache {
public:
    // Fonts are sized for `dpi` dots per inch.
    explicit GdiCache(int dpi) : dpi_(dpi) {}
    GdiCache(const GdiCache&) = delete;
    GdiCache& operator=(const GdiCache&) = delete;

    // The model's font; an empty face or size is the forms' default, 宋体 (SimSun) 9 pt,
    // always with the GB2312 character set.
    HFONT font(const ui::Font& font);
    HBRUSH brush(COLORREF colour);
    // The picture named `key` as a `size` x `size` icon.
    HICON icon(const std::string& key, int size);

private:
    int dpi_;
    std::map<std::tuple<std::wstring, int, bool, bool>, UniqueFont> fonts_;
    std::map<COLORREF, UniqueBrush> brushes_;
    std::map<std::pair<std::string, int>, UniqueIcon> icons_;
};

}  // namespace qv::win32
