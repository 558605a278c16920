#include "guard/shell/Form3.h"

#include "guard/platform/ui/UiHost.h"

namespace qv {

namespace {
constexpr ui::Twips kMargin = 250;  // from the top and right screen edges
}

Form3::Form3(ui::UiHost& uiHost, Form1& main, ProgramMenu& menu)
    : ui::Form(uiHost, "Form3"), main_(main), menu_(menu) {
    setCaption("QVud");
    setBorder(ui::FormBorder::None);
    setShowInTaskbar(false);
    setIcon("app");

    Image1.setBounds({0, 0, 615, 615});
    Image1.setPicture("badge");
    Image1.setToolTip(kProtectionOnTip);
    Image2.setBounds({360, 360, 375, 375});
    Image2.setPicture("warning");
    Image2.setCursor(ui::Cursor::Hand);
    Image2.setToolTip("你的电脑存在危险，一键开启防护");
    Image2.setVisible(false);

    onLoad = [this] { Form_Load(); };
    onQueryUnload = [this](bool& cancel, ui::CloseReason) { Form_QueryUnload(cancel); };
    Image1.onMouseMove = [this] { Image1_MouseMove(); };
    Image1.onDblClick = [this] { Image1_DblClick(); };
    Image1.onMouseUp = [this](ui::MouseButton b) { Image1_MouseUp(b); };
    Image2.onClick = [this] { Image2_Click(); };
}

// Placed once per load; hiding and showing keep any position the user dragged it to.
void Form3::Form_Load() {
    ui::Rect image = Image1.bounds();
    ui::Twips left = host().screenSize().width - (image.width + kMargin);
    setBounds({left, kMargin, image.width, image.height});
}

// Whatever asks, the badge stays: without it the running guard could not be reached. The
// end of the session ends the program by itself.
void Form3::Form_QueryUnload(bool& cancel) {
    cancel = true;
}

void Form3::Image1_MouseMove() {
    host().beginDrag(*this);
}

void Form3::Image1_DblClick() {
    main_.show();
    hide();
}

void Form3::Image1_MouseUp(ui::MouseButton button) {
    if (button != ui::MouseButton::Right) return;
    host().popupMenu(menu_.menu(), *this);
}

// Ticks every monitoring option; each one that was clear runs its own change handling.
void Form3::Image2_Click() {
    for (ui::CheckBox* box :
         {&main_.JcbdUp, &main_.Jcbdyp, &main_.Jcbdgp, &main_.Jcbdxncp, &main_.Upcrsm}) {
        box->setValue(1);
    }
}

void Form3::showProtectionState(bool allOff) {
    Image1.setToolTip(allOff ? kProtectionOffTip : kProtectionOnTip);
    Image2.setVisible(allOff);
}

}  // namespace qv
