#include "ui_test_support.h"

#include "adapters/windows/ui/win_handles.h"

namespace brackwell::win::test {
namespace {

// A visible top-level window of `className` that belongs to `thread`. Menus
// and dialogs are top-level windows, whoever owns them.
HWND VisibleWindowOf(DWORD thread, const wchar_t* className) {
    for (HWND w = ::FindWindowExW(nullptr, nullptr, className, nullptr); w;
         w = ::FindWindowExW(nullptr, w, className, nullptr)) {
        if (::IsWindowVisible(w) && ::GetWindowThreadProcessId(w, nullptr) == thread) return w;
    }
    return nullptr;
}

}  // namespace

HWND SharedHostWindow() {
    static const WindowHandleOwner host = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = Instance();
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
        wc.lpszClassName = L"BrackwellTestHost";
        ::RegisterClassExW(&wc);
        RECT r{0, 0, 400, 300};
        ::AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
        WindowHandleOwner window(::CreateWindowExW(0, wc.lpszClassName, L"Brackwell test",
                                                   WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 40, 40,
                                                   r.right - r.left, r.bottom - r.top, nullptr, nullptr, Instance(),
                                                   nullptr));
        PumpFor(std::chrono::milliseconds(20));
        return window;
    }();
    return host.Get();
}

void PumpFor(std::chrono::milliseconds time) {
    const auto deadline = std::chrono::steady_clock::now() + time;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (std::chrono::steady_clock::now() >= deadline) return;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

ModalAnswerer::ModalAnswerer(const wchar_t* className, std::function<void(HWND)> answer) {
    thread_ = std::thread([this, className, answer = std::move(answer), uiThread = ::GetCurrentThreadId()] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            if (HWND found = VisibleWindowOf(uiThread, className)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));  // let it finish opening
                answer(found);
                answered_ = true;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
}

ModalAnswerer::~ModalAnswerer() {
    if (thread_.joinable()) thread_.join();
}

void PostKey(HWND window, UINT virtualKey) {
    // With the scan code, TranslateMessage can make the WM_CHAR that some
    // menu loops (Wine's for Enter) act on.
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    ::PostMessageW(window, WM_KEYDOWN, virtualKey, scan | 1);
    ::PostMessageW(window, WM_KEYUP, virtualKey, scan | 1 | static_cast<LPARAM>(0xC0000000u));
}

}  // namespace brackwell::win::test
