#pragma once
// A user at the screen while the test's thread sits in a modal loop (a
// dialog's, a menu's, a message box's): a script on a thread of its own
// that finds the windows, clicks, types and closes with real window
// messages, waits with deadlines, and reads back what a user would see.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "adapters/windows/ui/win_handles.h"

namespace brackwell::win::test {

class DialogUserThread {
public:
    static constexpr std::chrono::milliseconds kDeadline{10000};

    // Starts the script at once; call on the UI thread, then show the dialog.
    // `deadline`: how long the UI thread waits for the whole script once it
    // is back from the modal show.
    explicit DialogUserThread(std::function<void(DialogUserThread&)> script,
                              std::chrono::milliseconds deadline = kDeadline);
    // Lets the UI thread's messages run until the script has ended, then joins.
    ~DialogUserThread();
    DialogUserThread(const DialogUserThread&) = delete;
    DialogUserThread& operator=(const DialogUserThread&) = delete;

    // For the script. A visible top-level window of the UI thread with that
    // class (and that owner, when given); null once the deadline passed.
    HWND WaitForWindow(const wchar_t* className, HWND owner = nullptr);
    void WaitUntilGone(HWND window);
    bool WaitUntil(const std::function<bool()>& condition);
    // Waits until the UI thread has handled everything posted so far.
    void Settle();
    // A mouse click at `at` (client pixels of `window`), or at its centre.
    void Click(HWND window, POINT at);
    void Click(HWND window);
    // Clicks `button` until `window` closes, as a user clicks again when a
    // window that has just opened missed the first click.
    void ClickUntilClosed(HWND button, HWND window);
    void Type(HWND window, const std::wstring& text);
    void Key(HWND window, UINT virtualKey);
    void CloseBox(HWND window) { ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }
    // Runs `work` on the UI thread and waits for it.
    void OnUi(const std::function<void()>& work);

    bool TimedOut() const { return timedOut_; }  // some wait ran into its deadline

private:
    DWORD uiThread_;
    std::chrono::milliseconds deadline_;
    WindowHandleOwner helper_;  // a message-only window on the UI thread
    KernelHandle settled_;
    KernelHandle returned_;  // the UI thread is back from the modal show
    KernelHandle finished_;
    std::atomic<bool> timedOut_{false};
    std::thread thread_;
};

inline POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

}  // namespace brackwell::win::test
