#pragma once
// A user at the screen while the test's thread sits in a dialog's modal
// loop: a script on a thread of its own that finds the dialog's windows,
// clicks, types and closes with real window messages, waits for what it
// expects with deadlines, and reads back what a user would see.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "adapters/windows/ui/win_handles.h"

namespace brackwell::win::test {

class DialogUserThread {
public:
    using Script = std::function<void(DialogUserThread&)>;
    static constexpr std::chrono::milliseconds kDeadline{10000};

    // Starts the script at once; call on the UI thread, then show the dialog.
    explicit DialogUserThread(Script script);
    // Lets the UI thread's messages run until the script has ended, then joins.
    ~DialogUserThread();
    DialogUserThread(const DialogUserThread&) = delete;
    DialogUserThread& operator=(const DialogUserThread&) = delete;

    // For the script. A visible top-level window of the UI thread with that
    // class (and that owner, when given); null once the deadline passed.
    HWND WaitForWindow(const wchar_t* className, HWND owner = nullptr);
    bool WaitUntilGone(HWND window);
    // Waits until the UI thread has handled everything posted so far.
    bool Settle();
    // A mouse click at `at` (client pixels of `window`), or at its centre.
    void Click(HWND window, POINT at);
    void Click(HWND window);
    void Type(HWND window, const std::wstring& text);
    void Key(HWND window, UINT virtualKey);
    void CloseBox(HWND window);  // as the caption's close button does
    // Runs `work` on the UI thread and waits for it.
    void OnUi(const std::function<void()>& work);

    // Whether some wait ran into its deadline.
    bool TimedOut() const { return timedOut_; }

    // Window procedure of the helper window on the UI thread.
    static LRESULT CALLBACK HelperProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    DWORD uiThread_;
    WindowHandleOwner helper_;  // a message-only window on the UI thread
    KernelHandle settled_;
    KernelHandle finished_;
    std::atomic<bool> timedOut_{false};
    std::thread thread_;
};

// A window's rectangle in its parent's client pixels.
RECT RectInParent(HWND window);
std::wstring TextOf(HWND window);

}  // namespace brackwell::win::test
