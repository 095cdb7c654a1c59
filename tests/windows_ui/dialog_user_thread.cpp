#include "tests/windows_ui/dialog_user_thread.h"

namespace brackwell::win::test {
namespace {

constexpr UINT kSettle = WM_APP + 1;  // lParam: the event to set
constexpr UINT kRun = WM_APP + 2;     // lParam: the work to run

LRESULT CALLBACK HelperProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kSettle) ::SetEvent(reinterpret_cast<HANDLE>(lParam));
    if (message == kRun) (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return message == kSettle || message == kRun ? 0 : ::DefWindowProcW(hwnd, message, wParam, lParam);
}

BOOL CALLBACK CloseVisible(HWND window, LPARAM) {
    if (::IsWindowVisible(window)) ::PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

}  // namespace

DialogUserThread::DialogUserThread(std::function<void(DialogUserThread&)> script,
                                   std::chrono::milliseconds deadline)
    : uiThread_(::GetCurrentThreadId()),
      deadline_(deadline),
      settled_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      returned_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      finished_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = HelperProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BrackwellDialogUserHelper";
    ::RegisterClassExW(&wc);  // fails harmlessly when registered before
    helper_.Reset(::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                                    nullptr));
    thread_ = std::thread([this, script = std::move(script)] {
        script(*this);
        // Whatever the script left open is closed once the deadline has
        // passed, so that a test fails instead of waiting for ever in a
        // modal loop.
        if (::WaitForSingleObject(returned_.Get(), static_cast<DWORD>(deadline_.count())) != WAIT_OBJECT_0) {
            timedOut_ = true;
            ::EnumThreadWindows(uiThread_, CloseVisible, 0);
        }
        ::SetEvent(finished_.Get());
    });
}

DialogUserThread::~DialogUserThread() {
    ::SetEvent(returned_.Get());
    const auto deadline = std::chrono::steady_clock::now() + deadline_;
    HANDLE finished = finished_.Get();
    while (::MsgWaitForMultipleObjects(1, &finished, FALSE, 50, QS_ALLINPUT) != WAIT_OBJECT_0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            timedOut_ = true;
            break;
        }
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    }
    thread_.join();
}

bool DialogUserThread::WaitUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + kDeadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return !(timedOut_ = true);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

HWND DialogUserThread::WaitForWindow(const wchar_t* className, HWND owner) {
    HWND w = nullptr;
    auto wanted = [&] {
        return ::IsWindowVisible(w) && ::GetWindowThreadProcessId(w, nullptr) == uiThread_ &&
               (!owner || ::GetWindow(w, GW_OWNER) == owner);
    };
    WaitUntil([&] {
        for (w = ::FindWindowExW(nullptr, nullptr, className, nullptr); w; w = ::FindWindowExW(nullptr, w, className, nullptr))
            if (wanted()) return true;
        return false;
    });
    return w;
}

void DialogUserThread::WaitUntilGone(HWND window) { WaitUntil([&] { return !::IsWindowVisible(window); }); }

void DialogUserThread::Settle() {
    ::PostMessageW(helper_.Get(), kSettle, 0, reinterpret_cast<LPARAM>(settled_.Get()));
    if (::WaitForSingleObject(settled_.Get(), static_cast<DWORD>(kDeadline.count())) != WAIT_OBJECT_0)
        timedOut_ = true;
}

void DialogUserThread::Click(HWND window, POINT at) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    ::PostMessageW(window, WM_MOUSEMOVE, 0, where);
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    ::PostMessageW(window, WM_LBUTTONUP, 0, where);
}

void DialogUserThread::Click(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    Click(window, Centre(client));
}

void DialogUserThread::ClickUntilClosed(HWND button, HWND window) {
    const auto deadline = std::chrono::steady_clock::now() + kDeadline;
    while (::IsWindowVisible(window) && std::chrono::steady_clock::now() < deadline) {
        Click(button);
        const auto retry = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        while (::IsWindowVisible(window) && std::chrono::steady_clock::now() < retry)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (::IsWindowVisible(window)) timedOut_ = true;
}

void DialogUserThread::Type(HWND window, const std::wstring& text) {
    for (wchar_t unit : text) ::PostMessageW(window, WM_CHAR, unit, 1);
}

void DialogUserThread::Key(HWND window, UINT virtualKey) {
    ::PostMessageW(window, WM_KEYDOWN, virtualKey, 1);
    ::PostMessageW(window, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
}

void DialogUserThread::OnUi(const std::function<void()>& work) {
    DWORD_PTR ignored = 0;
    if (!::SendMessageTimeoutW(helper_.Get(), kRun, 0, reinterpret_cast<LPARAM>(&work), SMTO_NORMAL,
                               static_cast<UINT>(kDeadline.count()), &ignored))
        timedOut_ = true;
}

}  // namespace brackwell::win::test
