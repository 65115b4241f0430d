#pragma once
#include <windows.h>

#include <winsvc.h>

#include <utility>

// Move-only owner of one platform handle; Traits says what "none" is and how to release it.
template <typename Traits>
class TUniqueHandle {
  public:
    using Handle = typename Traits::Handle;
    TUniqueHandle() = default;
    explicit TUniqueHandle(Handle h) : handle_(h) {}
    ~TUniqueHandle() { reset(); }
    TUniqueHandle(TUniqueHandle&& other) noexcept : handle_(other.release()) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::None(); }
    Handle release() { return std::exchange(handle_, Traits::None()); }
    void reset(Handle h = Traits::None()) {
        if (handle_ != Traits::None())
            Traits::Close(handle_);
        handle_ = h;
    }

  private:
    Handle handle_ = Traits::None();
};

struct TKernelHandleTraits {  // CreateFile and friends: INVALID_HANDLE_VALUE is "none"
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct TObjectHandleTraits {  // processes, threads, events: null is "none"
    using Handle = HANDLE;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct TWindowTraits {
    using Handle = HWND;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { DestroyWindow(h); }
};
template <typename T>
struct TGdiObjectTraits {
    using Handle = T;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
struct TKeyTraits {
    using Handle = HKEY;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};
struct TGlobalTraits {
    using Handle = HGLOBAL;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { GlobalFree(h); }
};

struct TIconTraits {
    using Handle = HICON;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { DestroyIcon(h); }
};
struct TMemoryDCTraits {  // CreateCompatibleDC; a window's DC is released, not deleted (TWindowDC)
    using Handle = HDC;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { DeleteDC(h); }
};
struct TServiceTraits {  // the service manager and its services
    using Handle = SC_HANDLE;
    static Handle None() { return nullptr; }
    static void Close(Handle h) { CloseServiceHandle(h); }
};

struct TFindTraits {  // FindFirstFile searches
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};

using TFileHandle = TUniqueHandle<TKernelHandleTraits>;
using TFindHandle = TUniqueHandle<TFindTraits>;
using TObjectHandle = TUniqueHandle<TObjectHandleTraits>;
using TWindowHandle = TUniqueHandle<TWindowTraits>;
using TFontHandle = TUniqueHandle<TGdiObjectTraits<HFONT>>;
using TBrushHandle = TUniqueHandle<TGdiObjectTraits<HBRUSH>>;
using TPenHandle = TUniqueHandle<TGdiObjectTraits<HPEN>>;
using TBitmapHandle = TUniqueHandle<TGdiObjectTraits<HBITMAP>>;
using TRegKey = TUniqueHandle<TKeyTraits>;
using TGlobalHandle = TUniqueHandle<TGlobalTraits>;
using TIconHandle = TUniqueHandle<TIconTraits>;
using TMemoryDC = TUniqueHandle<TMemoryDCTraits>;
using TServiceHandle = TUniqueHandle<TServiceTraits>;

// Keeps a GDI object selected into a DC for its lifetime and puts back what was there before.
class TSelectObject {
  public:
    TSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    ~TSelectObject() {
        if (old_ && old_ != HGDI_ERROR)
            SelectObject(dc_, old_);
    }
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;  // not owned: the DC's previous object
};

// A window's display context (the screen's for a null window), released when it goes.
class TWindowDC {
  public:
    explicit TWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~TWindowDC() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};
