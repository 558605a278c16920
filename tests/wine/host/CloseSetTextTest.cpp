// A line a little too wide for its label, as the main window's version line is, is set
// closer until it fits, at every DPI: the spacing a label asks for is scaled with the
// screen's DPI, then tightened a pixel at a time, never beyond twice the spacing asked for.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "guard/platform/win32/host/CloseSetText.h"

namespace qv::win32 {
namespace {

TEST(CloseSetText, ALineTooWideIsSetCloserUntilItFitsAtEveryDpi) {
    const std::wstring line =
        L"程序版本：V1.1.5 正式版  更新时间：2012-01-19  软件作者：林青木  网址：bbs.qvu.example";
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        HFONT font = CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, DEFAULT_PITCH, L"宋体");
        HGDIOBJ old = SelectObject(dc, font);
        const int asked = MulDiv(-1, dpi, 96);
        const RECT roomy{0, 0, 10000, 40};
        EXPECT_EQ(fittedSpacing(dc, line, roomy, -1, dpi), asked) << "scaled, no closer";
        const int width = setClose(dc, line, roomy, asked, false);
        EXPECT_LT(width, setClose(dc, line, roomy, 0, false));

        const RECT tight{0, 0, width - 3, 40};
        const int extra = fittedSpacing(dc, line, tight, -1, dpi);
        EXPECT_LT(extra, asked);
        EXPECT_LE(setClose(dc, line, tight, extra, false), width - 3) << "the whole line shows";
        EXPECT_GT(setClose(dc, line, tight, extra + 1, false), width - 3) << "and no closer";

        const RECT hopeless{0, 0, width / 2, 40};
        EXPECT_EQ(fittedSpacing(dc, line, hopeless, -1, dpi), 2 * asked);
        SelectObject(dc, old);
        DeleteObject(font);
    }
    DeleteDC(dc);
}

}  // namespace
}  // namespace qv::win32
