#include "guard/platform/win32/host/HostContext.h"

#include "common/win32/UniqueHandle.h"

namespace qv::win32 {

namespace {

int screenDpi() {
    UniqueScreenDc screen(GetDC(nullptr));
    int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : 96;
}

}  // namespace

HostContext::HostContext(HINSTANCE instance)
    : instance_(instance ? instance : GetModuleHandleW(nullptr)), dpi_(screenDpi()), gdi_(dpi_) {}

}  // namespace qv::win32
