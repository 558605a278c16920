#include "guard/platform/win32/CommonControls.h"

#include "common/win32/SystemLibraries.h"

namespace qv::win32::common_controls {

namespace {

struct Library {
    decltype(&SetWindowSubclass) setSubclass = nullptr;
    decltype(&RemoveWindowSubclass) removeSubclass = nullptr;
    decltype(&DefSubclassProc) defSubclass = nullptr;
    bool classes = false;  // the window classes were registered
    bool loaded() const { return setSubclass && removeSubclass && defSubclass && classes; }
};

// The subclassing functions are exported by name from version 6 (which the program's
// manifest asks for) and only by number from older versions.
template <typename Function>
void bindNamedOrNumbered(HMODULE module, const char* name, WORD number, Function& to) {
    bindProc(module, name, to);
    if (!to) bindProc(module, MAKEINTRESOURCEA(number), to);
}

const Library& library() {
    static const Library lib = [] {
        Library l;
        HMODULE module = LoadLibraryW(L"comctl32.dll");
        if (!module) return l;
        decltype(&InitCommonControlsEx) init = nullptr;
        bindProc(module, "InitCommonControlsEx", init);
        if (init) {
            INITCOMMONCONTROLSEX icc{};
            icc.dwSize = sizeof(icc);
            icc.dwICC =
                ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_WIN95_CLASSES;
            l.classes = init(&icc);
        }
        bindNamedOrNumbered(module, "SetWindowSubclass", 410, l.setSubclass);
        bindNamedOrNumbered(module, "RemoveWindowSubclass", 412, l.removeSubclass);
        bindNamedOrNumbered(module, "DefSubclassProc", 413, l.defSubclass);
        return l;
    }();
    return lib;
}

}  // namespace

bool load() {
    return library().loaded();
}

BOOL setWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
    return load() ? library().setSubclass(hwnd, proc, id, data) : FALSE;
}

BOOL removeWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id) {
    return load() ? library().removeSubclass(hwnd, proc, id) : FALSE;
}

LRESULT defSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return load() ? library().defSubclass(hwnd, msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace qv::win32::common_controls
