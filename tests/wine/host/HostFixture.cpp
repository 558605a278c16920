#include "tests/wine/host/HostFixture.h"

namespace qv::test {

namespace {

struct BoxSearch {
    const std::wstring* title;
    HWND found = nullptr;
};

BOOL CALLBACK findBox(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<BoxSearch*>(lp);
    wchar_t cls[16] = {};
    GetClassNameW(hwnd, cls, 16);
    if (std::wstring_view(cls) != L"#32770" || windowTitle(hwnd) != *s->title) return TRUE;
    s->found = hwnd;
    return FALSE;
}

}  // namespace

BoxAnswerer::BoxAnswerer(std::wstring title, int button, std::function<bool()> ready)
    : title_(std::move(title)),
      button_(button),
      ready_(std::move(ready)),
      uiThread_(GetCurrentThreadId()) {
    thread_ = CreateThread(nullptr, 0, run, this, 0, nullptr);
}

BoxAnswerer::~BoxAnswerer() {
    if (!thread_) return;
    WaitForSingleObject(thread_, 15000);
    CloseHandle(thread_);
}

// Polls for the box in 50 ms steps, for at most 10 seconds.
DWORD WINAPI BoxAnswerer::run(void* p) {
    auto* self = static_cast<BoxAnswerer*>(p);
    for (int step = 0; step < 200; ++step, Sleep(50)) {
        BoxSearch search{&self->title_};
        EnumThreadWindows(self->uiThread_, findBox, reinterpret_cast<LPARAM>(&search));
        if (!search.found || (self->ready_ && !self->ready_())) continue;
        wchar_t text[512] = {};
        GetDlgItemTextW(search.found, 0xFFFF, text, 512);
        self->text_ = text;
        self->owner_ = GetWindow(search.found, GW_OWNER);
        self->pressed_ = true;
        PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(self->button_, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(search.found, self->button_)));
        return 0;
    }
    return 1;
}

}  // namespace qv::test
