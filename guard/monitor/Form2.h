#pragma once
// The threat dialog: an autorun.inf was found in a drive's root. It shows where the file
// is and which program it would start, counts down towards deleting it, and lets the user
// delete it now or put the drive on the ignore list. It keeps itself above all windows.
//
// Opening: set Szwz to the file's path (this loads the dialog and reads the file), then
// show it modally; see Guard::showThreatDialog.

#include <optional>
#include <string>

#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"

namespace qv {

class Guard;

class Form2 : public ui::Form {
public:
    explicit Form2(Guard& guard);

    ui::TextBox Text2{*this, "Text2"};
    ui::TextBox Szwz{*this, "Szwz"};
    ui::TextBox Text3{*this, "Text3"};
    ui::TextBox Glwj{*this, "Glwj"};
    ui::CheckBox scwj{*this, "scwj"};
    ui::TextBox Text1{*this, "Text1"};
    ui::TextBox Jstxt{*this, "Jstxt"};
    ui::TextBox Text5{*this, "Text5"};
    ui::CommandButton Hl{*this, "Hl"};
    ui::CommandButton Ljsc{*this, "Ljsc"};
    ui::Timer Timer1{*this, "Timer1"};

    void Ljsc_Click();

private:
    void design();
    void Form_Load();
    void Szwz_Change();
    void Timer1_Timer();
    void Hl_Click();
    void close();

    Guard& guard_;
    // The program the file starts, when it was found ("open=" line with a value).
    bool associatedFound_ = false;
};

inline constexpr const char* kUnknownAssociatedFile = "无法获取";

}  // namespace qv
