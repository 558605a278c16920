#pragma once
// The first step of the guard's start: the single-instance test. It runs before anything
// else of the guard exists (no form, no timer, no file), so a copy refused here shows its
// notice and nothing else, however long the notice stays open, and writes nothing.

#include "guard/platform/SingleInstance.h"
#include "guard/platform/ui/UiHost.h"

namespace qv {

inline constexpr const char* kAlreadyRunning = "已经有一个QVu盘卫士运行了！";

// True when another copy already runs: the user has been told, and this copy is to end
// at once. A claim the system cannot make at all is no other copy: this copy starts.
bool refusedAsSecondCopy(ui::UiHost& host, platform::SingleInstance& instance);

}  // namespace qv
