#include "tests/windows_dialogs/dialog_test_support.h"

#include <cstdio>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/ui/window_bitmap.h"

namespace brackwell::win::test {

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 512);
    return text;
}

int Px(int twips) {
    WindowDc screen(nullptr);
    return ::MulDiv(twips, ::GetDeviceCaps(screen.Get(), LOGPIXELSY), 1440);
}

bool At(HWND control, int left, int top, int width, int height) {
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r.left == Px(left) && r.top == Px(top) && (width < 0 || r.right == Px(left + width)) &&
           (height < 0 || r.bottom == Px(top + height));
}

void WritePicture(HWND window, const std::wstring& name) {
    wchar_t folder[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"\\" + name;
    const bool written = WriteWindowBitmap(window, path);
    std::printf("picture %s: %s\n", written ? "written" : "NOT written", WideToUtf8(path).c_str());
}

}  // namespace brackwell::win::test
