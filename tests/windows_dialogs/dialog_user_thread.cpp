#include "tests/windows_dialogs/dialog_user_thread.h"

namespace brackwell::win::test {
namespace {

constexpr wchar_t kHelperClass[] = L"BrackwellDialogUserHelper";
constexpr UINT kSettle = WM_APP + 1;  // lParam: the event to set
constexpr UINT kRun = WM_APP + 2;     // lParam: the work to run

struct Search {
    DWORD thread;
    const wchar_t* className;
    HWND owner;
    HWND found = nullptr;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    if (::lstrcmpW(name, s->className) != 0 || !::IsWindowVisible(window)) return TRUE;
    if (s->owner && ::GetWindow(window, GW_OWNER) != s->owner) return TRUE;
    s->found = window;
    return FALSE;
}

template <class Condition>
bool Poll(Condition&& condition) {
    const auto deadline = std::chrono::steady_clock::now() + DialogUserThread::kDeadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace

LRESULT CALLBACK DialogUserThread::HelperProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kSettle) {
        ::SetEvent(reinterpret_cast<HANDLE>(lParam));
        return 0;
    }
    if (message == kRun) {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

DialogUserThread::DialogUserThread(Script script)
    : uiThread_(::GetCurrentThreadId()),
      settled_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      finished_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = HelperProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kHelperClass;
    ::RegisterClassExW(&wc);  // fails harmlessly when registered before
    helper_.Reset(::CreateWindowExW(0, kHelperClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr));
    thread_ = std::thread([this, script = std::move(script)] {
        script(*this);
        ::SetEvent(finished_.Get());
    });
}

DialogUserThread::~DialogUserThread() {
    const auto deadline = std::chrono::steady_clock::now() + kDeadline;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            timedOut_ = true;
            break;
        }
        HANDLE finished = finished_.Get();
        const DWORD woke = ::MsgWaitForMultipleObjects(1, &finished, FALSE, static_cast<DWORD>(left.count()), QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0) break;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    thread_.join();
}

HWND DialogUserThread::WaitForWindow(const wchar_t* className, HWND owner) {
    Search search{uiThread_, className, owner};
    const bool found = Poll([&] {
        search.found = nullptr;
        ::EnumThreadWindows(uiThread_, FindVisible, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    if (!found) timedOut_ = true;
    return search.found;
}

bool DialogUserThread::WaitUntilGone(HWND window) {
    const bool gone = Poll([&] { return !::IsWindow(window) || !::IsWindowVisible(window); });
    if (!gone) timedOut_ = true;
    return gone;
}

bool DialogUserThread::Settle() {
    ::PostMessageW(helper_.Get(), kSettle, 0, reinterpret_cast<LPARAM>(settled_.Get()));
    const bool settled =
        ::WaitForSingleObject(settled_.Get(), static_cast<DWORD>(kDeadline.count())) == WAIT_OBJECT_0;
    if (!settled) timedOut_ = true;
    return settled;
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
    Click(window, POINT{client.right / 2, client.bottom / 2});
}

void DialogUserThread::Type(HWND window, const std::wstring& text) {
    for (wchar_t unit : text) ::PostMessageW(window, WM_CHAR, unit, 1);
}

void DialogUserThread::Key(HWND window, UINT virtualKey) {
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    ::PostMessageW(window, WM_KEYDOWN, virtualKey, scan | 1);
    ::PostMessageW(window, WM_KEYUP, virtualKey, scan | 1 | static_cast<LPARAM>(0xC0000000u));
}

void DialogUserThread::CloseBox(HWND window) { ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

void DialogUserThread::OnUi(const std::function<void()>& work) {
    DWORD_PTR ignored = 0;
    if (!::SendMessageTimeoutW(helper_.Get(), kRun, 0, reinterpret_cast<LPARAM>(&work), SMTO_NORMAL,
                               static_cast<UINT>(kDeadline.count()), &ignored))
        timedOut_ = true;
}

RECT RectInParent(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace brackwell::win::test
