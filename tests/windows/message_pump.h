#pragma once
// Lets every waiting window message run, like DoEvents. Inline, so that the
// script tests' host DLL can use it without the test support library.

#include <windows.h>

namespace brackwell::win::test {

inline void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace brackwell::win::test
