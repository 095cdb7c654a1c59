#pragma once
// Helpers for tests that drive real windows: a visible host window, message
// pumping until a condition holds, and a helper thread that answers a modal
// window (message box, dialog, menu) the way a user would.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "adapters/windows/ui/win_handles.h"

namespace brackwell::win::test {

// The test program's module: it links the pictures.
inline HINSTANCE Instance() { return ::GetModuleHandleW(nullptr); }

// A visible top-level window with a client area of `width` x `height` pixels.
WindowHandleOwner CreateHostWindow(int width = 400, int height = 300);

// One visible top-level window for the whole test program, 400 x 300
// client pixels, for controls that need a parent. Under Wine without a
// window manager every destroyed top-level window costs two seconds, so the
// tests share this one and destroy only their children.
HWND SharedHostWindow();

// Dispatches messages until `done` returns true or `timeout` passes.
bool PumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(3000));

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

// Waits on a thread of its own for a visible window of class `className`
// that belongs to `uiThread`, then runs `answer` with it (on the helper
// thread; cross-thread calls like SendMessage and PostMessage work because
// the UI thread sits in the window's modal loop). Joins on destruction.
class ModalAnswerer {
public:
    ModalAnswerer(const wchar_t* className, std::function<void(HWND)> answer,
                  DWORD uiThread = ::GetCurrentThreadId());
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;
    ~ModalAnswerer();

    bool Answered() const { return answered_; }

private:
    std::thread thread_;
    volatile bool answered_ = false;
};

// Keys sent to the menu that is showing (its modal loop reads the thread's queue).
void PostKey(HWND window, UINT virtualKey);

}  // namespace brackwell::win::test
