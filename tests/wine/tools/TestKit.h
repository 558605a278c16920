#pragma once
// What the Wine test programs share: simulated drives that come and go while programs
// run, bounded waiting, programs started in a folder of their own, finding windows and
// answering message boxes, the screen's pixels and screenshots, and temporary folders and
// files. Windows paths are UTF-16; text handed in is UTF-8.

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qv::testkit {

using namespace std::chrono_literals;

// ---- Waiting ------------------------------------------------------------------------------

// Asks `condition` every `step` until it holds or `limit` has passed; true when it held.
// Messages sent or posted to this thread's windows are handled while waiting.
bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = 10s,
             std::chrono::milliseconds step = 50ms);

// ---- Simulated drives ---------------------------------------------------------------------

// Defines drive `letter` (any case) of the system type `driveType` (DRIVE_REMOVABLE,
// DRIVE_FIXED, DRIVE_REMOTE, DRIVE_CDROM, DRIVE_RAMDISK) over the Unix folder `unixFolder`
// (UTF-8), by asking Wine's mount manager as winecfg does. Running programs see the drive
// at their next look at the drive list. False (with GetLastError set) when refused.
bool defineDrive(char letter, UINT driveType, const std::string& unixFolder);
// Removes drive `letter` again (a USB stick pulled out).
bool removeDrive(char letter);
// The Unix path (UTF-8) of a Windows path, or of a Unix path given as it is; nullopt
// outside Wine or for a path Wine cannot map.
std::optional<std::string> unixPath(const std::wstring& windowsPath);
// A Windows path for a Unix path (UTF-8); a path not starting with "/" is returned as it is.
std::wstring windowsPath(const std::string& path);
// The first letter from `from` to 'y' that no drive uses now; nullopt when all are taken.
std::optional<char> freeDriveLetter(char from = 'm');

// A drive defined for the life of the object over a Windows folder (which must exist).
class SimulatedDrive {
public:
    SimulatedDrive(char letter, UINT driveType, const std::wstring& folder);
    ~SimulatedDrive();
    SimulatedDrive(const SimulatedDrive&) = delete;
    SimulatedDrive& operator=(const SimulatedDrive&) = delete;

    bool ok() const { return defined_; }
    char letter() const { return letter_; }
    // "x:\" with the lower-case letter.
    std::wstring root() const;
    // Pulls the drive out before the object goes away.
    void remove();

private:
    char letter_;
    bool defined_ = false;
};

// ---- Programs under test ------------------------------------------------------------------

// A program started by a test, ended by the object when the test has left it running.
class TestProcess {
public:
    // Starts `exe` (a Windows path), with `arguments` after its quoted path on the command
    // line, in the current directory `folder` (this program's when empty); check started().
    explicit TestProcess(const std::wstring& exe, const std::wstring& folder = {},
                         const std::wstring& arguments = {});
    ~TestProcess();
    TestProcess(const TestProcess&) = delete;
    TestProcess& operator=(const TestProcess&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }
    bool running() const;
    // Waits at most `ms` for the program to end; its exit code, or -1 while it runs (or
    // when it never started).
    long waitForExit(int ms = 10000) const;
    // Ends the program if it runs, and waits (boundedly) until it has.
    void terminate();

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// ---- Windows and message boxes ------------------------------------------------------------

// The text of a window as the system keeps it (the title of a top-level window, the
// caption a control was given by WM_SETTEXT); never sends a message.
std::wstring windowText(HWND window);
// The text a control of another process shows now, asked for with WM_GETTEXT (an edit
// control keeps its own text); "" when the window does not answer within 5 s.
std::wstring controlText(HWND window);
std::wstring windowClass(HWND window);
// A visible top-level window whose title is exactly `title` (and whose class is
// `className` when that is not empty), of process `processId` when that is not 0.
HWND findTopWindow(std::wstring_view title, std::wstring_view className = {}, DWORD processId = 0);
// A top-level window, shown or hidden, of the class `className`, of process `processId`
// when that is not 0, for which `test` holds when it is given; nullptr when none.
HWND findTopWindowOfClass(std::wstring_view className, DWORD processId = 0,
                          const std::function<bool(HWND)>& test = {});
// A visible message box (a "#32770" dialog) whose message contains `text`, of process
// `processId` when that is not 0; nullptr when none.
HWND findMessageBox(std::wstring_view text, DWORD processId = 0);
// The message a message box shows.
std::wstring messageBoxText(HWND box);
// Presses the button `id` (IDOK, IDCANCEL, IDYES, ...) of a dialog, as a click does.
// False when the dialog has no such enabled button.
bool pressButton(HWND dialog, int id);

// ---- The screen and screenshots -----------------------------------------------------------

// The screen's logical pixels per inch (96 unless the prefix says otherwise).
int screenDpi();
// The colour of one pixel of the screen as it is shown now.
COLORREF screenPixel(int x, int y);

// Saves the whole screen as a 24-bit BMP `name`.bmp in the folder named by the
// environment variable QV_ARTEFACTS (a Unix or Windows path). Returns the file written;
// nullopt when QV_ARTEFACTS is not set or the file could not be written.
std::optional<std::wstring> saveScreenshot(std::wstring_view name);
// The same for the screen area of `window` only (frame included), after having it and its
// controls painted anew, so that a window shown a moment ago is captured complete.
std::optional<std::wstring> saveScreenshot(std::wstring_view name, HWND window);

// ---- Files --------------------------------------------------------------------------------

// A new, empty folder under the system's temporary folder, removed with everything in it
// when the object goes away (links inside are removed, never followed).
class TempFolder {
public:
    explicit TempFolder(std::wstring_view prefix = L"qvu");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, without a trailing backslash; empty when it could not be made.
    const std::wstring& path() const { return path_; }
    std::wstring operator/(std::wstring_view name) const {
        return path_ + L"\\" + std::wstring(name);
    }

private:
    std::wstring path_;
};

// Removes a file or a folder tree; read-only entries are made writable first, and links
// are removed without being followed. True when nothing is left.
bool removeTree(const std::wstring& path);

// Makes `link` a Unix symbolic link to `target` (both Windows paths), as a hostile stick
// made on another system would carry (Wine shows a link to a folder as a reparse
// point, a link to a file as the file). Wine's own
// CreateSymbolicLinkW reports success without making one, so this runs the system's `ln`.
bool makeUnixLink(const std::wstring& target, const std::wstring& link);

// Makes a folder (or file) immutable with the system's `chattr +i`, or writable again with
// `chattr -i`. Wine runs as root here, so Unix permissions bind nothing: an immutable
// folder stands for one Windows refuses to write (no file can be made, changed or removed
// in it). False when `chattr` could not be run.
bool setImmutable(const std::wstring& path, bool immutable);
// Gives `path` the Unix permissions `mode` (0777 ...) with the system's `chmod`; Wine shows
// them as the file's access list. False when `chmod` could not be run.
bool setUnixMode(const std::wstring& path, unsigned mode);
// A program of the tests in place of the system tool `name` of the system folder (the
// guard starts the system's tools from there only), for the life of the object: for a tool
// Wine lacks or whose output differs. The system's own file is put back afterwards.
class SystemToolStandIn {
public:
    SystemToolStandIn(const std::wstring& name, const std::wstring& standIn);
    ~SystemToolStandIn();
    SystemToolStandIn(const SystemToolStandIn&) = delete;
    SystemToolStandIn& operator=(const SystemToolStandIn&) = delete;
    bool ok() const { return ok_; }

private:
    std::wstring name_;
    std::wstring tool_;
    std::wstring saved_;
    bool ok_ = false;
};

// True when a file can be created in `folder` now (the test file is gone at once).
bool canCreateFileIn(const std::wstring& folder);

// A folder made immutable for the life of the object, and writable again when it goes away,
// also when the test fails; release() does it earlier.
class Immutable {
public:
    explicit Immutable(std::wstring path);
    ~Immutable();
    Immutable(const Immutable&) = delete;
    Immutable& operator=(const Immutable&) = delete;
    // True when the folder is immutable now.
    bool made() const { return made_; }
    void release();

private:
    std::wstring path_;
    bool made_ = false;
};

// UTF-8 text in GBK (code page 936), whatever the system's code page.
std::string toGbk(std::string_view utf8);
// Writes exactly `bytes`, replacing the file.
bool writeBytes(const std::wstring& path, std::string_view bytes);
// Writes UTF-8 `text` as GBK bytes.
bool writeGbkFile(const std::wstring& path, std::string_view text);
std::optional<std::string> readBytes(const std::wstring& path);

// UTF-8 <-> UTF-16.
std::wstring wide(std::string_view utf8);
std::string utf8(std::wstring_view wide);

}  // namespace qv::testkit
