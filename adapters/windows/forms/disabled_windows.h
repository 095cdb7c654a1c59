#pragma once
// What a modal show does to the windows around the dialog: its owner, or
// when it has none the thread's other visible top-level windows, take no
// input until the show ends, and get it back in the reverse order.

#include <windows.h>

#include <vector>

namespace brackwell::win {

class DisabledWindows {
public:
    DisabledWindows() = default;
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;
    ~DisabledWindows() { Restore(); }

    // Disables `owner`, or with no owner the thread's visible, enabled
    // top-level windows other than `dialog`.
    void Disable(HWND owner, HWND dialog);
    void Restore();

private:
    std::vector<HWND> windows_;
};

}  // namespace brackwell::win
