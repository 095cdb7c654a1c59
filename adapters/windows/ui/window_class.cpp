#include "adapters/windows/ui/window_class.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace brackwell::win {
namespace {

struct Registered {
    HINSTANCE instance;
    std::wstring className;
};

std::mutex& RegistryMutex() {
    static std::mutex mutex;
    return mutex;
}

std::vector<Registered>& RegisteredClasses() {
    static std::vector<Registered> classes;
    return classes;
}

}  // namespace

bool EnsureWindowClass(HINSTANCE instance, const wchar_t* className, WNDPROC procedure,
                       HBRUSH background, UINT style) {
    std::lock_guard lock(RegistryMutex());
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExW(instance, className, &existing)) return true;

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    if (!::RegisterClassExW(&wc)) return false;
    RegisteredClasses().push_back({instance, className});
    return true;
}

void UnregisterWindowClasses(HINSTANCE instance) {
    std::lock_guard lock(RegistryMutex());
    auto& classes = RegisteredClasses();
    auto mine = std::stable_partition(classes.begin(), classes.end(),
                                      [&](const Registered& r) { return r.instance != instance; });
    for (auto it = mine; it != classes.end(); ++it) ::UnregisterClassW(it->className.c_str(), instance);
    classes.erase(mine, classes.end());
}

}  // namespace brackwell::win
