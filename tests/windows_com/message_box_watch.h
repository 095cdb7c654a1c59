#pragma once
// Closes the message boxes of one process as they appear, and keeps what
// they said. The component shows real, modal message boxes; without a user
// at the screen a test would wait on one forever, and would not know what
// it said. Every dialog box is confirmed with OK (an input box too) unless
// the watch is told to take only boxes with a lone OK button, as the
// component's are, and leave dialogs with more to answer to the test.

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace brackwell::win::test {

struct SeenMessageBox {
    std::wstring title;
    std::wstring text;
};

// A box as the component shows them: a dialog with one OK button and no field.
bool IsComponentMessageBox(HWND window);

class MessageBoxWatch {
public:
    // Watches the boxes of process `processId` (this process by default).
    explicit MessageBoxWatch(DWORD processId = GetCurrentProcessId());
    MessageBoxWatch(const MessageBoxWatch&) = delete;
    MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;
    ~MessageBoxWatch();

    // From now on only the component's boxes (IsComponentMessageBox).
    void TakeOnlyComponentBoxes() { onlyComponentBoxes_ = true; }

    std::vector<SeenMessageBox> Seen() const;
    // Waits up to `milliseconds` until at least `count` boxes were closed.
    bool WaitFor(std::size_t count, DWORD milliseconds) const;

private:
    void Run();

    DWORD processId_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> onlyComponentBoxes_{false};
    mutable std::mutex mutex_;
    std::vector<SeenMessageBox> seen_;
    std::thread thread_;
};

}  // namespace brackwell::win::test
