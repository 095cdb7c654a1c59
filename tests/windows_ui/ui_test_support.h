#pragma once
// Helpers for tests that drive real windows: a visible host window, message
// pumping, and a helper thread that answers a modal window (message box,
// dialog, menu) the way a user would.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace brackwell::win::test {

// The test program's module: it links the pictures.
inline HINSTANCE Instance() { return ::GetModuleHandleW(nullptr); }

// One visible top-level window for the whole program, 400 x 300 client
// pixels, for controls that need a parent. Under Wine without a window
// manager every destroyed top-level window costs two seconds, so the tests
// share this one and destroy only their children.
HWND SharedHostWindow();

// Dispatches whatever arrives for `time`.
void PumpFor(std::chrono::milliseconds time);

std::wstring WindowText(HWND window);

// Waits on a thread of its own for a visible window of class `className`
// that belongs to this thread, then runs `answer` with it on the helper
// thread (SendMessage and PostMessage work because this thread sits in the
// window's modal loop). Joins on destruction.
class ModalAnswerer {
public:
    ModalAnswerer(const wchar_t* className, std::function<void(HWND)> answer);
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;
    ~ModalAnswerer();

    bool Answered() const { return answered_; }

private:
    std::thread thread_;
    volatile bool answered_ = false;
};

// A key pressed in the menu that is showing (its modal loop reads the thread's queue).
void PostKey(HWND window, UINT virtualKey);

}  // namespace brackwell::win::test
