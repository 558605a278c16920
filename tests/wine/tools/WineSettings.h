#pragma once
// Wine settings a test program makes in its (fresh, dedicated) Wine prefix before the
// programs it tests show any window. Wine reads them when a program starts.
//
// - Windows drawn without a window manager: on a virtual display there is none, and Wine
//   would wait about two seconds for it each time a managed window is hidden. Set per
//   program.
// - 宋体 / SimSun, the forms' font, replaced by "WenQuanYi Zen Hei Sharp": Wine's own
//   choice for the missing font draws its small embedded bitmaps wrongly (strokes lost at
//   9 pt), while the Sharp face of the same font file draws them right.
//
// On Windows these keys mean nothing.

#include <initializer_list>
#include <string>

namespace qv::testkit {

// Makes the settings for the programs named `programs` (file names such as L"QVud.exe")
// and the font replacements. True when any of them was not in place yet and had to be
// written (whether or not that worked): only a program started after a call that returns
// false is sure to see all of them, so a second call that still returns true means they
// cannot be written.
bool prepareWineSettings(std::initializer_list<std::wstring> programs);

}  // namespace qv::testkit
