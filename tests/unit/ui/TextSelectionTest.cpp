// A selection in a list whose text code replaces: it keeps its lines and columns where
// the new text still has them.

#include "guard/platform/ui/TextSelection.h"

#include <gtest/gtest.h>

namespace qv::ui {
namespace {

const std::wstring kBefore = L"Image Name   PID\r\ncmd.exe      12\r\nQVud.exe     34\r\n";

TEST(TextSelectionTest, EachEndKeepsItsLineAndColumnInTheNewText) {
    // "cmd.exe" on line 1, and the caret alone at the start of line 2.
    const TextRange cmd{18, 25}, caret{35, 35};
    // The PIDs changed, and with them the lines' lengths after the first one.
    const std::wstring after = L"Image Name   PID\r\ncmd.exe      1234\r\nQVud.exe     3\r\n";
    EXPECT_EQ(keptSelection(kBefore, after, cmd), (TextRange{18, 25}));
    EXPECT_EQ(keptSelection(kBefore, after, caret), (TextRange{37, 37}));
    // A selection to the end of line 2 comes back to the end of the shorter line there.
    const TextRange toEnd{35 + 9, 35 + 15};
    EXPECT_EQ(keptSelection(kBefore, after, toEnd), (TextRange{37 + 9, 37 + 14}));
    // Across lines: each end on its own line.
    EXPECT_EQ(keptSelection(kBefore, after, {2, 20}), (TextRange{2, 20}));
}

TEST(TextSelectionTest, ASelectionWhoseLineIsGoneIsDropped) {
    const std::wstring shorter = L"Image Name   PID\r\ncmd.exe      12\r\n";
    EXPECT_EQ(keptSelection(kBefore, shorter, {35, 40}), (TextRange{35, 35}))
        << "line 2 is the empty last line now";
    EXPECT_EQ(keptSelection(kBefore, L"Image Name   PID", {18, 25}), std::nullopt);
    EXPECT_EQ(keptSelection(kBefore, L"", {0, 3}), (TextRange{0, 0}));
}

}  // namespace
}  // namespace qv::ui
