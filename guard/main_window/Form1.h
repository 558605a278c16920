#pragma once
// The main window and, at the same time, the guard's whole store of state: every option,
// the monitoring mode, the protection score, the ignore list and the three timers that
// drive the background work are controls of this one window. Other forms read and write
// them by name through the Guard's single instance.

#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"

namespace qv {

class Guard;

class Form1 : public ui::Form {
public:
    explicit Form1(Guard& guard);

    // True when start-up found another copy running and ended the program.
    bool refusedToStart() const { return refusedToStart_; }

    // Procedures other windows call.
    void Jiazai();   // loads the protection settings file
    void Jiazai2();  // loads the system settings file

    // Navigation bar; the selected image wears a single-line border.
    ui::Image Fhsz{*this, "Fhsz"};
    ui::Image Jjsd{*this, "Jjsd"};
    ui::Image Gjsz{*this, "Gjsz"};
    ui::Image Xtsz{*this, "Xtsz"};
    ui::Image Gywm{*this, "Gywm"};
    ui::Shape Shape1{*this, "Shape1"};
    ui::Shape Shape2{*this, "Shape2"};
    ui::Shape Shape3{*this, "Shape3"};
    ui::Shape Shape4{*this, "Shape4"};
    ui::Shape Shape5{*this, "Shape5"};

    // Around the pages: score, links, statistics status, version line.
    ui::Label Label1{*this, "Label1"};
    ui::Label df{*this, "df"};
    ui::Label Label3{*this, "Label3"};
    ui::Label Label9{*this, "Label9"};
    ui::Label Label8{*this, "Label8"};
    ui::Label Label10{*this, "Label10"};

    // Monitoring page, laid on the window itself.
    ui::CheckBox JcbdUp{*this, "JcbdUp"};
    ui::CheckBox Jcbdyp{*this, "Jcbdyp"};
    ui::CheckBox Jcbdgp{*this, "Jcbdgp"};
    ui::CheckBox Jcbdxncp{*this, "Jcbdxncp"};
    ui::CheckBox Upcrsm{*this, "Upcrsm"};
    ui::Frame Frame5{*this, "Frame5"};
    ui::OptionButton Znms{*this, "Znms"};
    ui::OptionButton Ssms{*this, "Ssms"};
    ui::CommandButton Command6{*this, "Command6"};
    ui::CommandButton Command4{*this, "Command4"};
    ui::CommandButton Command5{*this, "Command5"};
    ui::Label Label4{*this, "Label4"};
    ui::TextBox Yhl{*this, "Yhl"};
    ui::TextBox Text1{*this, "Text1"};
    ui::CommandButton Command1{*this, "Command1"};
    ui::CommandButton Command2{*this, "Command2"};
    ui::CommandButton Command3{*this, "Command3"};
    ui::Label Label2{*this, "Label2"};
    ui::DriveList Drive1{*this, "Drive1"};
    ui::Timer Jstm{*this, "Jstm"};

    // Emergency cleaning page, with the immunisation frame inside it.
    ui::Frame Frame1{*this, "Frame1"};
    ui::CommandButton Command7{*this, "Command7"};
    ui::ProgressBar Jd{*this, "Jd"};
    ui::Label Sdjindu{*this, "Sdjindu"};
    ui::Timer Timer1{*this, "Timer1"};
    ui::Frame Frame6{*this, "Frame6"};
    ui::DriveList Drive2{*this, "Drive2"};
    ui::Label Leixing{*this, "Leixing"};
    ui::CheckBox Check1{*this, "Check1"};
    ui::CommandButton Command18{*this, "Command18"};
    ui::CommandButton Command17{*this, "Command17"};
    ui::Label Label5{*this, "Label5"};

    // Advanced page: policy switches and tool pictures.
    ui::Frame Frame2{*this, "Frame2"};
    ui::CommandButton Command9{*this, "Command9"};
    ui::CommandButton Command10{*this, "Command10"};
    ui::CommandButton Command11{*this, "Command11"};
    ui::CommandButton Command12{*this, "Command12"};
    ui::CommandButton Command13{*this, "Command13"};
    ui::CommandButton Command14{*this, "Command14"};
    ui::CommandButton Command15{*this, "Command15"};
    ui::CommandButton Command16{*this, "Command16"};
    ui::Image Image5{*this, "Image5"};
    ui::Image Image7{*this, "Image7"};
    ui::Image Image8{*this, "Image8"};
    ui::Image Image6{*this, "Image6"};

    // System settings page.
    ui::Frame Frame3{*this, "Frame3"};
    ui::CheckBox Qd{*this, "Qd"};
    ui::CheckBox Tj{*this, "Tj"};
    ui::CheckBox Jlrz{*this, "Jlrz"};
    ui::CheckBox Zdcl{*this, "Zdcl"};
    ui::CheckBox Upts{*this, "Upts"};
    ui::CheckBox Jzpf{*this, "Jzpf"};
    ui::CheckBox Cscl{*this, "Cscl"};
    ui::CheckBox Xshy{*this, "Xshy"};
    ui::CheckBox Mrgl{*this, "Mrgl"};
    ui::CommandButton Command8{*this, "Command8"};
    ui::TextBox xcptxt{*this, "xcptxt"};
    ui::WebBrowser Webtj{*this, "Webtj"};
    ui::Timer Uptip{*this, "Uptip"};

    // About page.
    ui::Frame Frame4{*this, "Frame4"};
    ui::Image Image4{*this, "Image4"};
    ui::TextBox Text2{*this, "Text2"};
    ui::Label Label11{*this, "Label11"};
    ui::Label Label6{*this, "Label6"};

private:
    void design();
    void Form_Load();
    void Form_Resize();
    void Form_QueryUnload(bool& cancel, ui::CloseReason reason);
    void Command6_Click();  // saves the protection settings file

    Guard& guard_;
    bool refusedToStart_ = false;
};

}  // namespace qv
