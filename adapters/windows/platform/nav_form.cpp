#include "adapters/windows/platform/nav_form.h"

#include <algorithm>

#include "adapters/windows/ui/dpi.h"
#include "adapters/windows/ui/window_class.h"
#include "host/automation_error.h"

namespace brackwell::win {
namespace {

constexpr wchar_t kNavFormClass[] = L"BrackwellNavForm";

// The size the form is created with, in pixels at 96 dpi: the pane's width;
// the host side sets the height from its dock window.
constexpr int kInitialWidth = 215;
constexpr int kInitialHeight = 400;

}  // namespace

WinNavForm::WinNavForm(HINSTANCE instance, const ToolbarDesign& bar, FormEvents& events)
    : events_(events) {
    EnsureWindowClass(instance, kNavFormClass, ObjectWindowProc<WinNavForm>,
                      reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    const int dpi = SystemDpi();
    hwnd_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, kNavFormClass, L"frmNav", WS_POPUP | WS_CLIPCHILDREN, 0, 0,
                              Scale(kInitialWidth, dpi), Scale(kInitialHeight, dpi), nullptr, nullptr, instance, this);
    if (!hwnd_) Raise(err::kInvalidCall, "Das Fenster des Navigators konnte nicht erstellt werden");
    bar_ = std::make_shared<WinToolbar>(instance, hwnd_, bar);
    tree_ = std::make_shared<WinTreeView>(instance, hwnd_);
    created_ = true;
}

WinNavForm::~WinNavForm() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

WindowHandle WinNavForm::Hwnd() { return reinterpret_cast<WindowHandle>(hwnd_); }

std::int32_t WinNavForm::Height() {
    RECT r{};
    if (!hwnd_ || !::GetWindowRect(hwnd_, &r)) return 0;
    return Unscale(r.bottom - r.top, WindowDpi(hwnd_));
}

void WinNavForm::SetHeight(std::int32_t height) {
    RECT r{};
    if (!hwnd_ || !::GetWindowRect(hwnd_, &r)) return;
    ::SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, std::max(0, Scale(height, WindowDpi(hwnd_))),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::int32_t WinNavForm::ScaleWidth() {
    RECT r{};
    if (!hwnd_ || !::GetClientRect(hwnd_, &r)) return 0;
    return PixelsToTwips(r.right - r.left, WindowDpi(hwnd_));
}

std::int32_t WinNavForm::ScaleHeight() {
    RECT r{};
    if (!hwnd_ || !::GetClientRect(hwnd_, &r)) return 0;
    return PixelsToTwips(r.bottom - r.top, WindowDpi(hwnd_));
}

void WinNavForm::Show() {
    if (!hwnd_) return;
    // A form hears of its size when it first shows, even if it never changed.
    if (!sizeReported_) {
        sizeReported_ = true;
        events_.Form_Resize();
    }
    // Docked, a child: shown without the activation a top-level window's showing brings.
    ::ShowWindow(hwnd_, (::GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CHILD) ? SW_SHOWNA : SW_SHOW);
}

void WinNavForm::Hide() {
    if (hwnd_) ::ShowWindow(hwnd_, SW_HIDE);
}

void WinNavForm::ZOrder(std::int32_t position) {
    if (!hwnd_) return;
    ::SetWindowPos(hwnd_, position == 0 ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void WinNavForm::OnDpiChanged(int dpi) {
    if (dpi <= 0 || !bar_ || dpi == bar_->Dpi()) return;
    bar_->SetDpi(dpi);
    if (tree_) tree_->SetDpi(dpi);
    if (created_) events_.Form_Resize();  // the tree's margins in twips
}

LRESULT WinNavForm::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == LayoutDpiQuery()) return bar_ ? bar_->Dpi() : 0;
    switch (message) {
    case WM_DPICHANGED:  // on the desktop
        OnDpiChanged(HIWORD(wParam));
        return 0;
    case WM_DPICHANGED_AFTERPARENT:  // docked: the host's window moved to a screen of another DPI
        OnDpiChanged(WindowDpi(hwnd));
        return 0;
    case WM_SIZE:
        if (bar_ && bar_->Handle()) {
            // The toolbar spans the form's top edge, as an aligned bar does.
            ::MoveWindow(bar_->Handle(), 0, 0, LOWORD(lParam), bar_->HeightPixels(), TRUE);
        }
        if (created_) {
            sizeReported_ = true;
            events_.Form_Resize();
        }
        return 0;
    case WM_CLOSE:
        // Closed from outside (not by the component): the form unloads, and
        // the default handling destroys the window.
        events_.Form_Unload();
        break;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace brackwell::win
