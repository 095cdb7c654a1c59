#pragma once
// Work the component hands to the thread's message loop: a message-only
// window whose timer runs the tasks once the message being handled now is
// done. A timer rather than a posted message, so that a task that finds the
// component still busy and posts itself again does not spin the loop.

#include <windows.h>

#include <deque>
#include <functional>

namespace brackwell::win {

class PostedTasks {
public:
    explicit PostedTasks(HINSTANCE instance);
    ~PostedTasks();  // tasks not yet run are dropped
    PostedTasks(const PostedTasks&) = delete;
    PostedTasks& operator=(const PostedTasks&) = delete;

    void Post(std::function<void()> task);
    std::size_t Pending() const { return tasks_.size(); }

    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void WindowDestroyed() noexcept { hwnd_ = nullptr; }

private:
    void RunDue();

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;  // made on the first Post, on the thread that posts
    std::deque<std::function<void()>> tasks_;
};

}  // namespace brackwell::win
