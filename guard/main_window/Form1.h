#pragma once
// The main window and, at the same time, the guard's whole store of state: every option,
// the monitoring mode, the protection score, the ignore list and the three timers that
// drive the background work are controls of this one window. Other forms and the
// behaviour classes read and write them by name on the one instance app hands them.
//
// Its controls, page by page:
//   Navigation bar   Fhsz, Jjsd, Gjsz, Xtsz, Gywm: the images that open the monitoring,
//                    cleaning, advanced, system settings and about pages; Shape1..Shape5
//                    their hover highlights.
//   Around the pages df: the protection score (Label1 before it, Label3 after it);
//                    Label8 the statistics status; Label9 the link to the mood board;
//                    Label10 the version line, a link to the forum.
//   Monitoring page  JcbdUp, Jcbdyp, Jcbdgp, Jcbdxncp: watch removable, fixed, CD-ROM and
//                    RAM-disk drives; Upcrsm: the look-alike scan of removable drives;
//                    Frame5 holds Znms (smart mode) and Ssms (real-time mode); Command6
//                    saves these options; Command4 / Command5 switch every drive type on /
//                    off; Yhl the ignore list (written only through IgnoreList), Text1 the
//                    letter to add or delete, Command1 / Command2 / Command3 add, delete,
//                    clear (Label4 the list's caption); Label2 the status line, a link to the
//                    forum; Drive1 the hidden drive list the monitor walks; Jstm the
//                    monitor's timer.
//   Cleaning page    Frame1: Command7 starts and pauses the emergency cleaner, Jd and
//                    Sdjindu its progress bar and status, Timer1 its steps. Frame6 inside
//                    it, immunisation: Drive2 the chosen drive, Leixing its type, Check1
//                    forced immunisation, Command18 immunises, Command17 re-reads the
//                    drives, Label5 the link to the help board.
//   Advanced page    Frame2: Command9..Command16 the policy switches in off/on pairs (CD
//                    AutoPlay, USB storage, autorun.inf files, network access to USB
//                    drives); Image5, Image6, Image7, Image8 open the process manager, the
//                    protection log, the file browser and the skin changer.
//   System page      Frame3: Qd start with Windows, Tj join the statistics, Jlrz keep the
//                    protection log, Zdcl handle threats without asking, Upts show the
//                    insertion toast, Jzpf wear the skin, Cscl let the threat dialog's
//                    countdown delete, Xshy show the welcome window, Mrgl tick "also delete
//                    the associated file" by default; Command8 saves them; xcptxt (hidden)
//                    the drive letters of the last insertion check; Webtj (hidden) visits
//                    the statistics page; Uptip the insertion check's timer.
//   About page       Frame4: Image4 the banner, a link to the forum; Text2 the help text;
//                    Label11 and Label6 the links to the bug-report thread and to
//                    publishing software.

#include "guard/main_window/ShellWindows.h"
#include "guard/platform/Services.h"
#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"

namespace qv {

class Form1 : public ui::Form {
public:
    Form1(ui::UiHost& uiHost, platform::Services& services, ShellWindows& shell);

    // Loads the protection settings file: the monitoring options and the mode.
    void Jiazai();
    // Loads the system settings file: the options of the system page and their actions.
    void Jiazai2();

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

    platform::Services& services_;
    ShellWindows& shell_;
};

}  // namespace qv
