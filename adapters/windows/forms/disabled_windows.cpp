#include "adapters/windows/forms/disabled_windows.h"

namespace brackwell::win {
namespace {

struct Collect {
    HWND dialog;
    std::vector<HWND>* windows;
};

BOOL CALLBACK CollectEnabled(HWND window, LPARAM param) {
    auto* c = reinterpret_cast<Collect*>(param);
    if (window != c->dialog && ::IsWindowVisible(window) && ::IsWindowEnabled(window)) c->windows->push_back(window);
    return TRUE;
}

}  // namespace

void DisabledWindows::Disable(HWND owner, HWND dialog) {
    Restore();
    if (owner) {
        if (::IsWindowEnabled(owner)) windows_.push_back(owner);
    } else {
        Collect c{dialog, &windows_};
        ::EnumThreadWindows(::GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&c));
    }
    for (HWND w : windows_) ::EnableWindow(w, FALSE);
}

void DisabledWindows::Restore() {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
        if (::IsWindow(*it)) ::EnableWindow(*it, TRUE);
    windows_.clear();
}

}  // namespace brackwell::win
