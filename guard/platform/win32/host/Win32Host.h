#pragma once
// The Win32 renderer of the control model. Every form gets one top-level window of the
// class "QvForm" and every control that can be seen one child window of that form window
// (standard BUTTON / EDIT / LISTBOX / COMBOBOX / progress windows, or "QvControl" for
// labels, pictures, frames and shapes, which this host paints itself). Windows are made
// when a form is first shown and destroyed with the form; a form that was never shown
// still runs its timers, which live on one hidden message window of the host.
//
// Model and windows stay in step both ways: the model's change notifications update the
// windows, and the user's actions on the windows go back only through the model's
// user-action methods (click, type, setListIndex, requestClose, placedByHost ...), so a
// window never changes state the model has not taken. Windows set by the host itself
// report nothing back.
//
// Every window carries the property "QvName" (a global atom holding the model name of its
// form or control), so tests in another process can find it with GetPropW and
// GlobalGetAtomNameW. Everything runs on the thread that created the host.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"
#include "guard/platform/ui/UiHost.h"

namespace qv::win32 {

class Canvas;

inline constexpr wchar_t kFormClass[] = L"QvForm";
inline constexpr wchar_t kControlClass[] = L"QvControl";
inline constexpr wchar_t kNameProperty[] = L"QvName";

class Win32Host final : public ui::UiHost {
public:
    explicit Win32Host(HINSTANCE instance = nullptr);
    ~Win32Host() override;
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;

    // The outermost message loop: runs until WM_QUIT and returns its exit code.
    // `afterMessage` runs after every message handled at this level, when no handler of
    // the model is running (the place to destroy unloaded forms).
    int run(const std::function<void()>& afterMessage = {});
    // Handles the messages already waiting, without waiting for more.
    void processPending();

    // Runs `handler` soon after Windows announces a new volume (a stick plugged in): the
    // announcement is answered at once and the handler runs from the host's own queue,
    // once for however many windows and announcements arrived meanwhile.
    void onVolumeArrival(std::function<void()> handler) { volumeArrival_ = std::move(handler); }

    // The windows that show a form or a control; nullptr while there is none.
    HWND formWindow(const ui::Form& form) const;
    HWND controlWindow(const ui::Control& control) const;
    // Dots per inch used for twips <-> pixels (the system's, as the program sees it).
    int dpi() const { return dpi_; }

    // UiHost
    void showForm(ui::Form& form) override;
    void showModal(ui::Form& form) override;
    void hideForm(ui::Form& form) override;
    void formDestroyed(ui::Form& form) override;
    void formChanged(ui::Form& form, ui::Property property) override;
    void controlChanged(ui::Control& control, ui::Property property) override;
    void timerChanged(ui::Timer& timer) override;
    void timerDestroyed(ui::Timer& timer) override;
    ui::MsgAnswer messageBox(const std::string& text, const std::string& title,
                             ui::MsgButtons buttons) override;
    void popupMenu(ui::Menu& menu, ui::Form& over) override;
    void setTopmost(ui::Form& form) override;
    void beginDrag(ui::Form& form) override;
    ui::Size screenSize() override;
    void hideFromTaskList() override;
    void endProcess() override;

private:
    struct FormRecord;

    struct ControlRecord {
        Win32Host* host = nullptr;
        FormRecord* owner = nullptr;
        ui::Control* control = nullptr;
        HWND hwnd = nullptr;
        ATOM name = 0;
        bool shown = false;
        bool hasTip = false;
        unsigned buttonsDown = 0;    // mouse buttons pressed on this control
        bool afterDblClick = false;  // the pending left release ends a double-click
    };

    struct FormRecord {
        Win32Host* host = nullptr;
        ui::Form* form = nullptr;
        HWND hwnd = nullptr;
        HWND tooltip = nullptr;  // made by ensureToolTips
        ATOM name = 0;
        bool topmost = false;
        bool reporting = false;  // inside placedByHost: changes made now are not reported
        int nextId = 1000;
        std::vector<std::unique_ptr<ControlRecord>> controls;  // bottom of the stack first
        std::unordered_map<const ui::Control*, ControlRecord*> byControl;
        std::unordered_map<HWND, ControlRecord*> byWindow;
    };

    struct ModalState {
        const ui::Form* form = nullptr;
        std::vector<HWND> disabled;
        bool ended = false;
    };

    // Window procedures.
    static LRESULT CALLBACK formProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK controlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK hostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT formMessage(FormRecord& r, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT controlMessage(ControlRecord& c, UINT msg, WPARAM wp, LPARAM lp);

    void registerClasses();
    void dispatch(MSG& msg);

    // Forms.
    FormRecord* find(const ui::Form& form) const;
    FormRecord& record(ui::Form& form);
    void ensureWindow(FormRecord& r);
    RECT expectedWindowRect(const FormRecord& r) const;
    void applyBounds(FormRecord& r);
    void reportPlacement(FormRecord& r);
    HWND ownerWindow();
    std::vector<HWND> disableOtherForms(HWND except);
    static void enableAgain(std::vector<HWND>& windows);
    void endModal(ModalState& state);
    HICON iconFor(const std::string& key, int size);

    // Controls.
    ControlRecord* liveControl(HWND child) const;
    static ControlRecord* liveOwnControl(HWND hwnd);
    static bool alive(const ControlRecord& c);
    void createControls(FormRecord& r);
    void createControlWindow(FormRecord& r, ControlRecord& c, int id);
    RECT controlRect(const ui::Control& control) const;
    void placeControl(ControlRecord& c);
    void placeAll(FormRecord& r);
    void updateVisibility(FormRecord& r);
    void restack(FormRecord& r);
    void syncControl(ControlRecord& c, ui::Property property);
    void syncAll(ControlRecord& c);
    void ensureToolTips(FormRecord& r);  // made when the mouse first comes over the form
    void updateToolTip(FormRecord& r, ControlRecord& c);
    void updateShapeRegion(ControlRecord& c);
    void redrawArea(FormRecord& r, const ui::Control& control);
    void onCommand(FormRecord& r, HWND child, int code);
    LRESULT onControlColour(FormRecord& r, UINT msg, WPARAM wp, LPARAM lp);
    bool onSetCursor(FormRecord& r, HWND under);

    // Painting of the host's own controls.
    void paintControl(ControlRecord& c, HDC target);
    void drawControl(HDC dc, Canvas& canvas, const ui::Control& control, RECT area);

    // Resources.
    HFONT font(const ui::Font& font);
    HBRUSH brush(COLORREF colour);
    int toPixels(int twips) const;
    int toTwips(int pixels) const;

    HINSTANCE instance_;
    int dpi_ = 96;
    HWND hostWindow_ = nullptr;   // message-only: timers
    HWND ownerWindow_ = nullptr;  // hidden owner that keeps forms off the taskbar
    bool taskListHidden_ = false;
    int quiet_ = 0;  // > 0 while the host itself changes windows
    std::unordered_map<const ui::Form*, std::unique_ptr<FormRecord>> forms_;
    std::vector<ModalState*> modals_;

    std::function<void()> volumeArrival_;
    bool volumeArrivalPending_ = false;

    UINT_PTR nextTimerId_ = 1;
    std::unordered_map<const ui::Timer*, UINT_PTR> timerIds_;
    std::unordered_map<UINT_PTR, ui::Timer*> timersById_;

    std::map<std::tuple<std::wstring, int, bool>, HFONT> fonts_;
    std::map<COLORREF, HBRUSH> brushes_;
    std::map<std::pair<std::string, int>, HICON> icons_;
};

}  // namespace qv::win32
