#pragma once
// A 32-bit top-down bitmap selected into its own memory DC, where a repaint is composed
// before it is copied to the screen in one step. The bitmap, the DC and the selection are
// released when the Offscreen goes away.

#include <windows.h>

#include <cstdint>
#include <optional>

#include "common/win32/Gdi.h"
#include "common/win32/UniqueHandle.h"

namespace qv::win32 {

class Offscreen {
public:
    Offscreen(HDC like, int width, int height);
    Offscreen(const Offscreen&) = delete;
    Offscreen& operator=(const Offscreen&) = delete;

    bool ok() const { return selection_.has_value() && bits_; }
    HDC dc() const { return dc_.get(); }
    std::uint32_t* pixels() const { return static_cast<std::uint32_t*>(bits_); }

private:
    // Destroyed in reverse: the bitmap is selected out, then the DC goes, then the bitmap.
    UniqueBitmap bitmap_;
    UniqueMemoryDc dc_;
    std::optional<Selection> selection_;
    void* bits_ = nullptr;
};

}  // namespace qv::win32
