#include "apps/demo/command_bar_dock.h"

#include "apps/demo/face_icon.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/resources/picture_set.h"
#include "adapters/windows/ui/window_class.h"

namespace brackwell::demo {
namespace {

constexpr wchar_t kDockClass[] = L"EXCEL2";
constexpr wchar_t kBarClass[] = L"MsoCommandBar";
constexpr int kFirstButtonId = 1000;
constexpr int kPadding = 1;    // between the dock's edge and its bars
constexpr int kBarGap = 2;     // between two bars of a dock
constexpr int kFaceInset = 2;  // between a button's edge and its face

// A bar window hands its buttons' messages to the dock, which knows them.
LRESULT CALLBACK BarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND || message == WM_DRAWITEM) {
        return ::SendMessageW(::GetParent(window), message, wParam, lParam);
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

SIZE BarSize(const ShownBar& bar, DockSide side) {
    SIZE size{0, 0};
    for (const BarButton& button : bar.buttons) {
        if (Upright(side)) {
            size.cx = std::max<LONG>(size.cx, button.height);
            size.cy += button.width;
        } else {
            size.cx += button.width;
            size.cy = std::max<LONG>(size.cy, button.height);
        }
    }
    return size;
}

CommandBarDock::CommandBarDock(HINSTANCE instance, HWND parent, DockSide side, PressHandler onPress)
    : instance_(instance), side_(side), onPress_(std::move(onPress)) {
    win::EnsureWindowClass(instance, kDockClass, win::ObjectWindowProc<CommandBarDock>,
                           ::GetSysColorBrush(COLOR_BTNFACE));
    win::EnsureWindowClass(instance, kBarClass, BarWindowProc, ::GetSysColorBrush(COLOR_BTNFACE));
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font_.Reset(::CreateFontIndirectW(&metrics.lfMessageFont));
    window_ = ::CreateWindowExW(0, kDockClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                                nullptr, instance, this);
    tooltip_.Reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                     instance, nullptr));
}

CommandBarDock::~CommandBarDock() {
    tooltip_.Reset();
    if (window_) ::DestroyWindow(window_);
}

void CommandBarDock::WindowDestroyed() noexcept {
    window_ = nullptr;
    barWindows_.clear();
    buttonWindows_.clear();
    tooltip_.Detach();  // an owned pop-up: the system destroyed it with its owner
}

void CommandBarDock::Show(const std::vector<ShownBar>& bars) {
    std::vector<ShownBar> mine;
    std::copy_if(bars.begin(), bars.end(), std::back_inserter(mine),
                 [&](const ShownBar& bar) { return bar.side == side_; });
    if (mine == bars_ && barWindows_.size() == bars_.size()) return;
    bars_ = std::move(mine);
    Rebuild();
}

int CommandBarDock::Thickness() const {
    if (bars_.empty()) return 0;
    int across = 0;
    for (const ShownBar& bar : bars_) {
        const SIZE size = BarSize(bar, side_);
        across = Upright(side_) ? across + size.cx + kBarGap : std::max<int>(across, size.cy);
    }
    if (Upright(side_)) across -= kBarGap;
    return across + 2 * kPadding;
}

void CommandBarDock::Rebuild() {
    if (!window_) return;
    for (std::size_t i = 0; i < buttonWindows_.size(); ++i) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = ::GetParent(buttonWindows_[i]);
        tool.uId = reinterpret_cast<UINT_PTR>(buttonWindows_[i]);
        if (tooltip_) ::SendMessageW(tooltip_.Get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    for (HWND bar : barWindows_) ::DestroyWindow(bar);  // its buttons go with it
    barWindows_.clear();
    buttonWindows_.clear();
    buttons_.clear();

    POINT at{kPadding, kPadding};
    for (const ShownBar& bar : bars_) {
        const SIZE size = BarSize(bar, side_);
        HWND barWindow = ::CreateWindowExW(0, kBarClass, win::Utf8ToWide(bar.name).c_str(),
                                           WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, at.x, at.y, size.cx, size.cy,
                                           window_, nullptr, instance_, nullptr);
        barWindows_.push_back(barWindow);
        POINT place{0, 0};
        for (const BarButton& button : bar.buttons) {
            // An upright bar turns its controls: Height across, Width along.
            const SIZE extent = Upright(side_) ? SIZE{button.height, button.width} : SIZE{button.width, button.height};
            const int id = kFirstButtonId + static_cast<int>(buttons_.size());
            buttons_.push_back(button);
            // The caption is the window's text, so a button without one has none.
            HWND control = ::CreateWindowExW(
                0, L"BUTTON", button.caption.c_str(),
                WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | (button.enabled ? 0 : WS_DISABLED), place.x, place.y,
                extent.cx, extent.cy, barWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                instance_, nullptr);
            ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
            buttonWindows_.push_back(control);
            if (tooltip_ && !button.tooltip.empty()) {
                TTTOOLINFOW tool{};
                tool.cbSize = sizeof tool;
                tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
                tool.hwnd = barWindow;
                tool.uId = reinterpret_cast<UINT_PTR>(control);
                tool.lpszText = const_cast<wchar_t*>(buttons_.back().tooltip.c_str());
                ::SendMessageW(tooltip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
            }
            if (Upright(side_)) {
                place.y += extent.cy;
            } else {
                place.x += extent.cx;
            }
        }
        at.x += size.cx + kBarGap;  // upright bars stand side by side, lying ones lie in one row
    }
    ::InvalidateRect(window_, nullptr, TRUE);
}

HICON CommandBarDock::Face(int faceId) {
    auto found = faces_.find(faceId);
    if (found == faces_.end()) {
        win::IconHandle icon = LoadFaceIcon(::GetModuleHandleW(nullptr), faceId, win::kPictureSize);
        found = faces_.emplace(faceId, std::move(icon)).first;  // a face the demo lacks stays blank
    }
    return found->second.Get();
}

void CommandBarDock::DrawButton(const DRAWITEMSTRUCT& item) {
    const std::size_t index = item.CtlID - kFirstButtonId;
    if (index >= buttons_.size()) return;
    const BarButton& button = buttons_[index];
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    // Raised, so the bar reads as a bar beside the pane; sunken while pressed.
    ::DrawEdge(dc, &area, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    const int shift = pressed ? 1 : 0;

    // Upright buttons carry the face at the top, lying ones at the left;
    // the caption follows it. A face alone sits in the middle across.
    RECT text = area;
    ::InflateRect(&text, -kFaceInset, -kFaceInset);
    if (DrawsFace(button)) {
        const int size = win::kPictureSize;
        const bool upright = Upright(side_);
        const int x = upright ? (area.left + area.right - size) / 2 : area.left + kFaceInset;
        const int y = upright ? area.top + kFaceInset : (area.top + area.bottom - size) / 2;
        if (HICON face = Face(button.faceId)) {
            ::DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(face), 0, x + shift, y + shift, size, size,
                         DST_ICON | (disabled ? DSS_DISABLED : DSS_NORMAL));
        }
        (upright ? text.top : text.left) = (upright ? y : x) + size + kFaceInset;
    }
    if (DrawsCaption(button)) {
        win::SelectedObject font(dc, font_.Get());
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        ::OffsetRect(&text, shift, shift);
        const UINT lines = WrapsCaption(button) ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
        ::DrawTextW(dc, button.caption.c_str(), -1, &text, lines | DT_LEFT | DT_HIDEPREFIX);
    }
}

LRESULT CommandBarDock::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window_) window_ = window;  // messages arrive before CreateWindowExW returns
    switch (message) {
    case WM_COMMAND: {
        const std::size_t index = LOWORD(wParam) - kFirstButtonId;
        if (HIWORD(wParam) == BN_CLICKED && index < buttons_.size()) {
            const BarButton pressed = buttons_[index];  // a macro may change the bars
            onPress_(pressed);
        }
        return 0;
    }
    case WM_DRAWITEM:
        DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(window, &ps);
        if (side_ == DockSide::Top) {
            // A line under the row, as between Excel's command bars and its sheet.
            RECT client{};
            ::GetClientRect(window, &client);
            RECT line{client.left, client.bottom - 1, client.right, client.bottom};
            ::FillRect(dc, &line, ::GetSysColorBrush(COLOR_BTNSHADOW));
        }
        ::EndPaint(window, &ps);
        return 0;
    }
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace brackwell::demo
