// The designed layout and values of the main window: what every control holds before any
// code runs. Positions in twips, relative to the window's inside or to the frame that
// holds the control.

#include <string>

#include "guard/main_window/Form1.h"
#include "guard/main_window/Site.h"

namespace qv {

namespace {

using ui::Border;
using ui::Color;
using ui::Cursor;
using ui::Rect;

constexpr Color kHighlight = 0xC0FFFF;  // pale yellow hover highlight
constexpr Color kStatusGreen = 0x00C000;
constexpr Color kShareBrown = 0x0040C0;
constexpr Color kLinkRed = 0x0000FF;
constexpr Color kScoreRed = 0x0000C0;

void place(ui::Control& c, Rect r, std::string caption = {}, std::string tip = {}) {
    c.setBounds(r);
    if (!caption.empty()) c.setCaption(std::move(caption));
    if (!tip.empty()) c.setToolTip(std::move(tip));
}

void inside(ui::Control& container, std::initializer_list<ui::Control*> controls) {
    for (ui::Control* c : controls) c->setContainer(&container);
}

void linkLabel(ui::Label& label, Rect r, std::string caption, Color color) {
    place(label, r, std::move(caption));
    label.setForeColor(color);
    label.setCursor(Cursor::Hand);
}

std::string aboutText() {
    const std::string forum = site::kForumAddress;
    const char* lines[] = {
        "安装完成后请务必关闭系统的自动播放功能！",
        "关闭方法：开始—运行—gpedit."
        "msc—计算机配置—管理模板—系统—关闭自动播放—已启用—所有驱动器—确定",
        "",
        "如需本软件的源代码，请到技术中心与作者联系。",
        "",
        "【特色功能】",
        "*监视防治",
        "*智能扫描",
        "*专杀U毒",
        "*免疫磁盘",
        "*高级应用",
        "*进程管理",
        "*文件浏览",
        "*精美皮肤",
        "*防护日志",
        "*众多设置",
        "*技术支持",
        "",
        "软件作者：林青木",
        "软件版本：V1.1.5 正式版",
        "更新时间：2012年1月19日",
    };
    std::string text;
    for (const char* line : lines) text += std::string(line) + "\r\n";
    text += "技术中心：" + forum + "\r\n\r\n";
    text +=
        "希望大家支持，若在使用中发现BUG请及时反馈于我，反馈方式" + forum + "发帖或回复QVu盘卫士帖";
    return text;
}

}  // namespace

void Form1::design() {
    setCaption("QVu盘卫士 [青木作品]  技术支持：云桥 - 电脑技术学习中心");
    setBorder(ui::FormBorder::FixedSingle);
    setIcon("app");
    setBounds({2400, 1800, 7380, 6090});

    // Navigation bar and its hover highlights, in front of the images.
    struct Nav {
        ui::Image& image;
        ui::Shape& shape;
        int left;
        const char* tip;
        const char* picture;
    };
    for (Nav n : {Nav{Fhsz, Shape1, 120, "监控、防护", "nav_monitor"},
                  Nav{Jjsd, Shape2, 1080, "杀毒、免疫", "nav_clean"},
                  Nav{Gjsz, Shape3, 2040, "高级功能、更多功能", "nav_advanced"},
                  Nav{Xtsz, Shape4, 3000, "系统设置", "nav_settings"},
                  Nav{Gywm, Shape5, 3960, "关于、反馈BUG", "nav_about"}}) {
        place(n.image, {n.left, 120, 735, 735}, {}, n.tip);
        n.image.setPicture(n.picture);
        n.shape.setBounds({n.left, 120, 735, 735});
        n.shape.setBorderColor(kHighlight);
        n.shape.setBorderWidth(3);
        n.shape.setVisible(false);
    }

    // Score, links and status around the pages.
    place(Label1, {240, 1200, 2655, 420}, "您的电脑防U得分:");
    Label1.setFont({"", 15.75, true});
    place(df, {2880, 1020, 1095, 645}, "98");
    df.setFont({"", 26.25, true});
    df.setForeColor(kScoreRed);
    place(Label3, {3960, 1200, 735, 420}, "分！");
    Label3.setFont({"", 15.75, true});
    linkLabel(Label9, {5280, 240, 1815, 255}, "分享心情，天天记录", kShareBrown);
    Label9.setToolTip("把我今天的心情分享给大家");
    place(Label8, {5280, 600, 1815, 255}, "统计计划已关闭");
    linkLabel(
        Label10, {60, 5340, 7215, 210},
        std::string("程序版本：V1.1.5 正式版  更新时间：2012-01-19  软件作者：林青木  网址：") +
            site::kForumDomain,
        ui::kSystemTextColor);
    // At the forms' 9 pt the whole line is wider than the window. A smaller size loses
    // strokes of the CJK font, which is drawn sharp at 9 pt only, and there is no room
    // for a second line under the pages: the CJK characters and the spaces stand one
    // pixel closer instead, over the whole width of the window.
    Label10.setFont({"", 0, false, -1});

    // Monitoring page.
    place(JcbdUp, {360, 2280, 2295, 300}, "检视本地 U盘");
    place(Jcbdyp, {360, 2640, 2295, 300}, "检视本地硬盘");
    place(Jcbdgp, {360, 3000, 2295, 300}, "检视本地光盘");
    place(Jcbdxncp, {360, 3360, 2295, 300}, "检视本地虚拟磁盘");
    place(Upcrsm, {360, 3720, 2295, 300}, "U盘插入扫描");
    for (ui::CheckBox* box : {&JcbdUp, &Jcbdyp, &Jcbdgp, &Jcbdxncp, &Upcrsm}) box->setValue(1);
    place(Frame5, {2880, 2220, 1935, 1095}, "监视模式");
    place(Znms, {240, 300, 1575, 300}, "智能模式", "智能模式省内存，只有当电脑插入U盘时才扫描电脑");
    place(Ssms, {240, 660, 1575, 300}, "实时模式", "实时模式更安全，每隔一定的时间就扫描一次电脑");
    inside(Frame5, {&Znms, &Ssms});
    Znms.setValue(true);
    place(Command6, {2880, 3420, 1935, 375}, "保存设置");
    place(Command4, {2880, 3900, 915, 375}, "一键开启");
    place(Command5, {3900, 3900, 915, 375}, "一键关闭");
    place(Label4, {5040, 2280, 2055, 255}, "已忽略监控的磁盘：");
    place(Yhl, {5040, 2580, 2055, 315});
    Yhl.setLocked(true);
    place(Text1, {5040, 3000, 615, 315});
    Text1.setMaxLength(1);
    place(Command1, {5760, 3000, 1335, 315}, "添加", "添加忽略监控的磁盘");
    place(Command2, {5040, 3420, 975, 375}, "删除", "删除已忽略监控的磁盘");
    place(Command3, {6120, 3420, 975, 375}, "清空", "清空已忽略监控的磁盘");
    linkLabel(Label2, {360, 4680, 6615, 255}, "QVu盘卫士  正在保护您的U盘安全      By:林青木",
              kStatusGreen);
    Label2.setToolTip("点击进入技术中心");
    place(Drive1, {5040, 4200, 2055, 315});
    Drive1.setVisible(false);
    Jstm.setInterval(1800);
    Jstm.setEnabled(false);

    // Emergency cleaning page; the frames are moved into the page area at start-up.
    place(Frame1, {120, 6600, 7215, 3135}, "紧急杀毒");
    place(Command7, {240, 480, 1935, 615}, "一键杀毒");
    place(Jd, {240, 1320, 1935, 255});
    Jd.setRange(0, 100);
    place(Sdjindu, {240, 1680, 1935, 255}, "准备就绪...");
    Timer1.setInterval(1888);
    Timer1.setEnabled(false);
    place(Frame6, {2400, 240, 4575, 2655}, "免疫修复");
    place(Drive2, {240, 360, 2175, 315});
    place(Leixing, {2520, 420, 1935, 255}, "请选择磁盘");
    place(Check1, {240, 840, 4095, 300}, "强制免疫(无法免疫时,请选择)");
    place(Command18, {240, 1320, 1935, 495}, "免 疫");
    place(Command17, {2400, 1320, 1935, 495}, "刷新列表");
    linkLabel(Label5, {240, 2160, 4215, 255}, "无法免疫或修复？赶快去云桥技术中心发帖求助吧！",
              ui::kSystemTextColor);
    inside(Frame1, {&Command7, &Jd, &Sdjindu, &Timer1, &Frame6});
    inside(Frame6, {&Drive2, &Leixing, &Check1, &Command18, &Command17, &Label5});

    // Advanced page: closing switches on the first row, opening ones below.
    place(Frame2, {240, 6720, 7095, 3135}, "高级设置");
    struct Switch {
        ui::CommandButton& button;
        int left;
        int top;
        const char* caption;
    };
    for (Switch s :
         {Switch{Command9, 240, 360, "关闭自动播放CD功能"},
          Switch{Command10, 240, 960, "开启自动播放CD功能"},
          Switch{Command11, 1920, 360, "禁用U盘"}, Switch{Command12, 1920, 960, "启用U盘"},
          Switch{Command13, 3600, 360, "禁止INF文件"}, Switch{Command14, 3600, 960, "启用INF文件"},
          Switch{Command15, 5280, 360, "禁止网络访问U盘"},
          Switch{Command16, 5280, 960, "允许网络访问U盘"}}) {
        place(s.button, {s.left, s.top, 1575, 495}, s.caption);
        s.button.setContainer(&Frame2);
    }
    struct Tool {
        ui::Image& image;
        int left;
        const char* tip;
        const char* picture;
    };
    for (Tool t : {Tool{Image5, 2640, "进程管理器", "tool_process"},
                   Tool{Image7, 3600, "文件浏览器", "tool_files"},
                   Tool{Image8, 4680, "皮肤更换器", "tool_skin"},
                   Tool{Image6, 5760, "防护日志", "tool_log"}}) {
        place(t.image, {t.left, 1920, 720, 720}, {}, t.tip);
        t.image.setPicture(t.picture);
        t.image.setCursor(Cursor::Hand);
        t.image.setContainer(&Frame2);
    }

    // System settings page.
    place(Frame3, {360, 6840, 7095, 3135}, "系统设置");
    struct Setting {
        ui::CheckBox& box;
        int left;
        int top;
        const char* caption;
        const char* tip;
        int value;
    };
    for (Setting s :
         {Setting{Qd, 240, 480, "开机启动程序", "开机时程序自己启动", 0},
          Setting{Tj, 2520, 480, "加入统计计划", "加入后有利于本软件的改进", 0},
          Setting{Jlrz, 4800, 480, "记录防护日志", "记录防护日志", 1},
          Setting{Zdcl, 240, 1080, "自动处理威胁", "发现威胁自动删除，只删除Autorun.inf文件", 0},
          Setting{Upts, 2520, 1080, "程序动作提示", "插入U盘时提醒和删除文件时提醒", 1},
          Setting{Jzpf, 4800, 1080, "加在皮肤文件", "是否使用皮肤文件", 0},
          Setting{Cscl, 240, 1680, "超时自动处理", "发现威胁超过处理时间后自动删除威胁", 1},
          Setting{Xshy, 2520, 1680, "显示欢迎页面", "是否显示欢迎页面", 0},
          Setting{Mrgl, 4800, 1680, "默认关联文件", "默认删除关联文件项", 0}}) {
        place(s.box, {s.left, s.top, 2055, 300}, s.caption, s.tip);
        s.box.setValue(s.value);
        s.box.setContainer(&Frame3);
    }
    place(Command8, {4800, 2400, 1935, 495}, "保存设置");
    place(xcptxt, {240, 2400, 1215, 315});
    xcptxt.setVisible(false);
    Webtj.setVisible(false);
    Uptip.setInterval(1500);
    Uptip.setEnabled(true);
    inside(Frame3, {&Command8, &xcptxt, &Webtj, &Uptip});

    // About page.
    place(Frame4, {480, 6960, 7095, 3135}, "关于帮助");
    place(Image4, {840, 120, 5235, 1260});
    Image4.setPicture("banner");
    Image4.setCursor(Cursor::Hand);
    place(Text2, {360, 1560, 6375, 975});
    Text2.setMultiLine(true);
    Text2.setLocked(true);
    Text2.setScrollBars(ui::ScrollBars::Vertical);
    Text2.setText(aboutText());
    linkLabel(Label11, {480, 2760, 3060, 210}, "有BUG！快点回帖通知作者吧！", ui::kBlack);
    linkLabel(Label6, {4680, 2760, 1800, 210}, "我要发布我的软件", kLinkRed);
    inside(Frame4, {&Image4, &Text2, &Label11, &Label6});

    for (ui::Frame* frame : {&Frame1, &Frame2, &Frame3, &Frame4}) frame->setVisible(false);
    for (ui::Image* nav : {&Fhsz, &Jjsd, &Gjsz, &Xtsz, &Gywm}) nav->setBorderStyle(Border::None);
}

}  // namespace qv
