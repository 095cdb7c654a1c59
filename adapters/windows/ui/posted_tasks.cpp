#include "adapters/windows/ui/posted_tasks.h"

#include <utility>

#include "adapters/windows/ui/window_class.h"

namespace brackwell::win {
namespace {

constexpr wchar_t kClass[] = L"BrackwellPostedTasks";
constexpr UINT_PTR kTimer = 1;
constexpr UINT kDelayMs = 10;

}  // namespace

PostedTasks::PostedTasks(HINSTANCE instance) : instance_(instance) {}

PostedTasks::~PostedTasks() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

void PostedTasks::Post(std::function<void()> task) {
    if (!hwnd_) {
        EnsureWindowClass(instance_, kClass, ObjectWindowProc<PostedTasks>);
        hwnd_ = ::CreateWindowExW(0, kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, this);
    }
    tasks_.push_back(std::move(task));
    if (hwnd_) ::SetTimer(hwnd_, kTimer, kDelayMs, nullptr);
}

void PostedTasks::RunDue() {
    ::KillTimer(hwnd_, kTimer);
    // What the tasks post now waits for the next turn.
    std::deque<std::function<void()>> due;
    due.swap(tasks_);
    for (auto& task : due) {
        try {
            task();
        } catch (...) {
            // A task's failure is its own; the loop it runs in is the host's.
        }
    }
}

LRESULT PostedTasks::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kTimer) {
        RunDue();
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace brackwell::win
