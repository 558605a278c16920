#pragma once
// Ownership of Win32 handles: one owner closes the handle exactly once, when it goes away.
// `UniqueHandle<Traits>` is moved, never copied; `Traits` names the handle type, its
// "no handle" value and the function that releases it.

#include <windows.h>

#include <utility>

namespace qv::win32 {

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::invalid(); }

    Handle release() { return std::exchange(handle_, Traits::invalid()); }
    void reset(Handle handle = Traits::invalid()) {
        Handle old = std::exchange(handle_, handle);
        if (old != Traits::invalid()) Traits::close(old);
    }

private:
    Handle handle_ = Traits::invalid();
};

// Kernel objects whose "no handle" value is nullptr (processes, threads, mutexes).
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { CloseHandle(h); }
};

// Files opened by CreateFileW, which reports failure as INVALID_HANDLE_VALUE.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle h) { CloseHandle(h); }
};

// Searches started by FindFirstFileExW.
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle h) { FindClose(h); }
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { RegCloseKey(h); }
};

struct ModuleTraits {
    using Handle = HMODULE;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { FreeLibrary(h); }
};

// GDI objects made by CreateFontIndirectW, CreateSolidBrush, CreateCompatibleBitmap, ...
// (the handle type is kept, so an owner of a font hands out an HFONT).
template <typename GdiHandle>
struct GdiObjectTraits {
    using Handle = GdiHandle;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { DeleteObject(h); }
};

// Icons made by CreateIconIndirect or loaded with LoadImageW without LR_SHARED.
struct IconTraits {
    using Handle = HICON;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { DestroyIcon(h); }
};

// Cursors made by CreateCursor.
struct CursorTraits {
    using Handle = HCURSOR;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { DestroyCursor(h); }
};

// Device contexts made by CreateCompatibleDC.
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { DeleteDC(h); }
};

// The screen's device context, borrowed with GetDC(nullptr).
struct ScreenDcTraits {
    using Handle = HDC;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { ReleaseDC(nullptr, h); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueFind = UniqueHandle<FindHandleTraits>;
using UniqueKey = UniqueHandle<RegistryKeyTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueRegion = UniqueHandle<GdiObjectTraits<HRGN>>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueCursor = UniqueHandle<CursorTraits>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueScreenDc = UniqueHandle<ScreenDcTraits>;

}  // namespace qv::win32
