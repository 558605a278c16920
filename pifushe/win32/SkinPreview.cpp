#include "pifushe/win32/SkinPreview.h"

#include <algorithm>
#include <cmath>

#include "common/win32/FittedCaption.h"
#include "common/win32/Gdi.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"

namespace qv::pifushe::win32 {

namespace {

using qv::win32::drawFittedCaption;
using qv::win32::Selection;
using qv::win32::toWide;
using qv::win32::UniqueBrush;
using qv::win32::UniqueFont;
using qv::win32::UniquePen;

// The guard's main window inside its frame, in twips, and the colours it keeps whatever
// the skin.
constexpr int kClientWidth = 7260;
constexpr int kClientHeight = 5640;
constexpr int kCaptionTwips = 330;
constexpr COLORREF kStatusGreen = RGB(0, 192, 0);
constexpr COLORREF kScoreRed = RGB(192, 0, 0);

// Twips of the main window to pixels of the preview.
class Miniature {
public:
    Miniature(HDC dc, const RECT& area) : dc_(dc) {
        int width = area.right - area.left, height = area.bottom - area.top;
        scale_ = std::min(static_cast<double>(width) / kClientWidth,
                          static_cast<double>(height) / (kClientHeight + kCaptionTwips));
        origin_ = {area.left + (width - px(kClientWidth)) / 2,
                   area.top + (height - px(kClientHeight + kCaptionTwips)) / 2};
    }
    int px(int twips) const { return static_cast<int>(std::lround(twips * scale_)); }
    RECT rect(int x, int y, int w, int h) const {
        int left = origin_.x + px(x), top = origin_.y + px(kCaptionTwips + y);
        return {left, top, left + px(w), top + px(h)};
    }
    RECT window() const {
        return {origin_.x, origin_.y, origin_.x + px(kClientWidth),
                origin_.y + px(kClientHeight + kCaptionTwips)};
    }
    // A font of `points` shrunk with the miniature: a point is 20 twips.
    UniqueFont font(const std::string& face, double points, bool bold) const {
        int height = static_cast<int>(std::lround(points * 20 * scale_));
        return UniqueFont(CreateFontW(
            -std::max(height, 6), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
            DEFAULT_PITCH | FF_DONTCARE, toWide(face.empty() ? "宋体" : face).c_str()));
    }
    void fill(const RECT& r, COLORREF colour) const {
        UniqueBrush brush(CreateSolidBrush(colour));
        FillRect(dc_, &r, brush.get());
    }
    void outline(const RECT& r, COLORREF colour) const {
        UniqueBrush brush(CreateSolidBrush(colour));
        FrameRect(dc_, &r, brush.get());
    }
    void text(const std::string& s, RECT r, COLORREF colour, HFONT font,
              UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE) const {
        Selection selected(dc_, font);
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, colour);
        std::wstring wide = toWide(s);
        DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &r,
                  format | DT_NOPREFIX | DT_NOCLIP);
    }
    HDC dc() const { return dc_; }

private:
    HDC dc_;
    double scale_ = 1;
    POINT origin_{};
};

void caption(const Miniature& m) {
    RECT w = m.window();
    RECT bar{w.left, w.top, w.right, w.top + m.px(kCaptionTwips)};
    m.fill(bar, GetSysColor(COLOR_ACTIVECAPTION));
    UniqueFont font = m.font("宋体", 9, true);
    RECT title = bar;
    title.left += m.px(90);
    m.text("QVu盘卫士 [青木作品]  技术支持：云桥 - 电脑技术学习中心", title,
           GetSysColor(COLOR_CAPTIONTEXT), font.get());
    RECT box{bar.right - m.px(300), bar.top + m.px(45), bar.right - m.px(60),
             bar.bottom - m.px(45)};
    m.fill(box, GetSysColor(COLOR_BTNFACE));
    m.outline(box, GetSysColor(COLOR_BTNSHADOW));
    m.text("×", box, GetSysColor(COLOR_BTNTEXT), font.get(),
           DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// The five navigation pictures: pictures of their own, not skinned.
void navigation(const Miniature& m, HFONT font) {
    const char* names[] = {"监控", "杀毒", "高级", "设置", "关于"};
    for (int i = 0; i < 5; ++i) {
        RECT r = m.rect(120 + 960 * i, 120, 735, 735);
        m.fill(r, i == 0 ? RGB(54, 120, 196) : RGB(92, 150, 214));
        m.outline(r, RGB(30, 70, 130));
        m.text(names[i], r, RGB(255, 255, 255), font, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void checkBox(const Miniature& m, const skin::Theme& t, HFONT font, int y, const char* label,
              bool ticked) {
    RECT box = m.rect(360, y + 60, 180, 180);
    m.fill(box, t.editFace);
    m.outline(box, t.windowText);
    if (ticked) {
        // A tick: down from the left, then up to the right.
        int w = box.right - box.left, h = box.bottom - box.top;
        POINT tick[] = {{box.left + w / 5, box.top + h / 2},
                        {box.left + w * 2 / 5, box.top + h * 3 / 4},
                        {box.left + w * 4 / 5, box.top + h / 4}};
        UniquePen pen(CreatePen(PS_SOLID, std::max(1, m.px(30)), t.editText));
        Selection selected(m.dc(), pen.get());
        Polyline(m.dc(), tick, 3);
    }
    m.text(label, m.rect(600, y, 2000, 300), t.windowText, font);
}

void optionButton(const Miniature& m, const skin::Theme& t, HFONT font, int x, int y,
                  const char* label, bool chosen) {
    RECT r = m.rect(x, y + 60, 180, 180);
    {
        UniquePen pen(CreatePen(PS_SOLID, 1, t.windowText));
        UniqueBrush face(CreateSolidBrush(t.editFace));
        Selection penSelected(m.dc(), pen.get()), faceSelected(m.dc(), face.get());
        Ellipse(m.dc(), r.left, r.top, r.right, r.bottom);
        if (chosen) {
            UniqueBrush dot(CreateSolidBrush(t.editText));
            Selection dotSelected(m.dc(), dot.get());
            InflateRect(&r, -std::max(1, m.px(50)), -std::max(1, m.px(50)));
            Ellipse(m.dc(), r.left, r.top, r.right, r.bottom);
        }
    }
    m.text(label, m.rect(x + 240, y, 1300, 300), t.windowText, font);
}

void frame(const Miniature& m, const skin::Theme& t, HFONT font, RECT r, const char* label) {
    RECT line = r;
    line.top += m.px(105);
    m.outline(line, t.frameLine);
    std::wstring wide = toWide(label);
    SIZE size{};
    {
        Selection selected(m.dc(), font);
        GetTextExtentPoint32W(m.dc(), wide.c_str(), static_cast<int>(wide.size()), &size);
    }
    RECT gap{r.left + m.px(90), r.top, r.left + m.px(150) + size.cx, r.top + m.px(210)};
    m.fill(gap, t.windowFace);
    gap.left += m.px(30);
    m.text(label, gap, t.frameText, font);
}

void button(const Miniature& m, const skin::Theme& t, HFONT font, RECT r, const char* label,
            bool pressed) {
    m.fill(r, pressed ? t.buttonPressed : t.buttonFace);
    m.outline(r, t.buttonBorder);
    if (pressed) OffsetRect(&r, 1, 1);
    // As the guard draws it: wrapped, or smaller, rather than running over its border.
    SetBkMode(m.dc(), TRANSPARENT);
    SetTextColor(m.dc(), t.buttonText);
    InflateRect(&r, -1, -1);
    drawFittedCaption(m.dc(), toWide(label), r, font);
}

void textBox(const Miniature& m, const skin::Theme& t, HFONT font, RECT r, const char* text) {
    m.fill(r, t.editFace);
    m.outline(r, GetSysColor(COLOR_BTNSHADOW));  // the system's sunken edge
    r.left += m.px(60);
    m.text(text, r, t.editText, font);
}

void mainWindow(const Miniature& m, const skin::Theme& t) {
    RECT w = m.window();
    m.fill(w, t.windowFace);
    caption(m);
    UniqueFont font = m.font("宋体", 9, false);
    UniqueFont large = m.font("宋体", 15, true);
    UniqueFont score = m.font("宋体", 36, true);
    UniqueFont buttons = m.font(t.buttonFont.face, t.buttonFont.points, t.buttonFont.bold);
    HFONT f = font.get();
    HFONT b = buttons.get();

    navigation(m, f);
    m.text("您的电脑防U得分:", m.rect(240, 1200, 2655, 420), t.windowText, large.get());
    m.text("98", m.rect(2880, 1020, 1095, 645), kScoreRed, score.get());
    m.text("分！", m.rect(3960, 1200, 735, 420), t.windowText, large.get());
    m.text("统计计划已关闭", m.rect(5280, 600, 1815, 255), t.windowText, f);

    const char* boxes[] = {"检视本地 U盘", "检视本地硬盘", "检视本地光盘", "检视本地虚拟磁盘",
                           "U盘插入扫描"};
    for (int i = 0; i < 5; ++i) checkBox(m, t, f, 2280 + 360 * i, boxes[i], i != 2);

    frame(m, t, f, m.rect(2880, 2220, 1935, 1095), "监视模式");
    optionButton(m, t, f, 3120, 2520, "智能模式", true);
    optionButton(m, t, f, 3120, 2880, "实时模式", false);
    button(m, t, b, m.rect(2880, 3420, 1935, 375), "保存设置", false);
    button(m, t, b, m.rect(2880, 3900, 915, 375), "一键开启", true);
    button(m, t, b, m.rect(3900, 3900, 915, 375), "一键关闭", false);

    m.text("已忽略监控的磁盘：", m.rect(5040, 2280, 2055, 255), t.windowText, f);
    textBox(m, t, f, m.rect(5040, 2580, 2055, 315), "ef");
    textBox(m, t, f, m.rect(5040, 3000, 615, 315), "g");
    button(m, t, b, m.rect(5760, 3000, 1335, 315), "添加", false);
    button(m, t, b, m.rect(5040, 3420, 975, 375), "删除", false);
    button(m, t, b, m.rect(6120, 3420, 975, 375), "清空", false);
    textBox(m, t, f, m.rect(5040, 4200, 2055, 315), "c: [本地磁盘]");

    m.text("QVu盘卫士  正在保护您的U盘安全      By:林青木", m.rect(360, 4680, 6615, 255),
           kStatusGreen, f);
    m.text("程序版本：V1.1.5 正式版  更新时间：2012-01-19  软件作者：林青木",
           m.rect(60, 5340, 7215, 210), t.windowText, f);
    m.outline(w, GetSysColor(COLOR_WINDOWFRAME));
}

}  // namespace

void paintPreview(HDC dc, const RECT& area, const skin::Theme* theme, const std::string& notice,
                  int dpi) {
    FillRect(dc, &area, GetSysColorBrush(COLOR_APPWORKSPACE));
    if (theme) {
        Miniature m(dc, area);
        mainWindow(m, *theme);
        return;
    }
    UniqueFont font(CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体"));
    const std::wstring text = toWide(notice);
    RECT r = area;
    InflateRect(&r, -MulDiv(20, dpi, 96), -MulDiv(20, dpi, 96));
    Selection selected(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
}

}  // namespace qv::pifushe::win32
