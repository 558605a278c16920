#include <windows.h>

#include "tests/wine/tools/TestKit.h"

namespace qv::testkit {

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit,
             std::chrono::milliseconds step) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        // Sleep for one step, waking for messages to this thread's windows.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(step.count()), QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

}  // namespace qv::testkit
