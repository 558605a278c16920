#pragma once
// Our own skin engine. Applying a skin makes it the colours of every window of the
// calling (user-interface) thread: the window host takes its colours from the palette,
// push buttons are drawn by the engine in the skin's colours and font, and dialogs and
// message boxes get the skin's surface. Windows made later in the run are skinned as they
// are created, through a window-creation hook on the thread. A skin applied stays for the
// rest of the run; applying another replaces its colours.
//
// SkinH_AttachEx is the engine's entry point under the name the program calls: it reads
// the skin file (named in the ANSI code page, relative to the current folder) and applies
// it; a missing or damaged file changes nothing. The password is not used (skin files are
// plain text). Returns 1 when a skin was applied, 0 otherwise.

#include "guard/platform/skin/SkinFile.h"

namespace qv::win32::skin {

// False (nothing changed) when the windows cannot be skinned.
bool applySkin(const qv::skin::Theme& theme);

}  // namespace qv::win32::skin

extern "C" int __stdcall SkinH_AttachEx(const char* skinFile, const char* password);
