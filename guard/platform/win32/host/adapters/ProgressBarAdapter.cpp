#include "guard/platform/win32/host/adapters/ProgressBarAdapter.h"

#include "guard/platform/win32/CommonControls.h"

namespace qv::win32 {

ProgressBarAdapter::ProgressBarAdapter(FormControls& form, ui::ProgressBar& bar)
    : SystemWindowAdapter(form, bar), bar_(bar) {}

ControlAdapter::WindowSpec ProgressBarAdapter::windowSpec() const {
    if (!common_controls::load()) return {};
    return {PROGRESS_CLASSW, 0, 0, {}};
}

void ProgressBarAdapter::showContent() {
    show(ui::Property::Range);  // and the value in it
}

void ProgressBarAdapter::show(ui::Property property) {
    switch (property) {
        case ui::Property::Range:
            SendMessageW(window(), PBM_SETRANGE32, bar_.min(), bar_.max());
            [[fallthrough]];
        case ui::Property::Value:
            SendMessageW(window(), PBM_SETPOS, bar_.value(), 0);
            break;
        default:
            SystemWindowAdapter::show(property);
            break;
    }
}

}  // namespace qv::win32
