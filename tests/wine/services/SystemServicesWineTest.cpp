// The Win32 registry, process start, clock and single-instance services under Wine.

#include <windows.h>

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "guard/platform/win32/services/Win32Clock.h"
#include "guard/platform/win32/services/Win32Processes.h"
#include "guard/platform/win32/services/Win32Registry.h"
#include "guard/platform/win32/services/Win32SingleInstance.h"
#include "tests/wine/services/ChildModes.h"
#include "tests/wine/tools/TestKit.h"

namespace qv::win32 {
namespace {

using platform::WindowMode;
using testkit::utf8;
using testkit::waitFor;

std::string uniqueSuffix() {
    return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
}

TEST(Win32RegistryTest, TheAutostartValueIsWrittenAsAStringAndDeleted) {
    Win32Registry registry;
    const std::string run = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::string value = run + "\\QVud-test-" + uniqueSuffix();
    const std::string data = "\"C:\\Program Files\\QV盘卫士\\QVud.exe\"";

    platform::Status written = registry.writeString(value, data);
    ASSERT_TRUE(written.ok()) << written.description();
    EXPECT_EQ(registry.readString(value), data);
    ASSERT_TRUE(registry.writeString(value, "E:\\QVud.exe").ok()) << "written over";
    EXPECT_EQ(registry.readString(value), "E:\\QVud.exe");

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, testkit::wide(run.substr(19)).c_str(), 0,
                            KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
    DWORD type = 0;
    LSTATUS queried = RegQueryValueExW(key, testkit::wide(value.substr(run.size() + 1)).c_str(),
                                       nullptr, &type, nullptr, nullptr);
    RegCloseKey(key);
    EXPECT_EQ(queried, ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    ASSERT_TRUE(registry.deleteValue(value).ok());
    EXPECT_FALSE(registry.readString(value).has_value());
    platform::Status missing = registry.deleteValue(value);
    EXPECT_FALSE(missing.ok()) << "nothing left to delete";
    EXPECT_FALSE(missing.description().empty());
}

TEST(Win32RegistryTest, MissingKeysAreCreatedAndRootsHaveShortNames) {
    Win32Registry registry;
    const std::string key = "Software\\QVu-test-" + uniqueSuffix();
    const std::string value = "HKCU\\" + key + "\\deeper\\名字";
    ASSERT_TRUE(registry.writeString(value, "数据").ok());
    EXPECT_EQ(registry.readString("HKEY_CURRENT_USER\\" + key + "\\deeper\\名字"), "数据");
    EXPECT_EQ(registry.readString("hkcu\\" + key + "\\DEEPER\\名字"), "数据");
    ASSERT_TRUE(registry.deleteValue("HKEY_CURRENT_USER\\" + key + "\\deeper\\名字").ok());
    EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, testkit::wide(key).c_str()), ERROR_SUCCESS);

    EXPECT_FALSE(registry.writeString("HKEY_NOWHERE\\Software\\x", "1").ok());
    EXPECT_FALSE(registry.writeString("QVud", "1").ok());
    EXPECT_FALSE(registry.deleteValue("HKCU\\Software\\QVu-no-such-key\\x").ok());
}

// Runs this program as a child that reports the show-window request it was given.
class Win32ProcessesTest : public ::testing::Test {
protected:
    std::wstring marker(const std::wstring& name) const { return temp / name; }

    Win32Processes processes;
    testkit::TempFolder temp;
};

TEST_F(Win32ProcessesTest, AStartDoesNotWaitForTheProgram) {
    std::wstring eventName = L"QVu-test-go-" + testkit::wide(uniqueSuffix());
    HANDLE go = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(go, nullptr);
    std::wstring done = marker(L"hidden.txt");
    platform::Status started =
        processes.start(utf8(services_test::childCommandLine(L"--child-show", eventName, done)),
                        WindowMode::Hidden);
    // The child is still waiting for the event: the start came back without it.
    bool markerBeforeGo = GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES;
    SetEvent(go);
    ASSERT_TRUE(started.ok()) << started.description();
    EXPECT_FALSE(markerBeforeGo);
    EXPECT_TRUE(waitFor([&] { return testkit::readBytes(done) == "show=0"; }));
    CloseHandle(go);
}

TEST_F(Win32ProcessesTest, TheWindowModeReachesTheProgram) {
    const struct {
        WindowMode mode;
        const char* expected;
    } modes[] = {{WindowMode::Hidden, "show=0"},
                 {WindowMode::Normal, "show=1"},
                 {WindowMode::Minimized, "show=2"}};
    int n = 0;
    for (const auto& mode : modes) {
        std::wstring done = marker(L"mode" + std::to_wstring(n++) + L".txt");
        ASSERT_TRUE(processes
                        .start(utf8(services_test::childCommandLine(L"--child-show", L"-", done)),
                               mode.mode)
                        .ok());
        EXPECT_TRUE(waitFor([&] { return testkit::readBytes(done) == mode.expected; }))
            << mode.expected;
    }
}

TEST_F(Win32ProcessesTest, AHiddenCommandOfTheSystemRuns) {
    std::wstring done = marker(L"cmd marker.txt");
    ASSERT_TRUE(
        processes.start("cmd /c echo started>\"" + utf8(done) + "\"", WindowMode::Hidden).ok());
    EXPECT_TRUE(waitFor([&] {
        auto bytes = testkit::readBytes(done);
        return bytes && bytes->starts_with("started");
    }));
}

TEST_F(Win32ProcessesTest, AProgramThatCannotStartIsReported) {
    platform::Status missing = processes.start("qvu-no-such-program.exe /x", WindowMode::Normal);
    EXPECT_FALSE(missing.ok());
    EXPECT_FALSE(missing.description().empty());
    EXPECT_FALSE(processes.start("", WindowMode::Normal).ok());
}

TEST(Win32ClockTest, TheGeneralDateIsTheShortDateABlankAndTheLongTime) {
    SYSTEMTIME before{};
    GetLocalTime(&before);
    std::string text = Win32Clock().generalDateTime();
    SYSTEMTIME after{};
    GetLocalTime(&after);

    std::smatch parts;
    ASSERT_TRUE(std::regex_match(
        text, parts, std::regex(R"((\d{4})/(\d{1,2})/(\d{1,2}) (\d{1,2}):(\d{2}):(\d{2}))")))
        << text;
    auto field = [&](int i) { return std::stoi(parts[i].str()); };
    auto sameDay = [&](const SYSTEMTIME& t) {
        return field(1) == t.wYear && field(2) == t.wMonth && field(3) == t.wDay;
    };
    EXPECT_TRUE(sameDay(before) || sameDay(after)) << text;
    int seconds = field(4) * 3600 + field(5) * 60 + field(6);
    int from = before.wHour * 3600 + before.wMinute * 60 + before.wSecond;
    int to = after.wHour * 3600 + after.wMinute * 60 + after.wSecond;
    EXPECT_TRUE((seconds >= from && seconds <= to) || to < from) << text;
}

TEST(Win32SingleInstanceTest, OnlyTheFirstHolderOfTheNameIsAlone) {
    std::wstring name = L"Local\\QVu-test-instance-" + testkit::wide(uniqueSuffix());
    testkit::TempFolder temp;
    std::wstring report = temp / L"child.txt";
    {
        Win32SingleInstance first(name);
        ASSERT_TRUE(first.acquire());
        EXPECT_TRUE(first.acquire()) << "asking again keeps the claim";
        EXPECT_FALSE(Win32SingleInstance(name).acquire());

        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION child{};
        std::wstring line = services_test::childCommandLine(L"--child-instance", name, report);
        ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &child));
        WaitForSingleObject(child.hProcess, 10000);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
        EXPECT_EQ(testkit::readBytes(report), "another") << "another process sees the claim";
    }
    EXPECT_TRUE(Win32SingleInstance(name).acquire()) << "the claim ends with its holder";
}

}  // namespace
}  // namespace qv::win32
