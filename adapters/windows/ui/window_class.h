#pragma once
// The window classes of Brackwell's own windows, and the window procedure
// that hands each message to the C++ object behind the window.

#include <windows.h>


namespace brackwell::win {

// Registers `className` in `instance` unless it is registered already.
// Returns false when the system refuses the class.
bool EnsureWindowClass(HINSTANCE instance, const wchar_t* className, WNDPROC procedure,
                       HBRUSH background = nullptr, UINT style = 0);

// Unregisters every class that EnsureWindowClass registered in `instance`.
// A DLL must do this before it unloads: a class left behind would point the
// system at a window procedure that is no longer in memory.
void UnregisterWindowClasses(HINSTANCE instance);

// The window procedure of a class whose windows are created with their
// object `T*` as creation parameter. T::HandleMessage(hwnd, msg, wp, lp)
// gets every message from WM_NCCREATE on; T::WindowDestroyed() is called on
// WM_NCDESTROY, after which the object hears nothing more. Nothing thrown
// by the object crosses into the system, which could not unwind it.
//
// The object of the window that last had a message on this thread is kept at
// hand: reading the window's user data is a call into the window system
// (under Wine a round trip out of the process's own code), and a window
// hearing the notifications of a control hears one for every item.
template <class T>
LRESULT CALLBACK ObjectWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    thread_local HWND lastWindow = nullptr;
    thread_local T* lastObject = nullptr;
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        lastWindow = nullptr;
    }
    if (hwnd != lastWindow) {
        lastObject = reinterpret_cast<T*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        lastWindow = lastObject ? hwnd : nullptr;
    }
    T* self = lastObject;
    if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        lastWindow = nullptr;
        lastObject = nullptr;
        self->WindowDestroyed();
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    try {
        return self->HandleMessage(hwnd, message, wParam, lParam);
    } catch (...) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace brackwell::win
