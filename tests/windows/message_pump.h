#pragma once
// Lets every waiting window message run, like DoEvents. Inline, so that the
// script tests' host DLL can use it without the test support library.

#include <windows.h>

#include <functional>

namespace brackwell::win::test {

inline void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Lets messages run until `done` says so or `limitMs` have passed (timers
// included); whether it was done.
inline bool PumpMessagesUntil(const std::function<bool()>& done, DWORD limitMs = 5000) {
    const ULONGLONG end = GetTickCount64() + limitMs;
    while (!done()) {
        if (GetTickCount64() > end) return false;
        PumpMessages();
        Sleep(1);
    }
    return true;
}

}  // namespace brackwell::win::test
