#pragma once
// The welcome window: a borderless picture window in the middle of the screen with the
// product name, the author line, a link to the author's community and the version text
// of Banbenxx.dat, shipped beside the program. It closes itself 2500 ms after it was
// loaded.
//
// Its controls:
//   Image1    the background picture
//   Image2    the logo
//   Label1    the product name, Label2 the author line
//   Label3    the link to the author's community
//   Banbenxx  the version text
//   Timer1    closes the window

#include "guard/platform/FileSystem.h"
#include "guard/platform/Folders.h"
#include "guard/platform/Processes.h"
#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"

namespace qv {

class Form6 : public ui::Form {
public:
    // The services outlive the window.
    Form6(ui::UiHost& uiHost, platform::FileSystem& files, platform::Processes& processes,
          platform::Folders& folders);

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

    platform::FileSystem& files_;
    platform::Processes& processes_;
    platform::Folders& folders_;
};

inline constexpr const char* kVersionFile = "Banbenxx.dat";

}  // namespace qv
