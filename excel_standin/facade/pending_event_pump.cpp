#include "excel_standin/facade/pending_event_pump.h"

#include <atomic>
#include <mutex>
#include <utility>

#include "host/automation_error.h"

namespace brackwell::win {

namespace {

constexpr wchar_t kWindowClass[] = L"BrackwellPendingEventPump";
constexpr UINT kRunPending = WM_APP + 1;

constexpr const char* kNoWindow = "Das Fenster für wartende Ereignisse lässt sich nicht anlegen";

// The module this code lives in (the DLL, not the host's program).
HINSTANCE ThisModule() noexcept {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

// The window class lives while a pump does: a class a DLL leaves registered
// would outlive the DLL's code once the DLL is unloaded.
std::mutex classMutex;
int pumpsAlive = 0;

void AcquirePumpClass(WNDPROC procedure) {
    std::lock_guard lock(classMutex);
    if (pumpsAlive == 0) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = ThisModule();
        windowClass.lpszClassName = kWindowClass;
        if (RegisterClassExW(&windowClass) == 0) Raise(err::kHost, kNoWindow);
    }
    ++pumpsAlive;
}

void ReleasePumpClass() noexcept {
    std::lock_guard lock(classMutex);
    if (--pumpsAlive == 0) UnregisterClassW(kWindowClass, ThisModule());
}

}  // namespace

struct PendingEventPump::State {
    std::function<void()> run;
    std::atomic<HWND> window{nullptr};
    std::atomic<bool> posted{false};  // one message in the queue is enough
};

LRESULT CALLBACK PendingEventPump::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunPending) {
        auto* state = reinterpret_cast<State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (state != nullptr) {
            // Cleared first: an event run now may queue another, which needs
            // a message of its own.
            state->posted = false;
            try {
                state->run();
            } catch (...) {
                // A window procedure is a boundary; the host reports its own failures.
            }
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

PendingEventPump::PendingEventPump(std::function<void()> runPendingEvents)
    : state_(std::make_shared<State>()) {
    state_->run = std::move(runPendingEvents);
    AcquirePumpClass(WindowProc);
    HWND window = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  ThisModule(), nullptr);
    if (window == nullptr) {
        ReleasePumpClass();
        Raise(err::kHost, kNoWindow);
    }
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state_.get()));
    state_->window = window;
}

PendingEventPump::~PendingEventPump() {
    HWND window = state_->window.exchange(nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);  // drops any message still queued for it
    ReleasePumpClass();
}

std::function<void()> PendingEventPump::Notifier() const {
    return [state = state_] {
        HWND window = state->window.load();
        if (window == nullptr || state->posted.exchange(true)) return;
        if (!PostMessageW(window, kRunPending, 0, 0)) state->posted = false;
    };
}

HWND PendingEventPump::Window() const noexcept { return state_->window.load(); }

}  // namespace brackwell::win
