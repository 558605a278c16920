#pragma once
// A form that is loaded on first use and unloaded when it closes. Unloading hides the form
// and stops its timers at once; the object itself is destroyed later, when no handler of
// it can still be running (the host's outermost message loop calls collect()).

#include <functional>
#include <memory>
#include <vector>

#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"

namespace qv::ui {

class FormGraveyard {
public:
    void bury(std::unique_ptr<Form> form) {
        form->hide();
        for (Control* c : form->controls()) {
            if (c->kind() == ControlKind::Timer) c->setEnabled(false);
        }
        dead_.push_back(std::move(form));
    }
    void collect() { dead_.clear(); }
    bool empty() const { return dead_.empty(); }

private:
    std::vector<std::unique_ptr<Form>> dead_;
};

template <class T>
class FormSlot {
public:
    using Factory = std::function<std::unique_ptr<T>()>;
    FormSlot(FormGraveyard& graveyard, Factory make)
        : graveyard_(graveyard), make_(std::move(make)) {}

    // The loaded form, loading it first when needed.
    T& get() {
        if (!form_) {
            form_ = make_();
            form_->onUnloadRequested = [this] { unload(); };
            form_->load();
        }
        return *form_;
    }
    bool loaded() const { return form_ != nullptr; }
    T* ifLoaded() const { return form_.get(); }
    void unload() {
        if (form_) graveyard_.bury(std::move(form_));
    }

private:
    FormGraveyard& graveyard_;
    Factory make_;
    std::unique_ptr<T> form_;
};

}  // namespace qv::ui
