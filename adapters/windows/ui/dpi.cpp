#include "adapters/windows/ui/dpi.h"

#include <algorithm>
#include <cmath>

#include "adapters/windows/ui/win_handles.h"

namespace brackwell::win {
namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kPictureSizes[] = {16, 20, 24, 32};

// A DPI the arithmetic can divide by.
int Sane(int dpi) { return dpi > 0 ? dpi : kBaseDpi; }

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// Windows 10 (1607) and Wine have it; older systems scale the whole
// program, which then sees 96 dpi.
GetDpiForWindowFn DpiForWindowFunction() {
    static const GetDpiForWindowFn function = [] {
        HMODULE user = ::GetModuleHandleW(L"user32.dll");
        return user ? reinterpret_cast<GetDpiForWindowFn>(
                          reinterpret_cast<void*>(::GetProcAddress(user, "GetDpiForWindow")))
                    : nullptr;
    }();
    return function;
}

using WindowContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(HWND);
using SetThreadContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);

template <class Fn>
Fn User32Function(const char* name) {
    HMODULE user = ::GetModuleHandleW(L"user32.dll");
    return user ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(user, name))) : nullptr;
}

}  // namespace

DpiAwarenessOf::DpiAwarenessOf(HWND window) noexcept {
    static const auto windowContext = User32Function<WindowContextFn>("GetWindowDpiAwarenessContext");
    static const auto setThreadContext = User32Function<SetThreadContextFn>("SetThreadDpiAwarenessContext");
    if (!windowContext || !setThreadContext || !window) return;
    if (const DPI_AWARENESS_CONTEXT wanted = windowContext(window)) previous_ = setThreadContext(wanted);
}

DpiAwarenessOf::~DpiAwarenessOf() {
    static const auto setThreadContext = User32Function<SetThreadContextFn>("SetThreadDpiAwarenessContext");
    if (previous_ && setThreadContext) setThreadContext(previous_);
}

int SystemDpi() {
    WindowDc screen(nullptr);
    return screen.Get() ? Sane(::GetDeviceCaps(screen.Get(), LOGPIXELSY)) : kBaseDpi;
}

int WindowDpi(HWND window) {
    if (window && ::IsWindow(window)) {
        if (const GetDpiForWindowFn forWindow = DpiForWindowFunction()) {
            if (const UINT dpi = forWindow(window)) return static_cast<int>(dpi);
        }
    }
    return SystemDpi();
}

int Scale(int pixels, int dpi) { return ::MulDiv(pixels, Sane(dpi), kBaseDpi); }

int Unscale(int pixels, int dpi) { return ::MulDiv(pixels, kBaseDpi, Sane(dpi)); }

int TwipsToPixels(int twips, int dpi) { return ::MulDiv(twips, Sane(dpi), kTwipsPerInch); }

int PixelsToTwips(int pixels, int dpi) { return ::MulDiv(pixels, kTwipsPerInch, Sane(dpi)); }

LONG FontHeight(double points, int dpi) { return -static_cast<LONG>(std::lround(points * Sane(dpi) / 72.0)); }

int PictureSize(int dpi) {
    const int wanted = Scale(kPictureSizes[0], dpi);
    int size = kPictureSizes[0];
    for (int stored : kPictureSizes)
        for (int multiple = stored; multiple <= wanted; multiple += stored) size = std::max(size, multiple);
    return size;
}

}  // namespace brackwell::win
