#pragma once
// The base of the controls the host paints itself (labels, pictures, frames and shapes),
// each in a window of the class "QvControl". They are drawn as the classic form designer
// draws them: labels and pictures are transparent (what lies under them on the form
// shows through), so each repaint is composed off screen: the form's surface, then every
// host-painted control below this one that overlaps it, then the control itself.
//
// Mouse input: a press captures the mouse, so the release reaches the control that was
// pressed; a left release over the control that was pressed is a click, unless it ends a
// double-click.

#include "guard/platform/win32/host/Canvas.h"
#include "guard/platform/win32/host/adapters/ControlAdapter.h"

namespace qv::win32 {

class PaintedAdapter : public ControlAdapter {
public:
    // The window procedure of the class "QvControl".
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    // Draws the control over `area` of `dc`; `canvas` addresses the pixels of the 32-bit
    // bitmap selected into `dc`.
    virtual void draw(HDC dc, Canvas& canvas, RECT area) const = 0;
    // What lies above a control that appears or goes shows what is now beneath it.
    bool updateVisibility() override;

protected:
    using ControlAdapter::ControlAdapter;

    WindowSpec windowSpec() const override;
    void created() override;
    // Every change of what is drawn repaints the control's area of the form.
    void show(ui::Property property) override;
    // Paints the whole window on `target`.
    virtual void paint(HDC target);
    // A control the mouse passes through to what lies under it.
    virtual bool mouseThrough() const { return false; }
    // Repaints the form where the control lies, with everything there.
    void redrawArea() const;

private:
    // The adapter whose window is `hwnd`, while its control lives.
    static PaintedAdapter* liveAt(HWND hwnd);
    LRESULT message(UINT msg, WPARAM wp, LPARAM lp);
    void press(ui::MouseButton button, bool doubleClick);
    void release(ui::MouseButton button, POINT at);

    unsigned buttonsDown_ = 0;    // ui::MouseButton bits pressed on this control
    bool afterDblClick_ = false;  // the pending left release ends a double-click
};

}  // namespace qv::win32
