#include "guard/main_window/ProtectionScore.h"

#include <charconv>
#include <iterator>

namespace qv {

namespace {

// Each weighted option of the main window and what it adds to the score when ticked.
struct Weighted {
    ui::CheckBox Form1::*box;
    int weight;
};
constexpr Weighted kWeighted[] = {
    {&Form1::JcbdUp, ProtectionScore::kWeightRemovable},
    {&Form1::Jcbdyp, ProtectionScore::kWeightFixed},
    {&Form1::Jcbdxncp, ProtectionScore::kWeightRamDisk},
    {&Form1::Upcrsm, ProtectionScore::kWeightInsertionScan},
};

// Whether some choice of ticked weighted options gives `score`.
constexpr bool reachable(int score) {
    for (unsigned ticked = 0; ticked < 1u << std::size(kWeighted); ++ticked) {
        int sum = ProtectionScore::kAllOff;
        for (unsigned i = 0; i < std::size(kWeighted); ++i) {
            if (ticked & (1u << i)) sum += kWeighted[i].weight;
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
    for (Weighted w : kWeighted) {
        ui::CheckBox& box = form.*w.box;
        box.onClick = [this, &box, weight = w.weight] { weightChanged(box.value(), weight); };
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
