// The one place that knows which adapter shows which kind of control.

#include "guard/platform/ui/Controls.h"
#include "guard/platform/win32/host/adapters/ButtonAdapters.h"
#include "guard/platform/win32/host/adapters/ControlAdapter.h"
#include "guard/platform/win32/host/adapters/FrameAdapter.h"
#include "guard/platform/win32/host/adapters/ImageAdapter.h"
#include "guard/platform/win32/host/adapters/LabelAdapter.h"
#include "guard/platform/win32/host/adapters/ListAdapters.h"
#include "guard/platform/win32/host/adapters/ProgressBarAdapter.h"
#include "guard/platform/win32/host/adapters/ShapeAdapter.h"
#include "guard/platform/win32/host/adapters/TextBoxAdapter.h"

namespace qv::win32 {

namespace {

template <typename Adapter, typename Kind>
std::unique_ptr<ControlAdapter> make(FormControls& form, ui::Control& control) {
    return std::make_unique<Adapter>(form, static_cast<Kind&>(control));
}

}  // namespace

std::unique_ptr<ControlAdapter> makeAdapter(FormControls& form, ui::Control& control) {
    switch (control.kind()) {
        case ui::ControlKind::CheckBox:
            return make<CheckBoxAdapter, ui::CheckBox>(form, control);
        case ui::ControlKind::OptionButton:
            return make<OptionButtonAdapter, ui::OptionButton>(form, control);
        case ui::ControlKind::CommandButton:
            return make<CommandButtonAdapter, ui::CommandButton>(form, control);
        case ui::ControlKind::TextBox:
            return make<TextBoxAdapter, ui::TextBox>(form, control);
        case ui::ControlKind::ListBox:
            return make<ListBoxAdapter, ui::ListBox>(form, control);
        case ui::ControlKind::DirList:
            return make<DirListAdapter, ui::DirList>(form, control);
        case ui::ControlKind::DriveList:
            return make<DriveListAdapter, ui::DriveList>(form, control);
        case ui::ControlKind::ProgressBar:
            return make<ProgressBarAdapter, ui::ProgressBar>(form, control);
        case ui::ControlKind::Label:
            return make<LabelAdapter, ui::Label>(form, control);
        case ui::ControlKind::Image:
            return make<ImageAdapter, ui::Image>(form, control);
        case ui::ControlKind::Frame:
            return make<FrameAdapter, ui::Frame>(form, control);
        case ui::ControlKind::Shape:
            return make<ShapeAdapter, ui::Shape>(form, control);
        case ui::ControlKind::Timer:
        case ui::ControlKind::WebBrowser:
        case ui::ControlKind::Menu:
        case ui::ControlKind::MenuItem:
            break;
    }
    return nullptr;
}

}  // namespace qv::win32
