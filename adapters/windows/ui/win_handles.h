#pragma once
// One owner type per kind of user-interface handle: the handle is released
// exactly once, by the function that belongs to its kind. Copying is deleted;
// moving hands the handle on.

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace brackwell::win {

template <class Handle, class Release>
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, Handle{}));
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    Handle Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Handle{}; }
    void Reset(Handle handle = Handle{}) noexcept {
        if (Handle old = std::exchange(handle_, handle)) Release{}(old);
    }
    // Gives up ownership, for a handle that someone else now destroys (a
    // window that was destroyed by its parent, a menu handed to the system).
    Handle Detach() noexcept { return std::exchange(handle_, Handle{}); }

private:
    Handle handle_{};
};

struct DestroyWindowFn { void operator()(HWND h) const noexcept { ::DestroyWindow(h); } };
struct DestroyMenuFn { void operator()(HMENU h) const noexcept { ::DestroyMenu(h); } };
struct DestroyIconFn { void operator()(HICON h) const noexcept { ::DestroyIcon(h); } };
struct DeleteObjectFn { void operator()(HGDIOBJ h) const noexcept { ::DeleteObject(h); } };
struct DeleteDcFn { void operator()(HDC h) const noexcept { ::DeleteDC(h); } };
struct DestroyImageListFn { void operator()(HIMAGELIST h) const noexcept { ::ImageList_Destroy(h); } };
struct CloseHandleFn { void operator()(HANDLE h) const noexcept { ::CloseHandle(h); } };

using WindowHandleOwner = UniqueHandle<HWND, DestroyWindowFn>;
using MenuHandle = UniqueHandle<HMENU, DestroyMenuFn>;
using IconHandle = UniqueHandle<HICON, DestroyIconFn>;
using BitmapHandle = UniqueHandle<HBITMAP, DeleteObjectFn>;
using FontHandle = UniqueHandle<HFONT, DeleteObjectFn>;
using BrushHandle = UniqueHandle<HBRUSH, DeleteObjectFn>;
using PenHandle = UniqueHandle<HPEN, DeleteObjectFn>;
using MemoryDcHandle = UniqueHandle<HDC, DeleteDcFn>;
using ImageListHandle = UniqueHandle<HIMAGELIST, DestroyImageListFn>;
using KernelHandle = UniqueHandle<HANDLE, CloseHandleFn>;  // processes, threads, events

// Selects a GDI object into a device context for one scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(::SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() { ::SelectObject(dc_, old_); }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A window's device context for one scope (GetDC / ReleaseDC): the client
// area, or with `Area::Whole` the whole window with its frame (GetWindowDC).
class WindowDc {
public:
    enum class Area { Client, Whole };
    explicit WindowDc(HWND window, Area area = Area::Client) noexcept
        : window_(window), dc_(area == Area::Whole ? ::GetWindowDC(window) : ::GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() { if (dc_) ::ReleaseDC(window_, dc_); }
    HDC Get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

}  // namespace brackwell::win
