#pragma once
// The rule that tells a worm's shortcut from the user's own, shared by the guard and the
// file browser.
//
// Today's stick worms hide the user's folders and files (hidden and system) and leave
// visible shortcuts in the root, named like the hidden items or like the drive, that run a
// system tool ("cmd.exe /c start __ & __\DriveMgr.exe & exit", "rundll32.exe
// ~$WQRYRUYB.FAT32,RunDLL") or a program of their own on the stick. A shortcut of a drive's
// root is a worm's when one of its targets
//   - is one of the system tools such worms start (by its name, in any folder) while the
//     root hides some item (other than the systems' own, see systemsOwnHiddenItem, and
//     the immunisation folder autorun.inf, unless the shortcut's arguments name it), or
//   - is one of those system tools while its command both opens a folder of the root
//     (with start or explorer.exe) and names a program of the drive ("start __ &
//     __\DriveMgr.exe"): the
//     worm's shortcut goes on doing so after its hidden items were shown again (by the
//     file browser's "全部还原", say), until it is removed, or
//   - is an executable on the same drive while a hidden item of the root has the
//     shortcut's name without ".lnk" (the hidden folder it stands in for).
// A user's own shortcut to a document, or to a program on the stick with no hidden twin, is
// not; nor one to a system tool on a stick that hides nothing (an administrator's "cmd.exe"
// or "msiexec.exe /i driver\setup.msi"): every worm of this kind hides the user's items,
// which is its lure.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "common/worms/ShellLink.h"

namespace qv::worms {

// The system tools a worm's shortcut starts, those that start another program for it among
// them (conhost.exe --headless, forfiles.exe /c, pcalua.exe -a).
inline constexpr std::array<std::string_view, 12> kSystemTools = {
    "cmd.exe",     "rundll32.exe", "wscript.exe", "cscript.exe",  "mshta.exe",  "powershell.exe",
    "msiexec.exe", "regsvr32.exe", "conhost.exe", "forfiles.exe", "pcalua.exe", "pwsh.exe"};

// Whether the last name of `path` is one of kSystemTools, without regard to ASCII case
// ("C:\WINDOWS\system32\CMD.EXE") and to dots and blanks at its end, which Windows drops
// ("cmd.exe."); "%ComSpec%" stands for cmd.exe.
bool namesSystemTool(std::string_view path);

// The last name of `path` (after its last '\' or '/'), folded as foldedName folds it.
std::string lastName(std::string_view path);

// Whether `path` ends in the extension of a file Windows runs (.exe, .com, .scr, .pif,
// .bat, .cmd, .vbs, .vbe, .js, .jse, .wsf, .wsh, .hta, .cpl, .msi, .ps1).
bool namesExecutable(std::string_view path);

// Whether `path` ends in the extension of a document, picture, sound, video or archive
// that the shell opens in a program of its own and that runs no code of the stick's
// (.docx, .pdf, .wps, .jpg, .mp4, .zip...): what a worm's "start" may open for the user.
bool namesDocument(std::string_view path);

// Whether `name` is one of the items that Windows and other systems keep hidden in a root
// of their own accord, which no worm hid and which stay hidden: System Volume Information,
// $RECYCLE.BIN, desktop.ini, Thumbs.db, chkdsk's FOUND.000 to FOUND.999, and what macOS
// leaves (.Trashes, .fseventsd, .Spotlight-V100, .TemporaryItems, .DS_Store, "._" files).
// A worm may borrow such a name for the folder it hides the user's files in: one that a
// worm's command names counts as the user's all the same (wormTarget, the cleaning).
bool systemsOwnHiddenItem(std::string_view name);

// The names of a root's hidden items (hidden or system set), compared without regard to
// ASCII case.
class HiddenNames {
public:
    void add(std::string_view name);
    bool contains(std::string_view name) const;
    bool empty() const { return names_.empty(); }
    // Whether any of them is more than the systems' own (systemsOwnHiddenItem) and
    // autorun.inf (the immunisation folder, or an older worm's file, which the threat
    // dialog deals with).
    bool hidesUsersItems() const { return hidesUsersItems_; }

private:
    std::unordered_set<std::string> names_;
    bool hidesUsersItems_ = false;
};

// Whether a word of `command` names a hidden item of the root `root` or something in one
// ("start FOUND.000 & FOUND.000\\x.exe").
bool namesHiddenItem(std::string_view command, std::string_view root, const HiddenNames& hidden);

// Whether `name` ("__") is a folder of the root, as its listing says.
using RootFolderTest = std::function<bool(std::string_view name)>;

// Whether `command` both opens a folder of the root `root` with start or explorer.exe
// ("start __", "explorer %cd%docs") and names a program on that drive ("__\DriveMgr.exe",
// "x.vbs"): a folder merely named ("cd tools && app.exe") is none opened for the user.
bool opensFolderAndRunsProgram(std::string_view command, std::string_view root,
                               const RootFolderTest& isRootFolder);

// The target that makes the shortcut `shortcutName` ("docs.lnk") of the root `root`
// ("e:\") a worm's, as the rule above says; nullopt for a shortcut of the user's own.
// `isRootFolder` is asked only about a shortcut to a system tool on a root that hides
// nothing; left empty, such a shortcut is judged by what the root hides alone.
std::optional<std::string> wormTarget(const ShellLink& link, std::string_view shortcutName,
                                      std::string_view root, const HiddenNames& hidden,
                                      const RootFolderTest& isRootFolder = {});

// Whether some hidden items of the root `root` would make the shortcut a worm's: one of its
// targets is a system tool, or an executable on that drive. A shortcut for which this is
// false (to a document, or to a program elsewhere) is the user's whatever the root hides.
bool mayBeWorms(const ShellLink& link, std::string_view root);

// The command a shortcut runs: its target (in quotes when it holds a blank) and its
// arguments after one blank.
std::string shortcutCommand(std::string_view target, std::string_view arguments);

}  // namespace qv::worms
