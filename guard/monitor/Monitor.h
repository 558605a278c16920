#pragma once
// The monitor tick: one pass over every drive of the computer looking for the two marks
// USB worms leave in a drive's root, an autorun.inf file and executables named like a
// root folder. It is the handler of Form1's timer Jstm (real-time mode) and is run once
// by the insertion check when a new drive appears in smart mode.
//
// At most one pass runs at a time: a pass waits inside its dialogs, and timer ticks keep
// arriving meanwhile; a tick that finds a pass running does nothing.

#include <string>

#include "guard/platform/FileSystem.h"

namespace qv {
class Guard;
}

namespace qv::monitor {

class Monitor {
public:
    explicit Monitor(Guard& guard);

    void tick();  // Jstm_Timer
    bool scanning() const { return scanning_; }

private:
    void checkRemovable(char letter);
    void checkAskingOnly(char letter);
    void noticeCdRom(char letter);
    void scanLookAlikes(const std::string& root, const platform::FolderListing& listing);

    Guard& guard_;
    bool scanning_ = false;
};

}  // namespace qv::monitor
