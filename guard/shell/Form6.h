#pragma once
// The welcome window: a borderless picture window in the middle of the screen with the
// product name, the author line, a link to the author's community and the version text
// of Banbenxx.dat. It closes itself 2500 ms after it was loaded.

#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"

namespace qv {

class Guard;

class Form6 : public ui::Form {
public:
    explicit Form6(Guard& guard);

    ui::Image Image1{*this, "Image1"};
    ui::Image Image2{*this, "Image2"};
    ui::Label Label1{*this, "Label1"};
    ui::Label Label2{*this, "Label2"};
    ui::Label Label3{*this, "Label3"};
    ui::Label Banbenxx{*this, "Banbenxx"};
    ui::Timer Timer1{*this, "Timer1"};

private:
    void design();
    void Form_Load();
    void Timer1_Timer();
    void Label3_Click();

    Guard& guard_;
};

inline constexpr const char* kVersionFile = "Banbenxx.dat";

}  // namespace qv
