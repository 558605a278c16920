#pragma once
// What all the windows of one Win32Host share: the module their classes belong to, the
// dots per inch that turn twips into pixels, the GDI objects they draw with, and the mark
// that the host itself is changing windows (notifications sent meanwhile are the host's
// own echo and never reach the model).

#include <windows.h>

#include "guard/platform/win32/host/GdiCache.h"
#include "guard/platform/win32/host/Units.h"

namespace qv::win32 {

class HostContext {
public:
    // The system's dots per inch, as the program sees them (96 when they cannot be read).
    explicit HostContext(HINSTANCE instance);
    HostContext(const HostContext&) = delete;
    HostContext& operator=(const HostContext&) = delete;

    HINSTANCE instance() const { return instance_; }
    int dpi() const { return dpi_; }
    int toPixels(int twips) const { return twipsToPixels(twips, dpi_); }
    int toTwips(int pixels) const { return pixelsToTwips(pixels, dpi_); }
    GdiCache& gdi() { return gdi_; }

    // True while a Quiet of this context lives.
    bool quiet() const { return quiet_ > 0; }
    class Quiet {
    public:
        explicit Quiet(HostContext& context) : context_(context) { ++context_.quiet_; }
        ~Quiet() { --context_.quiet_; }
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;

    private:
        HostContext& context_;
    };

private:
    HINSTANCE instance_;
    int dpi_ = 96;
    GdiCache gdi_;
    int quiet_ = 0;
};

}  // namespace qv::win32
