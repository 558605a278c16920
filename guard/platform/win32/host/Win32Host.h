#pragma once
// The Win32 renderer of the control model. Every form gets one top-level window of the
// class "QvForm" and every control that can be seen one child window of that form window,
// made and kept in step by the adapter of its kind (adapters/: standard BUTTON / EDIT /
// LISTBOX / COMBOBOX / progress windows, or "QvControl" for labels, pictures, frames and
// shapes, which the host paints itself); FormControls holds one form's adapters. Windows
// are made when a form is first shown and destroyed with the form; a form that was never
// shown still runs its timers, which live on one hidden message window of the host.
//
// Model and windows stay in step both ways: the model's change notifications update the
// windows, and the user's actions on the windows go back only through the model's
// user-action methods (click, type, setListIndex, requestClose, placedByHost ...), so a
// window never changes state the model has not taken. Windows set by the host itself
// report nothing back.
//
// Win32Host.cpp holds the forms' windows, the message loops (modal ones too) and the
// timers, WindowServices.cpp the window services; the GDI objects the windows draw with
// live in the host's HostContext and go with the host.
//
// Every window carries the property "QvName" (a global atom holding the model name of its
// form or control), so tests in another process can find it with GetPropW and
// GlobalGetAtomNameW. Everything runs on the thread that created the host.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/Form.h"
#include "guard/platform/ui/UiHost.h"
#include "guard/platform/win32/host/HostContext.h"
#include "guard/platform/win32/host/WindowNames.h"

namespace qv::win32 {

class ControlAdapter;
class FormControls;

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
    // once for however many windows and announcements arrived meanwhile, with the drive
    // letters they named (bit 0 for a:, as DEV_BROADCAST_VOLUME's dbcv_unitmask).
    void onVolumeArrival(std::function<void(std::uint32_t letters)> handler) {
        volumeArrival_ = std::move(handler);
    }

    // The windows that show a form or a control; nullptr while there is none.
    HWND formWindow(const ui::Form& form) const;
    HWND controlWindow(const ui::Control& control) const;
    // Dots per inch used for twips <-> pixels (the system's, as the program sees it).
    int dpi() const { return context_.dpi(); }

    // UiHost
    void showForm(ui::Form& form) override;
    void showModal(ui::Form& form) override;
    void hideForm(ui::Form& form) override;
    void activateForm(ui::Form& form) override;
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
    struct FormRecord {
        Win32Host* host = nullptr;
        ui::Form* form = nullptr;
        HWND hwnd = nullptr;
        ATOM name = 0;
        bool topmost = false;
        bool reporting = false;  // inside placedByHost: changes made now are not reported
        std::unique_ptr<FormControls> controls;  // made with the window
        ~FormRecord();
    };

    struct ModalState {
        const ui::Form* form = nullptr;
        std::vector<HWND> disabled;
        bool ended = false;
    };

    // Window procedures.
    static LRESULT CALLBACK formProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK hostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT formMessage(FormRecord& r, UINT msg, WPARAM wp, LPARAM lp);

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

    // The user's actions on a control's window, notified to its form.
    void onCommand(FormRecord& r, HWND child, int code);
    // The button Return clicks on the form: the push button with the focus, else the form's
    // default button; nullptr when there is neither.
    HWND returnButton(const FormRecord& r) const;
    // The adapter whose window is `child` in any form, while its control lives.
    ControlAdapter* liveAdapter(HWND child) const;

    HostContext context_;         // first made, last gone: the windows draw with its GDI objects
    HWND hostWindow_ = nullptr;   // message-only: timers
    HWND ownerWindow_ = nullptr;  // hidden owner that keeps forms off the taskbar
    bool taskListHidden_ = false;
    std::unordered_map<const ui::Form*, std::unique_ptr<FormRecord>> forms_;
    std::vector<ModalState*> modals_;

    std::function<void(std::uint32_t)> volumeArrival_;
    bool volumeArrivalPending_ = false;
    std::uint32_t arrivedLetters_ = 0;

    UINT_PTR nextTimerId_ = 1;
    std::unordered_map<const ui::Timer*, UINT_PTR> timerIds_;
    std::unordered_map<UINT_PTR, ui::Timer*> timersById_;
};

}  // namespace qv::win32
