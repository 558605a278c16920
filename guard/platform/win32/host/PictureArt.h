#pragma once
// The program's pictures, drawn by code and named by key: "badge" (the shield icon of the
// floating badge, also "app" and "logo"), "warning", the navigation images "nav_monitor",
// "nav_clean", "nav_advanced", "nav_settings", "nav_about", the tool pictures
// "tool_process", "tool_log", "tool_files", "tool_skin", the about page's "banner" and
// the welcome window's "welcome" background. Any other key draws a neutral frame, so a
// misspelt key shows up as an obvious placeholder rather than as nothing.

#include <windows.h>

#include <string_view>

#include "common/win32/UniqueHandle.h"
#include "guard/platform/win32/host/Canvas.h"

namespace qv::win32 {

bool isKnownPicture(std::string_view key);

// Draws `key` stretched over `target`. `canvas` addresses the pixels of the 32-bit bitmap
// selected into `dc` (pictures with text finish with GDI text on `dc`).
void drawPicture(HDC dc, Canvas& canvas, std::string_view key, RECT target);

// The size in pixels of the pictures that are icons (32), or 0 for the others, which
// have no natural size and always fill their control.
int naturalPictureSize(std::string_view key);

// The picture as a `size` x `size` icon with an alpha channel; no icon on failure.
UniqueIcon makePictureIcon(std::string_view key, int size);

}  // namespace qv::win32
