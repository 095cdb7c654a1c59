#include "excel_standin/office/task_pane_area.h"

#include <algorithm>

#include "adapters/windows/ui/window_class.h"
#include "excel_standin/office/task_pane_frame.h"

namespace brackwell::office {
namespace {

constexpr wchar_t kAreaClass[] = L"MsoCommandBarDock";
constexpr wchar_t kAreaTitle[] = L"MsoDockLeft";

}  // namespace

TaskPaneArea::TaskPaneArea(HINSTANCE instance, HWND excelWindow, std::function<void()> widthChanged)
    : widthChanged_(std::move(widthChanged)) {
    win::EnsureWindowClass(instance, kAreaClass, win::ObjectWindowProc<TaskPaneArea>,
                           ::GetSysColorBrush(COLOR_BTNFACE));
    window_ = ::CreateWindowExW(0, kAreaClass, kAreaTitle, WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                excelWindow, nullptr, instance, this);
}

TaskPaneArea::~TaskPaneArea() {
    widthChanged_ = nullptr;  // the owner is going too
    if (window_) ::DestroyWindow(window_);
}

TaskPaneArea* TaskPaneArea::FromWindow(HWND window) {
    wchar_t name[64] = {};
    if (!window || !::GetClassNameW(window, name, 64) || std::wstring_view(name) != kAreaClass) return nullptr;
    return reinterpret_cast<TaskPaneArea*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

void TaskPaneArea::Add(TaskPaneFrame& frame) {
    frames_.push_back(&frame);
    Layout();
}

void TaskPaneArea::Remove(TaskPaneFrame& frame) noexcept {
    std::erase(frames_, &frame);
    Layout();
}

void TaskPaneArea::Layout() {
    if (!window_ || closing_) return;
    RECT client{};
    ::GetClientRect(window_, &client);
    int x = 0;
    for (TaskPaneFrame* frame : frames_) {
        if (!frame->Shown()) continue;
        ::MoveWindow(frame->Window(), x, 0, frame->Width(), client.bottom, TRUE);
        x += frame->Width();
    }
    ::ShowWindow(window_, x > 0 ? SW_SHOWNA : SW_HIDE);
    if (x != width_) {
        width_ = x;
        if (widthChanged_) widthChanged_();
    }
}

LRESULT TaskPaneArea::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window_) window_ = window;
    switch (message) {
    case WM_SIZE:
        Layout();
        return 0;
    case WM_DESTROY:
        closing_ = true;  // the panes in it go next, one by one
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace brackwell::office
