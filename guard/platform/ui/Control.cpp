#include "guard/platform/ui/Control.h"

#include <utility>

#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"
#include "guard/platform/ui/UiHost.h"

namespace qv::ui {

Control::Control(Form& form, std::string name, ControlKind kind)
    : form_(form), name_(std::move(name)), kind_(kind) {
    form_.add(this);
}

Control::~Control() {
    form_.remove(this);
}

void Control::changed(Property property) {
    form_.host().controlChanged(*this, property);
}

void Control::setContainer(Control* container) {
    container_ = container;
}

bool Control::shownInForm() const {
    for (const Control* c = this; c != nullptr; c = c->container_) {
        if (!c->visible_) return false;
    }
    return true;
}

void Control::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    changed(Property::Visible);
}

void Control::setEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    changed(Property::Enabled);
    if (kind_ == ControlKind::Timer) form_.host().timerChanged(static_cast<Timer&>(*this));
}

void Control::setBounds(Rect bounds) {
    if (bounds_ == bounds) return;
    bounds_ = bounds;
    changed(Property::Bounds);
}

void Control::setCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    changed(Property::Caption);
    captionChanged();
}

void Control::setToolTip(std::string toolTip) {
    if (toolTip_ == toolTip) return;
    toolTip_ = std::move(toolTip);
    changed(Property::ToolTip);
}

void Control::setForeColor(Color color) {
    if (foreColor_ == color) return;
    foreColor_ = color;
    changed(Property::ForeColor);
}

void Control::setBackColor(Color color) {
    if (backColor_ == color) return;
    backColor_ = color;
    changed(Property::BackColor);
}

void Control::setBorderStyle(Border border) {
    if (borderStyle_ == border) return;
    borderStyle_ = border;
    changed(Property::BorderStyle);
}

void Control::setCursor(Cursor cursor) {
    if (cursor_ == cursor) return;
    cursor_ = cursor;
    changed(Property::Cursor);
}

void Control::setFont(Font font) {
    if (font_ == font) return;
    font_ = std::move(font);
    changed(Property::Font);
}

void Control::click() {
    if (onClick) onClick();
}

void Control::dblClick() {
    if (onDblClick) onDblClick();
}

void Control::mouseDown(MouseButton button) {
    if (onMouseDown) onMouseDown(button);
}

void Control::mouseUp(MouseButton button) {
    if (onMouseUp) onMouseUp(button);
}

void Control::mouseMove() {
    if (onMouseMove) onMouseMove();
}

}  // namespace qv::ui
