#include "guard/main_window/ProtectionScore.h"

#include <charconv>
#include <iterator>

namespace qv {

namespace {

// Whether some choice of ticked weighted options gives `score`.
constexpr bool reachable(int score) {
    constexpr int kWeights[] = {ProtectionScore::kWeightRemovable, ProtectionScore::kWeightFixed,
                                ProtectionScore::kWeightRamDisk,
                                ProtectionScore::kWeightInsertionScan};
    for (unsigned ticked = 0; ticked < 1u << std::size(kWeights); ++ticked) {
        int sum = ProtectionScore::kAllOff;
        for (unsigned i = 0; i < std::size(kWeights); ++i) {
            if (ticked & (1u << i)) sum += kWeights[i];
        }
        if (sum == score) return true;
    }
    return false;
}
static_assert(!reachable(ProtectionScore::kInsertionPassSkippedAt),
              "the insertion check's test would start to hold: decide what it should do");

}  // namespace

int leadingNumber(const std::string& text) {
    size_t at = text.find_first_not_of(' ');
    if (at == std::string::npos) return 0;
    int value = 0;
    std::from_chars(text.data() + at, text.data() + text.size(), value);
    return value;
}

ProtectionScore::ProtectionScore(Form1& form, ShellWindows& shell) : form_(form), shell_(shell) {
    struct Weighted {
        ui::CheckBox& box;
        int weight;
    };
    for (Weighted w :
         {Weighted{form.JcbdUp, kWeightRemovable}, Weighted{form.Jcbdyp, kWeightFixed},
          Weighted{form.Jcbdxncp, kWeightRamDisk}, Weighted{form.Upcrsm, kWeightInsertionScan}}) {
        w.box.onClick = [this, &box = w.box, weight = w.weight] {
            weightChanged(box.value(), weight);
        };
    }
    form.df.onChange = [this] { df_Change(); };
}

bool ProtectionScore::skipsInsertionPass() const {
    return form_.df.caption() == std::to_string(kInsertionPassSkippedAt);
}

// Writing the score runs its own change handling.
void ProtectionScore::weightChanged(int value, int weight) {
    int now = leadingNumber(form_.df.caption());
    form_.df.setCaption(std::to_string(value == 0 ? now - weight : now + weight));
}

void ProtectionScore::df_Change() {
    const bool allOff = leadingNumber(form_.df.caption()) == kAllOff;
    form_.Jstm.setEnabled(!allOff);
    shell_.showProtectionState(allOff);
}

}  // namespace qv
