#pragma once
// Pictures: one of the pictures PictureArt draws by code, named by the image's key,
// stretched over the control or (an icon-sized picture, unstretched) at its natural size
// in the top-left corner; transparent where the picture is, with an optional thin black
// border.

#include "guard/platform/ui/Controls.h"
#include "guard/platform/win32/host/adapters/PaintedAdapter.h"

namespace qv::win32 {

class ImageAdapter final : public PaintedAdapter {
public:
    ImageAdapter(FormControls& form, ui::Image& image);
    void draw(HDC dc, Canvas& canvas, RECT area) const override;

private:
    const ui::Image& image_;
};

}  // namespace qv::win32
