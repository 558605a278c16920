#pragma once
// The wizard's window as its logic sees it: the Win32 window implements it, tests record
// what it is asked and answer its message boxes from a script.

#include <string>
#include <vector>

namespace qv::uninst {

enum class Buttons { Ok, OkCancel };
enum class Icon { None, Warning, Error };
enum class Answer { Ok, Cancel };

// The two button faces: the picture and the label over it act as one.
enum class Face {
    Cancel,    // Image1 with Label2
    Uninstall  // Image2 with Label3
};

class WizardView {
public:
    virtual ~WizardView() = default;

    // A modal message box; returns when the user has answered it.
    virtual Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                              Icon icon) = 0;
    virtual void setCaption(const std::string& caption) = 0;
    virtual void setMessageText(const std::string& text) = 0;               // `Wenben`
    virtual void setDeleteList(const std::vector<std::string>& paths) = 0;  // `Shanchulb`
    virtual void setWindowHeight(int twips) = 0;
    virtual void setFaceBorder(Face face, bool border) = 0;
    virtual void show() = 0;
    // Ends the program: the window goes and the message loop stops.
    virtual void end() = 0;
};

}  // namespace qv::uninst
