#pragma once
// Shapes: a rectangle of `borderWidth` pixels drawn in front of the controls below it,
// filled or (transparent) an outline only. The window's region is the outline itself
// (and the inside when it is filled), so what lies inside a transparent shape stays
// visible; the mouse passes through to what lies under it, and it shows no tool tip.

#include "guard/platform/ui/Controls.h"
#include "guard/platform/win32/host/adapters/PaintedAdapter.h"

namespace qv::win32 {

class ShapeAdapter final : public PaintedAdapter {
public:
    ShapeAdapter(FormControls& form, ui::Shape& shape);
    void draw(HDC dc, Canvas& canvas, RECT area) const override;
    void place() override;
    void updateToolTip(HWND toolTips) override;

protected:
    void showContent() override;
    void show(ui::Property property) override;
    // Drawn straight on the window: its region leaves nothing else to show.
    void paint(HDC target) override;
    bool mouseThrough() const override { return true; }

private:
    void updateRegion();

    const ui::Shape& shape_;
};

}  // namespace qv::win32
