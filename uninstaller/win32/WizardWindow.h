#pragma once
// The wizard's Win32 window: the view of the wizard's logic, and the source of its events.
// The window is created hidden with its designed state; the logic fills it while it
// loads and shows it once the user has confirmed. Control ids are fixed so tests can find
// the controls (kIdWenben and on).

#include <windows.h>

#include "common/win32/UniqueHandle.h"
#include "uninstaller/win32/FaceButton.h"
#include "uninstaller/wizard/Wizard.h"
#include "uninstaller/wizard/WizardView.h"

namespace qv::uninst::win32 {

inline constexpr wchar_t kWizardClassName[] = L"QVuninstWizard";
inline constexpr int kIdWenben = 101;
inline constexpr int kIdShanchulb = 102;
inline constexpr int kIdCheck1 = 103;
inline constexpr int kIdImage1 = 104;  // cancel face
inline constexpr int kIdImage2 = 105;  // uninstall face

class WizardWindow : public WizardView {
public:
    explicit WizardWindow(HINSTANCE instance) : instance_(instance) {}
    ~WizardWindow() override;
    WizardWindow(const WizardWindow&) = delete;
    WizardWindow& operator=(const WizardWindow&) = delete;

    bool create();
    // The logic that handles this window's events.
    void attach(Wizard& wizard) { wizard_ = &wizard; }

    Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                      Icon icon) override;
    void setCaption(const std::string& caption) override;
    void setMessageText(const std::string& text) override;
    void setDeleteList(const std::vector<std::string>& paths) override;
    void setWindowHeight(int twips) override;
    void setFaceBorder(Face face, bool border) override;
    void show() override;
    void end() override;

private:
    static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp);
    LRESULT handle(UINT message, WPARAM wp, LPARAM lp);
    bool createControls();
    FaceButton& face(Face f) { return f == Face::Cancel ? cancelFace_ : uninstallFace_; }

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    HWND wenben_ = nullptr;
    HWND shanchulb_ = nullptr;
    HWND check1_ = nullptr;
    FaceButton cancelFace_;
    FaceButton uninstallFace_;
    qv::win32::UniqueFont font_;
    qv::win32::UniqueBrush white_;
    int dpi_ = 96;
    Wizard* wizard_ = nullptr;
};

}  // namespace qv::uninst::win32
