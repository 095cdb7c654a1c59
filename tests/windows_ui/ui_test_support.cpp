#include "ui_test_support.h"

#include <vector>

namespace brackwell::win::test {
namespace {

constexpr wchar_t kHostClass[] = L"BrackwellTestHost";

struct Search {
    const wchar_t* className;
    HWND found = nullptr;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    if (::IsWindowVisible(window) && ClassName(window) == search->className) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

WindowHandleOwner CreateHostWindow(int width, int height) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = Instance();
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = kHostClass;
    ::RegisterClassExW(&wc);  // fails harmlessly when registered already
    RECT r{0, 0, width, height};
    ::AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
    HWND hwnd = ::CreateWindowExW(0, kHostClass, L"Brackwell test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                                  40, 40, r.right - r.left, r.bottom - r.top, nullptr, nullptr, Instance(), nullptr);
    PumpUntil([] { return false; }, std::chrono::milliseconds(20));
    return WindowHandleOwner(hwnd);
}

HWND SharedHostWindow() {
    static WindowHandleOwner host = CreateHostWindow();
    return host.Get();
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    return name;
}

ModalAnswerer::ModalAnswerer(const wchar_t* className, std::function<void(HWND)> answer, DWORD uiThread) {
    thread_ = std::thread([this, className, answer = std::move(answer), uiThread] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            Search search{className};
            ::EnumThreadWindows(uiThread, FindVisible, reinterpret_cast<LPARAM>(&search));
            if (!search.found) {
                // Menus may belong to no thread's list; look among all top-level windows.
                HWND candidate = ::FindWindowW(className, nullptr);
                if (candidate && ::IsWindowVisible(candidate) &&
                    ::GetWindowThreadProcessId(candidate, nullptr) == uiThread) {
                    search.found = candidate;
                }
            }
            if (search.found) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));  // let it finish opening
                answer(search.found);
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
