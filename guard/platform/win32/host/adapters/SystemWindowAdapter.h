#pragma once
// The base of the controls shown by a window of a system class (BUTTON, EDIT, LISTBOX,
// COMBOBOX, the progress bar): the window draws itself, so a change of caption goes to its
// text, a change of colour repaints it, and a change of bounds moves it.

#include "guard/platform/win32/host/adapters/ControlAdapter.h"

namespace qv::win32 {

class SystemWindowAdapter : public ControlAdapter {
protected:
    using ControlAdapter::ControlAdapter;

    void show(ui::Property property) override;
    // The sunken edge of a box with a border, on or off as the control's border style says.
    void showBorder();
    // The colours of text boxes and lists: under a skin, those left at the system's
    // colours take the skin's edit colours rather than the window surface.
    Colours editColours() const;
};

}  // namespace qv::win32
