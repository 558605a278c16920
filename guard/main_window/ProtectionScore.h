#pragma once
// The protection score: the caption of Form1's `df`, a whole number held as text. It is
// 10 plus the weight of every weighted monitoring option that is ticked: 98 with all of
// them, 10 with none; the CD-ROM option carries no weight. A weighted box moves the score
// by its weight whenever its value changes, whoever changes it (the user, the settings
// loader, the master switches, the badge's warning picture, the suspicious-file dialog).
// Every change of the score decides the periodic monitor and the badge: the score 10 (all
// protection off) stops the monitor timer Jstm and shows the badge's warning, any other
// score starts Jstm, in either mode, and takes the warning away.

#include <string>

#include "guard/main_window/Form1.h"
#include "guard/main_window/ShellWindows.h"

namespace qv {

class ProtectionScore {
public:
    // The score with every weighted option off; nothing is added to it.
    static constexpr int kAllOff = 10;
    static constexpr int kWeightRemovable = 40;      // JcbdUp
    static constexpr int kWeightFixed = 20;          // Jcbdyp
    static constexpr int kWeightRamDisk = 18;        // Jcbdxncp
    static constexpr int kWeightInsertionScan = 10;  // Upcrsm
    // The score at which the insertion check passes over its smart-mode pass, which the
    // weights never give; see skipsInsertionPass.
    static constexpr int kInsertionPassSkippedAt = 12;

    // Wires the four weighted boxes and the score `df` of `form`; `shell` shows the badge's
    // state. Both outlive this object.
    ProtectionScore(Form1& form, ShellWindows& shell);
    ProtectionScore(const ProtectionScore&) = delete;
    ProtectionScore& operator=(const ProtectionScore&) = delete;

    // True when the score's text is exactly "12", the one score at which the insertion
    // check passes over the pass it runs in smart mode. The check has always carried this
    // test, seemingly to spare a pass while protection is off; but the weights only ever
    // give 10 plus a sum of 40, 20, 18 and 10, never 12 (a static_assert holds them to
    // that), so the test never holds: every new drive gets its pass, at the score 10 too,
    // where the pass can still report a CD-ROM drive. It is kept as the check has it.
    bool skipsInsertionPass() const;

private:
    void weightChanged(int value, int weight);
    void df_Change();

    Form1& form_;
    ShellWindows& shell_;
};

// The leading whole number of a text, as a plain number reader takes it (blanks before it
// are passed over); 0 when there is none.
int leadingNumber(const std::string& text);

}  // namespace qv
