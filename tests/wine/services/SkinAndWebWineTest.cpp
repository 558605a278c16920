// The skinning library binding and the background page visit under Wine. The library is
// the recording stand-in built beside this program; the page comes from a loopback server
// of the test's own, which answers only after the visit has been started.

#include <winsock2.h>
#include <ws2tcpip.h>

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "guard/platform/win32/services/Win32Skin.h"
#include "guard/platform/win32/services/Win32WebVisit.h"
#include "tests/wine/tools/TestKit.h"

namespace qv::win32 {
namespace {

template <typename Function>
Function exported(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

TEST(Win32SkinTest, TheLibraryIsBoundAtTheFirstAttachAndGetsAnsiText) {
    ASSERT_EQ(GetModuleHandleW(Win32Skin::kLibraryName), nullptr);
    Win32Skin skin;
    EXPECT_EQ(GetModuleHandleW(Win32Skin::kLibraryName), nullptr) << "not bound before use";

    skin.attach("Pifu.she", "");
    HMODULE library = GetModuleHandleW(Win32Skin::kLibraryName);
    ASSERT_NE(library, nullptr);
    auto file = exported<const char* (*)()>(library, "RecordedSkinFile");
    auto password = exported<const char* (*)()>(library, "RecordedPassword");
    auto calls = exported<int (*)()>(library, "RecordedCalls");
    ASSERT_TRUE(file && password && calls);
    EXPECT_EQ(std::string(file()), "Pifu.she");
    EXPECT_EQ(std::string(password()), "");
    EXPECT_EQ(calls(), 1);

    skin.attach("皮肤\\Pifu.she", "密码");
    EXPECT_EQ(std::string(file()), testkit::toGbk("皮肤\\Pifu.she"));
    EXPECT_EQ(std::string(password()), testkit::toGbk("密码"));
    EXPECT_EQ(calls(), 2);
}

TEST(Win32SkinTest, AMissingLibraryOrEntryPointIsPassedOver) {
    Win32Skin missing(L"qvu-no-such-skin.dll");
    missing.attach("Pifu.she", "");
    missing.attach("Pifu.she", "");
    EXPECT_EQ(GetModuleHandleW(L"qvu-no-such-skin.dll"), nullptr);
    Win32Skin withoutEntry(L"version.dll");  // a library without SkinH_AttachEx
    withoutEntry.attach("Pifu.she", "");
}

// A one-connection HTTP server on 127.0.0.1 and a port of the system's choice.
class LoopbackServer {
public:
    LoopbackServer() {
        WSADATA data;
        started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
        if (!started_) return;
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
    }
    ~LoopbackServer() {
        if (client_ != INVALID_SOCKET) closesocket(client_);
        if (listener_ != INVALID_SOCKET) closesocket(listener_);
        if (started_) WSACleanup();
    }

    int port() const { return port_; }

    // The head of the first request, once one arrives within the bound.
    std::optional<std::string> request() {
        if (!readable(listener_)) return std::nullopt;
        client_ = accept(listener_, nullptr, nullptr);
        if (client_ == INVALID_SOCKET) return std::nullopt;
        std::string head;
        char buffer[4096];
        while (head.find("\r\n\r\n") == std::string::npos && readable(client_)) {
            int got = recv(client_, buffer, sizeof buffer, 0);
            if (got <= 0) break;
            head.append(buffer, static_cast<size_t>(got));
        }
        return head;
    }

    // Sends the whole answer, ends this side, and tells whether the client then closed.
    bool answerAndSeeClientClose(const std::string& answer) {
        if (send(client_, answer.data(), static_cast<int>(answer.size()), 0) !=
            static_cast<int>(answer.size())) {
            return false;
        }
        shutdown(client_, SD_SEND);
        char buffer[256];
        while (readable(client_)) {
            int got = recv(client_, buffer, sizeof buffer, 0);
            if (got == 0) return true;
            if (got < 0) return false;
        }
        return false;
    }

private:
    static bool readable(SOCKET s) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(s, &set);
        timeval limit{10, 0};
        return select(0, &set, nullptr, nullptr, &limit) == 1;
    }

    bool started_ = false;
    SOCKET listener_ = INVALID_SOCKET;
    SOCKET client_ = INVALID_SOCKET;
    int port_ = 0;
};

TEST(Win32WebVisitTest, ThePageIsLoadedInTheBackground) {
    LoopbackServer server;
    ASSERT_NE(server.port(), 0);
    Win32WebVisit web;
    web.navigate("not an address");  // fails on its own thread, silently
    // The server has not even accepted the connection when navigate comes back.
    web.navigate("http://127.0.0.1:" + std::to_string(server.port()) +
                 "/forum.php?mod=viewthread&tid=5&extra=page%3D1");

    auto request = server.request();
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->substr(0, request->find("\r\n")),
              "GET /forum.php?mod=viewthread&tid=5&extra=page%3D1 HTTP/1.1");
    EXPECT_TRUE(server.answerAndSeeClientClose(
        "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 13\r\n"
        "Connection: close\r\n\r\n<html></html>"))
        << "the visit reads the page and lets go of the connection";
}

}  // namespace
}  // namespace qv::win32
