#pragma once
// While alive, the system reports a drive without a medium (an empty card reader, an open
// CD tray) to this thread as an error instead of asking the user in a dialog.

#include <windows.h>

namespace qv::win32 {

class QuietDriveErrors {
public:
    QuietDriveErrors() {
        if (!SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_)) {
            restore_ = false;
        }
    }
    ~QuietDriveErrors() {
        if (restore_) SetThreadErrorMode(previous_, nullptr);
    }
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

private:
    DWORD previous_ = 0;
    bool restore_ = true;
};

}  // namespace qv::win32
