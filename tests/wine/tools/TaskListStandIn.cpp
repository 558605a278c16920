// tasklist.exe for the Wine tests: Wine's own tasklist prints nothing, so this prints the
// running processes in the columns of the system's tool (image name, PID, session), one
// line each, for the process manager's capture into Jincheng.qvjc (the tests put it in place of
// the system folder's tasklist.exe, which the guard starts by full path).

#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <string>

namespace {

void write(const std::string& text) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()),
              &written, nullptr);
}

std::string ansi(const wchar_t* wide) {
    int n = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return {};
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, out.data(), n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

}  // namespace

int main() {
    write(
        "\r\nImage Name                     PID Session Name        Session#\r\n"
        "========================= ======== ================ ===========\r\n");
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 1;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        char line[128];
        std::snprintf(line, sizeof line, "%-25.25s %8lu Console          %11d\r\n",
                      ansi(entry.szExeFile).c_str(), entry.th32ProcessID, 1);
        write(line);
    }
    CloseHandle(snapshot);
    return 0;
}
