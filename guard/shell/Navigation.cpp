#include "guard/shell/Navigation.h"

#include "guard/main_window/Form1.h"

namespace qv {

namespace {

// Link-label colours while the button is held; every link label is black once released,
// also the one designed in another colour.
constexpr ui::Color kPressedRed = 0x0000FF;
constexpr ui::Color kPressedWhite = 0xFFFFFF;
constexpr ui::Color kReleased = 0x000000;

void pressedColour(ui::Label& label, ui::Color whilePressed) {
    label.onMouseDown = [&label, whilePressed](ui::MouseButton) {
        label.setForeColor(whilePressed);
    };
    label.onMouseUp = [&label](ui::MouseButton) { label.setForeColor(kReleased); };
}

// A tool picture wears a border while any button is held on it; the release reaches the
// picture that was pressed, wherever the pointer is by then.
void pressedBorder(ui::Image& picture) {
    picture.onMouseDown = [&picture](ui::MouseButton) {
        picture.setBorderStyle(ui::Border::FixedSingle);
    };
    picture.onMouseUp = [&picture](ui::MouseButton) { picture.setBorderStyle(ui::Border::None); };
}

}  // namespace

Navigation::Navigation(Form1& form) : form_(form) {
    struct Entry {
        ui::Image& image;
        ui::Shape& highlight;
        ui::Frame* page;
    };
    for (Entry e :
         {Entry{form.Fhsz, form.Shape1, nullptr}, Entry{form.Jjsd, form.Shape2, &form.Frame1},
          Entry{form.Gjsz, form.Shape3, &form.Frame2}, Entry{form.Xtsz, form.Shape4, &form.Frame3},
          Entry{form.Gywm, form.Shape5, &form.Frame4}}) {
        e.image.onClick = [this, &image = e.image, page = e.page] { select(image, page); };
        // Entering an image only shows its own highlight; nothing is hidden here.
        e.image.onMouseMove = [&shape = e.highlight] { shape.setVisible(true); };
    }
    form.onMouseMove = [this] { mou(); };

    for (ui::Image* tool : {&form.Image5, &form.Image6, &form.Image7, &form.Image8}) {
        pressedBorder(*tool);
    }
    pressedColour(form.Label11, kPressedRed);
    pressedColour(form.Label5, kPressedWhite);
    pressedColour(form.Label9, kPressedWhite);
}

void Navigation::frm() {
    for (ui::Frame* page : {&form_.Frame1, &form_.Frame2, &form_.Frame3, &form_.Frame4}) {
        page->setVisible(false);
    }
}

void Navigation::chushihua1() {
    for (ui::Image* image : {&form_.Fhsz, &form_.Jjsd, &form_.Gjsz, &form_.Xtsz, &form_.Gywm}) {
        image->setBorderStyle(ui::Border::None);
    }
}

void Navigation::mou() {
    for (ui::Shape* shape :
         {&form_.Shape1, &form_.Shape2, &form_.Shape3, &form_.Shape4, &form_.Shape5}) {
        shape->setVisible(false);
    }
}

void Navigation::select(ui::Image& image, ui::Frame* page) {
    frm();
    chushihua1();
    if (page) page->setVisible(true);
    image.setBorderStyle(ui::Border::FixedSingle);
}

}  // namespace qv
