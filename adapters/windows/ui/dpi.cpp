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

template <class Function>
Function User32Function(const char* name) {
    HMODULE user = ::GetModuleHandleW(L"user32.dll");
    return user ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user, name))) : nullptr;
}

// Windows 10 (1607) and Wine have both; older systems scale the whole
// program, which then sees 96 dpi.
GetDpiForWindowFn DpiForWindowFunction() {
    static const auto function = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    return function;
}

using WindowContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(HWND);
using SetThreadContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);

// The font `height` of a system parameter read into `value`, for `dpi`.
template <class Value>
void SystemParameterAt(UINT action, Value& value, LONG& height, int dpi) {
    using ForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    static const auto forDpi = User32Function<ForDpiFn>("SystemParametersInfoForDpi");
    if (forDpi && forDpi(action, sizeof(value), &value, 0, static_cast<UINT>(Sane(dpi)))) return;
    ::SystemParametersInfoW(action, sizeof(value), &value, 0);
    height = ::MulDiv(height, Sane(dpi), SystemDpi());
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

UINT LayoutDpiQuery() {
    static const UINT message = ::RegisterWindowMessageW(L"BrackwellLayoutDpi");
    return message;
}

int LayoutDpi(HWND window) {
    // Other threads' windows are not asked: one that hangs would hold us.
    for (HWND w = window; w && ::GetWindowThreadProcessId(w, nullptr) == ::GetCurrentThreadId();
         w = ::GetAncestor(w, GA_PARENT)) {
        if (const LRESULT dpi = ::SendMessageW(w, LayoutDpiQuery(), 0, 0); dpi > 0) return static_cast<int>(dpi);
    }
    return WindowDpi(window);
}

int Scale(int pixels, int dpi) { return ::MulDiv(pixels, Sane(dpi), kBaseDpi); }

int Unscale(int pixels, int dpi) { return ::MulDiv(pixels, kBaseDpi, Sane(dpi)); }

int TwipsToPixels(int twips, int dpi) { return ::MulDiv(twips, Sane(dpi), kTwipsPerInch); }

int PixelsToTwips(int pixels, int dpi) { return ::MulDiv(pixels, kTwipsPerInch, Sane(dpi)); }

LONG FontHeight(double points, int dpi) { return -static_cast<LONG>(std::lround(points * Sane(dpi) / 72.0)); }

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
    using ForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto forDpi = User32Function<ForDpiFn>("AdjustWindowRectExForDpi");
    if (forDpi && forDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(Sane(dpi)))) return;
    ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

LOGFONTW IconTitleFont(int dpi) {
    LOGFONTW font{};
    SystemParameterAt(SPI_GETICONTITLELOGFONT, font, font.lfHeight, dpi);
    return font;
}

LOGFONTW MenuFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParameterAt(SPI_GETNONCLIENTMETRICS, metrics, metrics.lfMenuFont.lfHeight, dpi);
    return metrics.lfMenuFont;
}

int PictureSize(int dpi) {
    const int wanted = Scale(kPictureSizes[0], dpi);
    int size = kPictureSizes[0];
    for (int stored : kPictureSizes)
        for (int multiple = stored; multiple <= wanted; multiple += stored) size = std::max(size, multiple);
    return size;
}

}  // namespace brackwell::win
