#pragma once
// Page navigation of the main window and its small visual feedback. Five navigation
// images select one of five pages: the monitoring page is the window's own surface, the
// other four are frames laid over it, and showing a page hides all four frames and then
// shows its own. The selected image wears a single-line border. Entering an image shows
// its highlight shape; moving over the bare window surface hides all five highlights. The
// four tool pictures of the advanced page wear a border while a button is held on them,
// and three link labels change colour while pressed and turn black when released.
//
// Everything runs on the user-interface thread from mouse events; the controls' own
// properties are the only state, so nothing here outlives a run.

#include "guard/platform/ui/Controls.h"

namespace qv {

class Form1;

class Navigation {
public:
    // Wires the navigation images, the window surface, the tool pictures and the link
    // labels of `form`, which outlives this object.
    explicit Navigation(Form1& form);

    // Hides the four page frames, in the order Frame1, Frame2, Frame3, Frame4.
    void frm();
    // Clears the border of the five navigation images, Fhsz first.
    void chushihua1();
    // Hides the five highlight shapes, Shape1 first.
    void mou();

private:
    // The click on a navigation image: its page (none for the monitoring page) is shown
    // and the image alone is marked.
    void select(ui::Image& image, ui::Frame* page);

    Form1& form_;
};

}  // namespace qv
