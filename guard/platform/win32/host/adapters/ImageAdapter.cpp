#include "guard/platform/win32/host/adapters/ImageAdapter.h"

#include "guard/platform/win32/host/HostContext.h"
#include "guard/platform/win32/host/PictureArt.h"

namespace qv::win32 {

ImageAdapter::ImageAdapter(FormControls& form, ui::Image& image)
    : PaintedAdapter(form, image), image_(image) {}

void ImageAdapter::draw(HDC dc, Canvas& canvas, RECT area) const {
    bool border = image_.borderStyle() == ui::Border::FixedSingle;
    RECT inner = area;
    if (border) InflateRect(&inner, -1, -1);
    if (!image_.picture().empty()) {
        RECT picture = inner;
        int natural = naturalPictureSize(image_.picture());
        if (!image_.stretch() && natural > 0) {
            picture.right = picture.left + natural;
            picture.bottom = picture.top + natural;
        }
        drawPicture(dc, canvas, image_.picture(), picture);
    }
    if (border) FrameRect(dc, &area, context().gdi().brush(RGB(0, 0, 0)));
}

}  // namespace qv::win32
