#pragma once
// What the main window and the pop-up menu reach outside the program: the protection log
// in the text editor, the two companion modules, the process manager, and the pages of
// the author's forum. Every start is asynchronous; only a companion module that cannot be
// started is reported, the other starts fail quietly.

#include <string>

namespace qv {

class Guard;
class Form5;

class ExternalLinks {
public:
    // Wires the tool pictures and link labels of the main window.
    explicit ExternalLinks(Guard& guard);
    // Wires the menu items of the pop-up menu that lead outside (one Form5 per loading).
    void wireMenu(Form5& menuOwner);

    // Opens the forum's home page; shared by Label2, Label10 and Image4.
    void Bbscom();
    void openProtectionLog();
    void openFileBrowser();
    void openSkinChanger();
    void openProcessManager();

private:
    void startModule(const char* commandLine, const char* missingMessage);
    void openPage(const std::string& commandLine);

    Guard& guard_;
};

}  // namespace qv
