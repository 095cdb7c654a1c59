#include "excel_standin/office/task_pane_frame.h"

#include <algorithm>
#include <utility>

#include "adapters/windows/ui/dpi.h"
#include "adapters/windows/ui/window_class.h"
#include "excel_standin/office/atl_container.h"
#include "excel_standin/office/task_pane_area.h"

namespace brackwell::office {
namespace {

constexpr int kCaptionHeight = 26;  // at 96 dpi
constexpr int kCloseBoxSize = 20;
constexpr int kCaptionInset = 6;

}  // namespace

TaskPaneFrame::TaskPaneFrame(TaskPaneArea& area, std::wstring title, int widthPixels, Owner& owner)
    : area_(&area), title_(std::move(title)), owner_(owner), width_(widthPixels) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    win::EnsureWindowClass(instance, kTaskPaneFrameClass, win::ObjectWindowProc<TaskPaneFrame>,
                           ::GetSysColorBrush(COLOR_BTNFACE));
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font_.Reset(::CreateFontIndirectW(&metrics.lfCaptionFont));
    window_ = ::CreateWindowExW(0, kTaskPaneFrameClass, title_.c_str(), WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                0, 0, width_, 0, area.Window(), nullptr, instance, this);
    if (!window_) return;
    closeBox_ = ::CreateWindowExW(0, L"BUTTON", L"\u00D7", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_FLAT, 0, 0, 0, 0,
                                  window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCloseBoxId)), instance,
                                  nullptr);
    ::SendMessageW(closeBox_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    area.Add(*this);
}

TaskPaneFrame::~TaskPaneFrame() { Destroy(); }

void TaskPaneFrame::Destroy() noexcept {
    if (window_) ::DestroyWindow(window_);
}

win::ComPtr<IUnknown> TaskPaneFrame::HostControl(const std::wstring& progId) {
    if (!window_ || container_) return control_;
    RECT client{};
    ::GetClientRect(window_, &client);
    const RECT place{0, CaptionHeight(), client.right, std::max<LONG>(client.bottom, CaptionHeight())};
    container_ = CreateAtlContainerWindow(window_, progId, place);
    control_ = AtlControlOf(container_);
    return control_;
}

int TaskPaneFrame::CaptionHeight() const { return win::Scale(kCaptionHeight, win::WindowDpi(window_)); }

void TaskPaneFrame::Show(bool shown) {
    if (!window_ || shown == shown_) return;
    shown_ = shown;
    ::ShowWindow(window_, shown ? SW_SHOWNA : SW_HIDE);
    if (area_) area_->Layout();
}

void TaskPaneFrame::SetWidth(int pixels) {
    if (pixels == width_) return;
    width_ = pixels;
    if (area_ && shown_) area_->Layout();
}

TaskPaneFrame* TaskPaneFrame::Containing(HWND window) {
    for (HWND at = window; at; at = ::GetParent(at)) {
        wchar_t name[32] = {};
        if (::GetClassNameW(at, name, 32) && std::wstring_view(name) == kTaskPaneFrameClass) {
            return reinterpret_cast<TaskPaneFrame*>(::GetWindowLongPtrW(at, GWLP_USERDATA));
        }
    }
    return nullptr;
}

void TaskPaneFrame::LayoutChildren() {
    RECT client{};
    ::GetClientRect(window_, &client);
    const int caption = CaptionHeight();
    const int box = win::Scale(kCloseBoxSize, win::WindowDpi(window_));
    ::MoveWindow(closeBox_, client.right - box - (caption - box) / 2, (caption - box) / 2, box, box, TRUE);
    if (container_) {
        ::MoveWindow(container_, 0, caption, client.right, std::max<LONG>(client.bottom - caption, 0), TRUE);
    }
}

LRESULT TaskPaneFrame::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window_) window_ = window;
    switch (message) {
    case WM_SIZE:
        LayoutChildren();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kCloseBoxId && HIWORD(wParam) == BN_CLICKED) {
            owner_.CloseBoxPressed();
            return 0;
        }
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(window, &ps);
        RECT caption{};
        ::GetClientRect(window, &caption);
        caption.bottom = CaptionHeight();
        caption.left += win::Scale(kCaptionInset, win::WindowDpi(window));
        win::SelectedObject font(dc, font_.Get());
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
        ::DrawTextW(dc, title_.c_str(), -1, &caption, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        ::EndPaint(window, &ps);
        return 0;
    }
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void TaskPaneFrame::WindowDestroyed() noexcept {
    window_ = nullptr;
    closeBox_ = nullptr;
    container_ = nullptr;  // Wine's container closed the control in its WM_DESTROY
    control_.Reset();
    shown_ = false;
    if (TaskPaneArea* area = std::exchange(area_, nullptr)) area->Remove(*this);
    owner_.FrameDestroyed();
}

}  // namespace brackwell::office
