#pragma once
// Shared by the Win32 host tests: a host on this thread, a form with a control of every
// kind, and a bounded wait that keeps the messages flowing.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"
#include "guard/platform/win32/host/Win32Host.h"
#include "tests/wine/host/WindowProbe.h"
#include "tests/wine/tools/TestKit.h"

namespace qv::test {

// A form with one control of every kind, some of them inside a frame.
class SampleForm : public ui::Form {
public:
    explicit SampleForm(ui::UiHost& host, std::string name = "Sample") : Form(host, name) {
        setCaption("样例窗体");
        setBorder(ui::FormBorder::None);
        setBounds({1500, 750, 6000, 4500});
        Check.setBounds({150, 300, 1800, 300});
        Check.setCaption("检视本地 U盘");
        OptionA.setBounds({150, 660, 1500, 300});
        OptionA.setCaption("智能模式");
        OptionB.setBounds({150, 960, 1500, 300});
        OptionB.setCaption("实时模式");
        Button.setBounds({150, 1320, 1200, 375});
        Button.setCaption("保存设置");
        Caption.setBounds({150, 1800, 2400, 255});
        Caption.setCaption("您的电脑防U得分:");
        Text.setBounds({150, 2160, 1800, 315});
        Letter.setBounds({2100, 2160, 600, 315});
        Letter.setMaxLength(1);
        List.setBounds({150, 2580, 1800, 900});
        List.setToolTip("这些文件十分可疑");
        Drives.setBounds({2100, 2580, 1500, 315});
        Folders.setBounds({3750, 2580, 1500, 900});
        Folders.setVisible(false);
        Progress.setBounds({150, 3600, 1800, 255});
        Picture.setBounds({3000, 120, 735, 735});
        Picture.setPicture("nav_monitor");
        Picture.setToolTip("监控、防护");
        Marker.setBounds({3000, 120, 735, 735});
        Marker.setBorderColor(0xC0FFFF);
        Marker.setBorderWidth(3);
        Box.setBounds({2400, 1200, 3300, 1200});
        Box.setCaption("监视模式");
        InBox.setBounds({240, 300, 1500, 300});
        InBox.setCaption("框内选项");
        InBox.setContainer(&Box);
        InBoxLabel.setBounds({240, 660, 2400, 255});
        InBoxLabel.setCaption("准备就绪...");
        InBoxLabel.setContainer(&Box);
        Clock.setInterval(0);
    }

    ui::CheckBox Check{*this, "Check"};
    ui::OptionButton OptionA{*this, "OptionA"};
    ui::OptionButton OptionB{*this, "OptionB"};
    ui::CommandButton Button{*this, "Button"};
    ui::Label Caption{*this, "Caption"};
    ui::TextBox Text{*this, "Text"};
    ui::TextBox Letter{*this, "Letter"};
    ui::ListBox List{*this, "List"};
    ui::DriveList Drives{*this, "Drives"};
    ui::DirList Folders{*this, "Folders"};
    ui::ProgressBar Progress{*this, "Progress"};
    ui::Image Picture{*this, "Picture"};
    ui::Shape Marker{*this, "Marker"};
    ui::Frame Box{*this, "Box"};
    ui::OptionButton InBox{*this, "InBox"};
    ui::Label InBoxLabel{*this, "InBoxLabel"};
    ui::Timer Clock{*this, "Clock"};
    ui::WebBrowser Web{*this, "Web"};
};

class HostTest : public ::testing::Test {
protected:
    HostTest() : dpi(testkit::screenDpi()) {}

    // Twips to pixels, computed here independently of the host.
    int px(int twips) const { return (twips * dpi + 720) / 1440; }

    // Runs the messages until `done` holds, for at most `ms` milliseconds.
    bool pumpUntil(const std::function<bool()>& done, int ms = 10000) {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            host.processPending();
            if (done()) return true;
            if (std::chrono::steady_clock::now() >= end) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
    }
    void pump() { host.processPending(); }

    HWND child(const ui::Form& form, const wchar_t* name) {
        return findControlWindow(host.formWindow(form), name);
    }

    // The child's rectangle in its form's client area.
    RECT placed(HWND hwnd) {
        RECT r;
        GetWindowRect(hwnd, &r);
        MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    int dpi = 96;
    win32::Win32Host host;
};

// Presses a button of this program's message box showing `text`, from another thread,
// once the box is there (and once `ready` holds); reports its title, its owner and
// whether it stands above other programs' windows.
class BoxAnswerer {
public:
    BoxAnswerer(std::wstring text, int button, std::function<bool()> ready = {});
    ~BoxAnswerer();
    bool pressed() const { return pressed_.load(); }
    const std::wstring& title() const { return title_; }
    HWND owner() const { return owner_; }
    bool topmost() const { return topmost_; }

private:
    static DWORD WINAPI run(void* self);
    std::wstring text_;
    int button_;
    std::function<bool()> ready_;
    HANDLE thread_ = nullptr;
    std::atomic<bool> pressed_{false};
    std::wstring title_;
    HWND owner_ = nullptr;
    bool topmost_ = false;
};

}  // namespace qv::test
