#pragma once
// Work that may take as long as a person does (the elevation prompt waits for the user's
// answer), run on a thread of its own while the calling interface thread goes on
// dispatching its messages: the guard's timers keep checking drives and its windows keep
// painting. Meanwhile the thread's windows are disabled, as under a modal box, so that no
// click starts a second action.

#include <functional>

namespace qv::win32 {

// Runs `work` on a new thread and returns when it has ended, dispatching this thread's
// messages meanwhile. A WM_QUIT met on the way is posted again afterwards. False when the
// thread could not be started: `work` has not run.
bool runWhileDispatching(const std::function<void()>& work);

}  // namespace qv::win32
