// The services' Wine tests, and the child program some of them start: run as
// "qv_services_wine_tests --child-show MARKER EVENT", this program waits (at most 10 s)
// for the named event, then writes into MARKER the show command it was started with and
// whether the event came.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/win32/UniqueHandle.h"
#include "tests/wine/tools/TestKit.h"

namespace {

int runChild(const std::wstring& marker, const std::wstring& event) {
    qv::win32::UniqueKernelHandle released(OpenEventW(SYNCHRONIZE, FALSE, event.c_str()));
    bool came = released && WaitForSingleObject(released.get(), 10000) == WAIT_OBJECT_0;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    std::string text = std::to_string((startup.dwFlags & STARTF_USESHOWWINDOW)
                                          ? static_cast<int>(startup.wShowWindow)
                                          : -1) +
                       (came ? " released" : " not-released");
    return qv::testkit::writeBytes(marker, text) ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wstring(argv[1]) == L"--child-show") return runChild(argv[2], argv[3]);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
