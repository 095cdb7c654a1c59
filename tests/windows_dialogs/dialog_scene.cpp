#include "tests/windows_dialogs/dialog_scene.h"

#include <cstdio>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/ui/win_handles.h"
#include "adapters/windows/ui/window_bitmap.h"

namespace brackwell::win::test {

int Px(int twips) {
    WindowDc screen(nullptr);
    return ::MulDiv(twips, ::GetDeviceCaps(screen.Get(), LOGPIXELSY), 1440);
}

void WritePicture(HWND window, const std::wstring& name) {
    wchar_t folder[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"\\" + name;
    const bool written = WriteWindowBitmap(window, path);
    std::printf("picture %s: %s\n", written ? "written" : "NOT written", WideToUtf8(path).c_str());
}

}  // namespace brackwell::win::test
