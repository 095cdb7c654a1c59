#include "adapters/windows/addin/pane_host_window.h"

#include "adapters/windows/addin/pane_keys.h"
#include "adapters/windows/com/server_module.h"
#include "adapters/windows/ui/dpi.h"
#include "adapters/windows/ui/window_class.h"

namespace brackwell::win::addin {
namespace {

constexpr wchar_t kClass[] = L"BrackwellPaneHost";

}  // namespace

PaneHostWindow::~PaneHostWindow() { Destroy(); }

bool PaneHostWindow::Create(HWND parent, const RECT& place) {
    if (hwnd_) return true;
    const HINSTANCE instance = server::Module();
    if (!EnsureWindowClass(instance, kClass, ObjectWindowProc<PaneHostWindow>,
                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)))
        return false;
    // The container gives pixels of its own window, which already follow its
    // DPI; made in that window's DPI awareness, this window scales as it
    // does, and the pane form inside scales itself by the DPI it finds here.
    const DpiAwarenessOf awareness(parent);
    ::CreateWindowExW(WS_EX_CONTROLPARENT, kClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, place.left,
                      place.top, place.right - place.left, place.bottom - place.top, parent, nullptr, instance, this);
    return hwnd_ != nullptr;
}

void PaneHostWindow::Place(const RECT& place) {
    if (hwnd_)
        ::MoveWindow(hwnd_, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
}

void PaneHostWindow::Destroy() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

bool PaneHostWindow::RouteKey(const MSG& message) {
    if (!hwnd_ || !message.hwnd || (message.hwnd != hwnd_ && !::IsChild(hwnd_, message.hwnd))) return false;
    if (!IsPaneKey(message)) return false;
    // Dispatched here, the key reaches the tree or bar as in a plain message
    // loop; neither the host's accelerators nor IsDialogMessage see it.
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
    return true;
}

LRESULT PaneHostWindow::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE: hwnd_ = hwnd; break;
    case WM_SIZE: events_.WindowResized(); return 0;
    case WM_DESTROY: events_.WindowDestroying(); return 0;
    default: break;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace brackwell::win::addin
