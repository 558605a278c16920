#include "tests/wine/host/HostFixture.h"

#include "tests/wine/tools/TestKit.h"

namespace qv::test {

BoxAnswerer::BoxAnswerer(std::wstring text, int button, std::function<bool()> ready)
    : text_(std::move(text)), button_(button), ready_(std::move(ready)) {
    thread_ = CreateThread(nullptr, 0, run, this, 0, nullptr);
}

BoxAnswerer::~BoxAnswerer() {
    if (!thread_) return;
    WaitForSingleObject(thread_, 15000);
    CloseHandle(thread_);
}

DWORD WINAPI BoxAnswerer::run(void* p) {
    auto* self = static_cast<BoxAnswerer*>(p);
    HWND box = nullptr;
    bool found = testkit::waitFor([&] {
        box = testkit::findMessageBox(self->text_, GetCurrentProcessId());
        return box && (!self->ready_ || self->ready_());
    });
    if (!found) return 1;
    self->title_ = testkit::windowText(box);
    self->owner_ = GetWindow(box, GW_OWNER);
    self->topmost_ = (GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    self->pressed_ = testkit::pressButton(box, self->button_);
    return 0;
}

}  // namespace qv::test
