#pragma once
// "XLMAIN", the class of the main windows of every generation the demo
// plays (Excel 2003's one window, Excel 2010's, each of Excel 2016's): one
// class in the process, so one window procedure, which hands each message to
// the object behind the window, whichever kind it is.

#include <windows.h>

namespace brackwell::demo {

inline constexpr wchar_t kXlMainClass[] = L"XLMAIN";

class XlMainWindow {
public:
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void WindowDestroyed() noexcept = 0;

protected:
    ~XlMainWindow() = default;
};

// Registers the class once; its windows are created with their
// XlMainWindow* as creation parameter.
void EnsureXlMainClass(HINSTANCE instance);

}  // namespace brackwell::demo
