#pragma once
// What the main window and the pop-up menu reach outside the program: the protection log
// in the text editor, the two companion modules shipped beside the guard, the process
// manager, and the pages of the author's forum. Every program is started by its full path
// and asynchronously; only a companion module that cannot be started is reported, the
// other starts fail quietly.

#include <string>

#include "guard/main_window/Form1.h"
#include "guard/platform/Folders.h"
#include "guard/platform/Processes.h"
#include "guard/platform/ui/FormSlot.h"
#include "guard/shell/Form4.h"
#include "guard/shell/LinkCommands.h"
#include "guard/shell/ProgramMenu.h"

namespace qv {

class ExternalLinks {
public:
    // Wires the tool pictures and link labels of `main`; the process manager is the one
    // window of `processManager`. Every reference outlives this object.
    ExternalLinks(Form1& main, platform::Processes& processes, platform::Folders& folders,
                  ui::FormSlot<Form4>& processManager);
    // Wires the items of a newly loaded pop-up menu that lead outside.
    void wireMenu(const ProgramMenuItems& menu);

    // Opens the forum's home page; shared by Label2, Label10 and Image4.
    void Bbscom();
    // Shows Rz.log in the text editor.
    void openProtectionLog();
    // Starts the companion modules Filedir.exe and Pifushe.exe.
    void openFileBrowser();
    void openSkinChanger();
    // Shows the one process manager window in front, loading it first when needed.
    void openProcessManager();

private:
    // Starts a companion module; tells the user `missingMessage` when it cannot start.
    void startModule(const char* program, const char* missingMessage);
    // Starts the command that opens a forum page, quietly.
    void openPage(const std::string& commandLine);

    Form1& main_;
    platform::Processes& processes_;
    platform::Folders& folders_;
    links::Tools tools_;
    ui::FormSlot<Form4>& processManager_;
};

}  // namespace qv
