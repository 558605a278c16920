#pragma once
// Frames: an etched group box (under a skin, a line in the skin's colour) with its caption
// in the top edge, filled with the frame's colour, so it hides what lies under it on the
// form. The controls it contains lie on top of it and move with it.

#include "guard/platform/win32/host/adapters/PaintedAdapter.h"

namespace qv::win32 {

class FrameAdapter final : public PaintedAdapter {
public:
    using PaintedAdapter::PaintedAdapter;
    void draw(HDC dc, Canvas& canvas, RECT area) const override;

protected:
    void relocate() override;
};

}  // namespace qv::win32
