#pragma once
// Labels: transparent text on the form, broken into lines at word boundaries, with an
// optional thin black border. A font with wide spacing sets its CJK characters and spaces
// further apart (or closer) on one line.

#include "guard/platform/win32/host/adapters/PaintedAdapter.h"

namespace qv::win32 {

class LabelAdapter final : public PaintedAdapter {
public:
    using PaintedAdapter::PaintedAdapter;
    void draw(HDC dc, Canvas& canvas, RECT area) const override;
};

}  // namespace qv::win32
