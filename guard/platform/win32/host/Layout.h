#pragma once
// How the controls of a form are laid out as windows: which kinds have a window, where a
// control lies on the form (controls inside a frame are placed from the frame's top-left),
// and the stacking order of the windows. Pure functions of the control model.

#include <vector>

#include "guard/platform/ui/Form.h"

namespace qv::win32 {

// Timers, web browsers and menus have no window of their own.
bool hasWindow(ui::ControlKind kind);

// Labels, images and shapes are drawn on their container's surface, below the other
// controls of that container (as in the classic form designer).
bool isGraphical(ui::ControlKind kind);

// The control's rectangle in the form's client area, in twips: its own bounds offset by
// the top-left corners of all its containers.
ui::Rect absoluteBounds(const ui::Control& control);

// The windowed controls from the bottom of the stacking order to its top. Within one
// container: the labels and images (in creation order), then the shapes, then the other
// controls in creation order, each frame immediately followed by its own contents. So a
// frame hides what lies under it on the form, its contents lie on top of it, and shapes
// lie in front of the pictures they mark. Controls whose container chain does not lead
// back to the form (a cycle, a container of another form) come last.
std::vector<ui::Control*> stackingOrder(const ui::Form& form);

}  // namespace qv::win32
