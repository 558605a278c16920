#include "guard/platform/ui/Form.h"

#include <algorithm>
#include <utility>

#include "guard/platform/ui/UiHost.h"

namespace qv::ui {

Form::Form(UiHost& host, std::string name) : host_(host), name_(std::move(name)) {}

Form::~Form() {
    host_.formDestroyed(*this);
}

Control* Form::find(const std::string& name) const {
    for (Control* c : controls_) {
        if (c->name() == name) return c;
    }
    return nullptr;
}

void Form::remove(Control* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

void Form::changed(Property property) {
    host_.formChanged(*this, property);
}

void Form::setCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    changed(Property::Caption);
}

void Form::setBounds(Rect bounds) {
    if (bounds_ == bounds) return;
    bool resized = bounds.width != bounds_.width || bounds.height != bounds_.height;
    bounds_ = bounds;
    changed(Property::Bounds);
    if (resized && loaded_ && onResize) onResize();
}

void Form::setSize(Twips width, Twips height) {
    setBounds({bounds_.left, bounds_.top, width, height});
}

void Form::move(Twips left, Twips top) {
    setBounds({left, top, bounds_.width, bounds_.height});
}

void Form::load() {
    if (loaded_) return;
    loaded_ = true;
    if (onLoad) onLoad();
}

void Form::show() {
    load();
    if (visible_) return;
    visible_ = true;
    host_.showForm(*this);
}

void Form::showModal() {
    load();
    visible_ = true;
    modal_ = true;
    host_.showModal(*this);
    modal_ = false;
}

void Form::hide() {
    if (!visible_) return;
    visible_ = false;
    host_.hideForm(*this);
}

void Form::activate() {
    if (visible_) host_.activateForm(*this);
}

bool Form::requestClose(CloseReason reason) {
    bool cancel = false;
    if (onQueryUnload) onQueryUnload(cancel, reason);
    if (cancel) return false;
    if (onUnloadRequested)
        onUnloadRequested();
    else
        hide();
    return true;
}

void Form::placedByHost(Rect bounds) {
    setBounds(bounds);
}

void Form::paint() {
    if (onPaint) onPaint();
}

void Form::mouseMove() {
    if (onMouseMove) onMouseMove();
}

void Form::dblClick() {
    if (onDblClick) onDblClick();
}

}  // namespace qv::ui
