#include "adapters/windows/ui/win_window_system.h"

#include <windows.h>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/ui/dpi.h"

namespace brackwell::win {
namespace {

HWND ToHwnd(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }
WindowHandle FromHwnd(HWND hwnd) { return reinterpret_cast<WindowHandle>(hwnd); }

}  // namespace

WindowHandle WinWindowSystem::FindChild(WindowHandle parent, const std::string& className,
                                        const std::optional<std::string>& title, WindowHandle after) {
    const std::wstring wideClass = Utf8ToWide(className);
    const std::wstring wideTitle = title ? Utf8ToWide(*title) : std::wstring();
    return FromHwnd(::FindWindowExW(ToHwnd(parent), ToHwnd(after),
                                    className.empty() ? nullptr : wideClass.c_str(),
                                    title ? wideTitle.c_str() : nullptr));
}

WindowRect WinWindowSystem::GetWindowRect(WindowHandle window) {
    RECT r{};
    if (!::GetWindowRect(ToHwnd(window), &r)) return {};
    // The size is scaled as a whole, so that it reads back as it was set.
    const int dpi = WindowDpi(ToHwnd(window));
    const int left = Unscale(r.left, dpi), top = Unscale(r.top, dpi);
    return {left, top, left + Unscale(r.right - r.left, dpi), top + Unscale(r.bottom - r.top, dpi)};
}

WindowHandle WinWindowSystem::SetParent(WindowHandle child, WindowHandle parent) {
    HWND hwnd = ToHwnd(child);
    if (!::IsWindow(hwnd)) return 0;
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_STYLE);
    // SetParent's documentation: clear WS_POPUP and set WS_CHILD before
    // giving a window a parent; the reverse after taking it away.
    bool restyled = false;
    if (parent && (style & WS_POPUP)) {
        ::SetWindowLongPtrW(hwnd, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_POPUP)) | WS_CHILD);
        restyled = true;
    }
    HWND previous = ::SetParent(hwnd, ToHwnd(parent));
    if (!parent && (style & WS_CHILD)) {
        ::SetWindowLongPtrW(hwnd, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_CHILD)) | WS_POPUP);
        restyled = true;
    }
    if (restyled && (previous || (parent && ::GetParent(hwnd) == ToHwnd(parent)))) {
        // Tell the window that its frame style changed (a child moving to
        // another parent keeps its frame, and is spared the redraw).
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    return FromHwnd(previous);
}

bool WinWindowSystem::MoveWindow(WindowHandle window, std::int32_t x, std::int32_t y,
                                 std::int32_t width, std::int32_t height, bool repaint) {
    const int dpi = WindowDpi(ToHwnd(window));
    return ::MoveWindow(ToHwnd(window), Scale(x, dpi), Scale(y, dpi), Scale(width, dpi), Scale(height, dpi),
                        repaint) != FALSE;
}

bool WinWindowSystem::IsWindow(WindowHandle window) { return ::IsWindow(ToHwnd(window)) != FALSE; }

bool WinWindowSystem::LockWindowUpdate(WindowHandle window) {
    return ::LockWindowUpdate(ToHwnd(window)) != FALSE;
}

}  // namespace brackwell::win
