// Registry values, started programs, the general date text, the single-instance claim,
// the skinning library's entry point and the background page visit.

#include <winsock2.h>
#include <ws2tcpip.h>
// After windows.h, which it needs.
#include <sddl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <regex>
#include <thread>

#include "common/win32/Folders.h"
#include "common/win32/Ownership.h"
#include "common/win32/Privileges.h"
#include "common/win32/UniqueHandle.h"
#include "guard/platform/CommandLine.h"
#include "guard/platform/win32/services/Win32Clock.h"
#include "guard/platform/win32/services/Win32Elevation.h"
#include "guard/platform/win32/services/Win32Folders.h"
#include "guard/platform/win32/services/Win32Processes.h"
#include "guard/platform/win32/services/Win32Registry.h"
#include "guard/platform/win32/services/Win32SingleInstance.h"
#include "guard/platform/win32/services/Win32Skin.h"
#include "guard/platform/win32/services/Win32WebVisit.h"
#include "guard/platform/win32/skin/SkinPalette.h"
#include "tests/wine/tools/TestKit.h"

namespace {

using namespace qv::testkit;
using qv::platform::WindowMode;

std::optional<std::wstring> registryString(HKEY root, const std::wstring& key,
                                           const std::wstring& value) {
    wchar_t data[512] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(root, key.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, data, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(data);
}

TEST(RegistryTest, WritesAndDeletesStringValuesByFullPath) {
    const std::wstring key = L"Software\\QVuTests\\" + std::to_wstring(GetCurrentProcessId());
    const std::string path = "HKEY_CURRENT_USER\\" + utf8(key) + "\\QVud";
    qv::win32::Win32Registry registry;

    ASSERT_TRUE(registry.writeString(path, "C:\\工具\\QVud.exe").ok());
    EXPECT_EQ(registryString(HKEY_CURRENT_USER, key, L"QVud"), L"C:\\工具\\QVud.exe");
    EXPECT_EQ(registry.readValue(path),
              (qv::platform::RegistryValue{qv::platform::RegistryValue::Type::String,
                                           "C:\\工具\\QVud.exe", 0}));
    // The short root name and any case name the same key; writing again replaces.
    ASSERT_TRUE(registry.writeString("hkcu\\" + utf8(key) + "\\QVud", "second").ok());
    EXPECT_EQ(registryString(HKEY_CURRENT_USER, key, L"QVud"), L"second");

    ASSERT_TRUE(registry.deleteValue(path).ok());
    EXPECT_EQ(registryString(HKEY_CURRENT_USER, key, L"QVud"), std::nullopt);
    auto again = registry.deleteValue(path);
    EXPECT_FALSE(again.ok());
    EXPECT_FALSE(again.description().empty());
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QVuTests");
}

TEST(RegistryTest, WritesTheMachineRunKey) {
    const std::wstring run = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::wstring name = L"QVudTest" + std::to_wstring(GetCurrentProcessId());
    const std::string path = "HKEY_LOCAL_MACHINE\\" + utf8(run) + "\\" + utf8(name);
    qv::win32::Win32Registry registry;
    ASSERT_TRUE(registry.writeString(path, "C:\\QVud.exe").ok());
    EXPECT_EQ(registryString(HKEY_LOCAL_MACHINE, run, name), L"C:\\QVud.exe");
    ASSERT_TRUE(registry.deleteValue("HKLM\\" + utf8(run) + "\\" + utf8(name)).ok());
    EXPECT_EQ(registryString(HKEY_LOCAL_MACHINE, run, name), std::nullopt);
}

TEST(RegistryTest, ReadsNumbersDefaultValuesAndKeysBack) {
    const std::wstring key = L"Software\\QVuTests\\Read" + std::to_wstring(GetCurrentProcessId());
    const std::string path = "HKCU\\" + utf8(key);
    DWORD four = 4;
    ASSERT_EQ(
        RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Start", REG_DWORD, &four, sizeof four),
        ERROR_SUCCESS);
    const wchar_t text[] = L"@SYS:DoesNotExist";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), nullptr, REG_SZ, text, sizeof text),
              ERROR_SUCCESS);
    qv::win32::Win32Registry registry;
    using Type = qv::platform::RegistryValue::Type;
    EXPECT_EQ(registry.readValue(path + "\\Start"),
              (qv::platform::RegistryValue{Type::Number, "", 4}));
    EXPECT_EQ(registry.readValue(path + "\\"),
              (qv::platform::RegistryValue{Type::String, "@SYS:DoesNotExist", 0}));
    EXPECT_EQ(registry.readValue(path + "\\Missing"), std::nullopt);
    EXPECT_TRUE(registry.keyExists(path));
    EXPECT_FALSE(registry.keyExists(path + "\\Nothing"));
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QVuTests");
    EXPECT_FALSE(registry.keyExists(path));
    EXPECT_EQ(registry.readValue(path + "\\Start"), std::nullopt);
}

TEST(RegistryTest, MalformedPathsFailWithoutTouchingTheRegistry) {
    qv::win32::Win32Registry registry;
    const char withNul[] = "HKCU\\Software\\a\0b";
    for (const std::string& bad :
         std::vector<std::string>{"", "QVud", "HKEY_NOWHERE\\Software\\QVud", "HKCUX\\Software\\v",
                                  std::string(withNul, sizeof withNul - 1)}) {
        EXPECT_FALSE(registry.writeString(bad, "x").ok()) << bad;
        EXPECT_FALSE(registry.deleteValue(bad).ok()) << bad;
    }
}

TEST(ProcessesTest, HiddenCommandRunsWithoutBeingWaitedFor) {
    TempFolder folder;
    ASSERT_FALSE(folder.path().empty());
    qv::win32::Win32Processes processes;
    std::wstring marker = folder / L"标记.txt";
    const std::string cmd = qv::platform::quoted(qv::win32::systemFolder() + "\\cmd.exe");
    auto started =
        processes.start(cmd + " /c echo done> \"" + utf8(marker) + "\"", WindowMode::Hidden);
    ASSERT_TRUE(started.ok()) << started.description();
    EXPECT_TRUE(waitFor([&] { return readBytes(marker).value_or("").find("done") == 0; }));

    std::wstring made = folder / L"最小化";
    ASSERT_TRUE(
        processes.start(cmd + " /c mkdir \"" + utf8(made) + "\"", WindowMode::Minimized).ok());
    EXPECT_TRUE(
        waitFor([&] { return GetFileAttributesW(made.c_str()) != INVALID_FILE_ATTRIBUTES; }));
}

TEST(ProcessesTest, WindowModeReachesTheProgramAndStartNeverWaits) {
    wchar_t self[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    TempFolder folder;
    qv::win32::Win32Processes processes;
    const struct {
        WindowMode mode;
        const char* expected;
    } cases[] = {{WindowMode::Hidden, "0 released"},
                 {WindowMode::Normal, "1 released"},
                 {WindowMode::Minimized, "2 released"}};
    int n = 0;
    for (const auto& c : cases) {
        std::wstring marker = folder / (L"mode" + std::to_wstring(++n) + L".txt");
        std::wstring event = L"Local\\QVuTest.Release." + std::to_wstring(GetCurrentProcessId()) +
                             L"." + std::to_wstring(n);
        qv::win32::UniqueKernelHandle release(CreateEventW(nullptr, TRUE, FALSE, event.c_str()));
        ASSERT_TRUE(release);
        std::string line = "\"";
        line.append(utf8(self)).append("\" --child-show \"").append(utf8(marker));
        line.append("\" ").append(utf8(event));
        auto started = processes.start(line, c.mode);
        // Only now may the child finish: had start() waited for it, the child would have
        // given up waiting and written "not-released".
        SetEvent(release.get());
        ASSERT_TRUE(started.ok()) << started.description();
        EXPECT_TRUE(waitFor([&] { return readBytes(marker).value_or("") == c.expected; }))
            << readBytes(marker).value_or("(no marker)");
    }
}

TEST(ProcessesTest, EndingAWatchedProgramEndsTheProgramItStarted) {
    wchar_t self[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    TempFolder folder;
    qv::win32::Win32Processes processes;
    const std::string image = "QV_SERVICES_WINE_TESTS.EXE";
    std::wstring marker = folder / L"child.txt";
    std::wstring event = L"Local\\QVuTest.NeverSet." + std::to_wstring(GetCurrentProcessId());
    qv::win32::UniqueKernelHandle never(CreateEventW(nullptr, TRUE, FALSE, event.c_str()));
    ASSERT_TRUE(never);
    // The command interpreter starts this program, which waits for an event nobody sets.
    const std::string line = qv::platform::quoted(qv::win32::systemFolder() + "\\cmd.exe") +
                             " /d /s /c \"\"" + utf8(self) + "\" --child-show \"" + utf8(marker) +
                             "\" " + utf8(event) + "\"";
    qv::platform::WatchedStart started = processes.startWatched(line, WindowMode::Hidden);
    ASSERT_TRUE(started.status.ok()) << started.status.description();
    ASSERT_TRUE(waitFor([&] { return processes.running(image).count == 2; }));
    EXPECT_FALSE(started.program->exitCode());

    EXPECT_TRUE(started.program->end());
    EXPECT_TRUE(waitFor([&] { return started.program->exitCode().has_value(); }));
    EXPECT_TRUE(waitFor([&] { return processes.running(image).count == 1; }))
        << "the program the interpreter started has ended too";
    EXPECT_FALSE(readBytes(marker)) << "it never came to write";
}

TEST(ProcessesTest, AFailedStartIsReportedWithTheSystemText) {
    qv::win32::Win32Processes processes;
    auto missing = processes.start("C:\\no\\such\\program.exe /x", WindowMode::Normal);
    EXPECT_FALSE(missing.ok());
    EXPECT_FALSE(missing.description().empty());
    EXPECT_FALSE(processes.start("", WindowMode::Hidden).ok());
}

TEST(ProcessesTest, ABareNameIsRefusedEvenWhenTheCurrentFolderHoldsSuchAProgram) {
    TempFolder planted(L"qv-planted");
    wchar_t self[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    ASSERT_TRUE(CopyFileW(self, (planted / L"cmd.exe").c_str(), FALSE));
    wchar_t before[MAX_PATH] = {};
    ASSERT_NE(GetCurrentDirectoryW(MAX_PATH, before), 0u);
    ASSERT_TRUE(SetCurrentDirectoryW(planted.path().c_str()));
    qv::win32::Win32Processes processes;
    auto bare = processes.start("cmd.exe /c exit", WindowMode::Hidden);
    auto relative = processes.start(".\\cmd.exe /c exit", WindowMode::Hidden);
    SetCurrentDirectoryW(before);
    EXPECT_FALSE(bare.ok());
    EXPECT_FALSE(relative.ok());
    EXPECT_EQ(processes.running("cmd.exe").count, 0) << "the planted program never ran";
}

TEST(ProcessesTest, RunningProgramsAreCountedByTheNameOfTheirFile) {
    qv::win32::Win32Processes processes;
    qv::platform::RunningPrograms self = processes.running("QV_SERVICES_WINE_TESTS.EXE");
    EXPECT_EQ(self.count, 1);
    EXPECT_EQ(self.beyondReach, 0);
    EXPECT_EQ(processes.running("no-such-program.exe").count, 0);
}

TEST(FoldersTest, TheProgramFolderIsTheFolderOfTheProgramNotTheCurrentOne) {
    TempFolder elsewhere(L"qv-current");
    wchar_t before[MAX_PATH] = {};
    ASSERT_NE(GetCurrentDirectoryW(MAX_PATH, before), 0u);
    ASSERT_TRUE(SetCurrentDirectoryW(elsewhere.path().c_str()));
    qv::win32::Win32Folders folders("D:\\数据");
    SetCurrentDirectoryW(before);
    EXPECT_EQ(folders.programFolder(), utf8(windowsPath(QV_SERVICES_TEST_FOLDER)));
    EXPECT_EQ(folders.dataFolder(), "D:\\数据");
    EXPECT_EQ(folders.systemFolder(), qv::win32::systemFolder());
    EXPECT_EQ(folders.windowsFolder(), qv::win32::windowsFolder());
    EXPECT_FALSE(folders.systemFolder().empty());
}

// Wine runs a program asked for with the verb "runas" at once, without a prompt.
TEST(ElevationTest, AnElevatedStartIsWatchedToItsExitCode) {
    qv::win32::Win32Elevation elevation;
    EXPECT_TRUE(elevation.elevated()) << "Wine's processes run with an administrator's token";
    qv::platform::ElevatedStart started = elevation.startElevated(
        qv::win32::systemFolder() + "\\cmd.exe", "/d /c exit 7", WindowMode::Hidden);
    ASSERT_EQ(started.result, qv::platform::ElevatedStart::Result::Started) << started.reason;
    ASSERT_TRUE(started.program);
    std::optional<unsigned long> code;
    EXPECT_TRUE(waitFor([&] { return (code = started.program->exitCode()).has_value(); }));
    EXPECT_EQ(code, 7u);

    qv::platform::ElevatedStart missing =
        elevation.startElevated("C:\\no\\such\\program.exe", "", WindowMode::Hidden);
    EXPECT_EQ(missing.result, qv::platform::ElevatedStart::Result::Failed);
    EXPECT_FALSE(missing.reason.empty());
}

// Whether this process's token has the privilege `name` enabled now.
bool privilegeEnabled(const wchar_t* name) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    LUID luid{};
    LookupPrivilegeValueW(nullptr, name, &luid);
    PRIVILEGE_SET set{1, PRIVILEGE_SET_ALL_NECESSARY, {{luid, 0}}};
    BOOL held = FALSE;
    PrivilegeCheck(token, &set, &held);
    CloseHandle(token);
    return held != FALSE;
}

// The uninstaller ends other users' guards with the debug privilege, and starts its
// commands afterwards: they inherit its token as it is then, without it.
TEST(PrivilegesTest, APrivilegeIsEnabledForTheScopeOnly) {
    ASSERT_FALSE(privilegeEnabled(SE_DEBUG_NAME)) << "held disabled, as an elevated token has it";
    {
        qv::win32::PrivilegeEnabled debugging(SE_DEBUG_NAME);
        EXPECT_TRUE(privilegeEnabled(SE_DEBUG_NAME));
    }
    EXPECT_FALSE(privilegeEnabled(SE_DEBUG_NAME));
}

// A quarantine copy is trusted when this user or an administrator made it, never when
// another ordinary user did.
TEST(OwnershipTest, OnlyThisUserOrAnAdministratorOwnsWhatIsTrusted) {
    auto sid = [](const wchar_t* text) {
        PSID made = nullptr;
        ConvertStringSidToSidW(text, &made);
        return std::unique_ptr<void, decltype(&LocalFree)>(made, &LocalFree);
    };
    auto user = sid(L"S-1-5-21-1-2-3-1001"), other = sid(L"S-1-5-21-1-2-3-1002");
    EXPECT_TRUE(qv::win32::trustedOwner(user.get(), user.get()));
    EXPECT_TRUE(qv::win32::trustedOwner(sid(L"S-1-5-32-544").get(), user.get()));  // Administrators
    EXPECT_TRUE(qv::win32::trustedOwner(sid(L"S-1-5-18").get(), user.get()));      // SYSTEM
    EXPECT_FALSE(qv::win32::trustedOwner(other.get(), user.get()));
    EXPECT_FALSE(qv::win32::trustedOwner(sid(L"S-1-5-32-545").get(), user.get()));  // Users
    EXPECT_FALSE(qv::win32::trustedOwner(sid(L"S-1-1-0").get(), user.get()));       // Everyone
    EXPECT_FALSE(qv::win32::trustedOwner(nullptr, user.get()));

    TempFolder folder{L"qv-owner"};
    ASSERT_TRUE(writeBytes(folder / L"mine.qvq", "x"));
    qv::win32::UniqueFile mine(CreateFileW((folder / L"mine.qvq").c_str(), GENERIC_READ,
                                           FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(mine);
    EXPECT_TRUE(qv::win32::ownedByThisUserOrAdministrators(mine.get()));
}

TEST(ClockTest, GeneralDateIsShortDateBlankLongTimeOfNow) {
    // The prefix's Chinese locale writes "2026/12/8 14:03:59".
    SYSTEMTIME before{};
    SYSTEMTIME after{};
    GetLocalTime(&before);
    std::string text = qv::win32::Win32Clock().generalDateTime();
    GetLocalTime(&after);
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(
        text, parts, std::regex(R"((\d{4})/(\d{1,2})/(\d{1,2}) (\d{1,2}):(\d{2}):(\d{2}))")))
        << text;
    auto sameDay = [&](const SYSTEMTIME& t) {
        return std::stoi(parts[1]) == t.wYear && std::stoi(parts[2]) == t.wMonth &&
               std::stoi(parts[3]) == t.wDay && std::stoi(parts[4]) == t.wHour;
    };
    EXPECT_TRUE(sameDay(before) || sameDay(after)) << text;
    EXPECT_LT(std::stoi(parts[5]), 60);
    EXPECT_LT(std::stoi(parts[6]), 60);
}

TEST(SingleInstanceTest, OnlyTheFirstClaimIsHeldAndANameOfAnotherKindTellsNothing) {
    using qv::platform::InstanceClaim;
    std::wstring name = L"Local\\QVuTest." + std::to_wstring(GetCurrentProcessId());
    {
        qv::win32::Win32SingleInstance first(name);
        ASSERT_EQ(first.claim(), InstanceClaim::Held);
        EXPECT_EQ(first.claim(), InstanceClaim::Held);  // asking again keeps the claim
        qv::win32::Win32SingleInstance second(name);
        EXPECT_EQ(second.claim(), InstanceClaim::TakenByAnother);
        EXPECT_EQ(second.claim(), InstanceClaim::TakenByAnother);
    }
    qv::win32::Win32SingleInstance later(name);
    EXPECT_EQ(later.claim(), InstanceClaim::Held);

    // An event of that name: no mutex can be made, which says nothing of another copy.
    std::wstring taken = name + L".event";
    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, taken.c_str());
    ASSERT_NE(event, nullptr);
    qv::win32::Win32SingleInstance blocked(taken);
    EXPECT_EQ(blocked.claim(), InstanceClaim::Unavailable);
    CloseHandle(event);
}

// A dialog template with one push button, for windows made after a skin was applied.
struct ButtonDialog {
    DLGTEMPLATE dialog{WS_POPUP | WS_CAPTION, 0, 1, 0, 0, 120, 60};
    WORD menu = 0, windowClass = 0, title = 0;
    alignas(DWORD) DLGITEMTEMPLATE item{
        WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 10, 10, 60, 14, IDOK};
    WORD itemClass[2] = {0xFFFF, 0x0080};  // BUTTON
    WORD itemTitle = 0, extra = 0;
};

INT_PTR CALLBACK quietDialog(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

TEST(SkinTest, OurEngineAppliesAGoodFileOnlyAndSkinsWindowsMadeLater) {
    TempFolder folder(L"qv-skin");
    const std::wstring damaged = folder / L"damaged.she";
    const std::wstring good = folder / L"皮肤.she";
    ASSERT_TRUE(writeBytes(damaged, "[skin]\n[window]\nface = #12345\ntext = #000000\n"));
    ASSERT_TRUE(writeBytes(good,
                           "[skin]\nname = 测试\n[window]\nface = #102030\ntext = #FFFFFF\n"
                           "[button]\nface = #405060\n"));
    qv::win32::Win32Skin skin;
    skin.attach(utf8(folder / L"missing.she"), "");
    skin.attach(utf8(damaged), "");
    EXPECT_EQ(qv::win32::skin::activeTheme(), nullptr) << "a missing or damaged file: no skin";

    skin.attach(utf8(good), "");  // the name reaches the engine in the ANSI code page
    const qv::skin::Theme* theme = qv::win32::skin::activeTheme();
    ASSERT_NE(theme, nullptr);
    EXPECT_EQ(theme->name, "测试");
    EXPECT_EQ(theme->windowFace, RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(qv::win32::skin::systemColour(COLOR_BTNFACE), RGB(0x10, 0x20, 0x30));

    skin.attach(utf8(damaged), "");
    ASSERT_NE(qv::win32::skin::activeTheme(), nullptr) << "a skin once applied stays";

    ButtonDialog form;
    HWND dialog = CreateDialogIndirectParamW(nullptr, &form.dialog, nullptr, quietDialog, 0);
    ASSERT_NE(dialog, nullptr);
    HWND button = GetDlgItem(dialog, IDOK);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW)
        << "a push button made after the skin is drawn by the skin";
    SendMessageW(dialog, DM_SETDEFID, IDOK, 0);
    EXPECT_EQ(GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW)
        << "and stays so when it becomes the default button";
    HDC dc = GetDC(dialog);
    auto surface = reinterpret_cast<HBRUSH>(
        SendMessageW(dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), (LPARAM)dialog));
    ReleaseDC(dialog, dc);
    LOGBRUSH colour{};
    ASSERT_TRUE(surface && GetObjectW(surface, sizeof colour, &colour));
    EXPECT_EQ(colour.lbColor, RGB(0x10, 0x20, 0x30)) << "the dialog's surface is the skin's";
    DestroyWindow(dialog);
}

// One HTTP exchange on a loopback socket, run on a thread of its own: take the request,
// wait until the test lets it answer, answer, and see the client close the connection.
class PageServer {
public:
    PageServer() {
        WSADATA data;
        started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int length = sizeof address;
        if (listener_ == INVALID_SOCKET ||
            bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(listener_, 1) != 0 ||
            getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            return;
        }
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~PageServer() {
        release_ = true;
        if (thread_.joinable()) thread_.join();
        if (listener_ != INVALID_SOCKET) closesocket(listener_);
        if (started_) WSACleanup();
    }

    int port() const { return port_; }
    std::atomic<bool> requestSeen{false};
    std::atomic<bool> gaveUpWaiting{false};
    std::atomic<bool> clientClosed{false};
    std::string request;  // read by the test only after requestSeen
    void release() { release_ = true; }

private:
    static bool readable(SOCKET s, int milliseconds) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(s, &set);
        timeval limit{milliseconds / 1000, (milliseconds % 1000) * 1000};
        return select(0, &set, nullptr, nullptr, &limit) == 1;
    }

    void serve() {
        if (!readable(listener_, 10000)) return;
        SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) return;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos && readable(client, 10000)) {
            int got = recv(client, buffer, sizeof buffer, 0);
            if (got <= 0) break;
            request.append(buffer, static_cast<size_t>(got));
        }
        requestSeen = true;
        // Well inside the visitor's own time-outs, so a visitor that blocked its caller
        // until it gave up would leave this server waiting in vain.
        if (!waitFor([this] { return release_.load(); }, std::chrono::seconds(8))) {
            gaveUpWaiting = true;
        }
        std::string body(100000, 'x');
        std::string answer = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                             std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
        send(client, answer.data(), static_cast<int>(answer.size()), 0);
        shutdown(client, SD_SEND);
        while (readable(client, 10000)) {
            int got = recv(client, buffer, sizeof buffer, 0);
            if (got <= 0) {
                clientClosed = got == 0;
                break;
            }
        }
        closesocket(client);
    }

    bool started_ = false;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::thread thread_;
    std::atomic<bool> release_{false};
};

TEST(WebVisitTest, PageIsLoadedInTheBackground) {
    PageServer server;
    ASSERT_NE(server.port(), 0);
    qv::win32::Win32WebVisit web;
    web.navigate("http://127.0.0.1:" + std::to_string(server.port()) + "/tj.asp?id=QVud");
    // navigate() has returned while the server still holds back its answer.
    ASSERT_TRUE(waitFor([&] { return server.requestSeen.load(); }));
    EXPECT_FALSE(server.gaveUpWaiting.load());
    EXPECT_EQ(server.request.rfind("GET /tj.asp?id=QVud HTTP/1.1\r\n", 0), 0u) << server.request;
    server.release();
    // The visitor reads the page to its end and closes the connection.
    EXPECT_TRUE(waitFor([&] { return server.clientClosed.load(); }, std::chrono::seconds(15)));
}

}  // namespace
