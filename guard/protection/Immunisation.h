#pragma once
// Drive immunisation on the emergency page: the chosen drive's root receives a folder
// named autorun.inf, holding a folder named con, marked read-only, system and hidden, so
// that no worm can write a file autorun.inf there. Forced mode first clears an old
// autorun.inf file (removed the one way of common/removal, quarantined first) or empty
// folder. Success is told only once the drive is seen to hold all of it. The panel also
// names the chosen drive's type and re-reads the drive list. Everything runs on the
// user-interface thread, within the click or selection change (there is nothing to wait
// for), and reports only through message boxes.

#include "common/removal/DriveFileRemoval.h"
#include "guard/platform/FileSystem.h"

namespace qv {
class Form1;
}

namespace qv::protection {

class Immunisation {
public:
    // Wires Drive2, Command17 and Command18 of the main window.
    Immunisation(Form1& form, platform::FileSystem& files, removal::DriveFileRemoval& removal);
    Immunisation(const Immunisation&) = delete;
    Immunisation& operator=(const Immunisation&) = delete;

private:
    void Command18_Click();  // immunise
    void Command17_Click();  // refresh the drive list
    void Drive2_Change();    // show the chosen drive's type
    // Removes `folder` when it is empty, read-only or not.
    void removeEmptyFolder(const std::string& folder);
    // Whether `folder` is as immunisation leaves it; the reason when it is not.
    Status checkImmunised(const std::string& folder);
    bool isFolder(const std::string& path);

    Form1& form_;
    platform::FileSystem& files_;
    removal::DriveFileRemoval& removal_;
};

}  // namespace qv::protection
