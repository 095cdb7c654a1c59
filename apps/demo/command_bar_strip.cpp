#include "apps/demo/command_bar_strip.h"

#include <commctrl.h>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/ui/window_class.h"

namespace brackwell::demo {
namespace {

constexpr wchar_t kStripClass[] = L"BrackwellDemoCommandBars";
constexpr int kFirstButtonId = 1000;
constexpr int kMargin = 4;
constexpr int kButtonWidth = 120;
constexpr int kButtonHeight = 24;
constexpr int kGap = 6;

int TextWidth(HWND window, HFONT font, const std::wstring& text) {
    win::WindowDc dc(window);
    win::SelectedObject selected(dc.Get(), font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

CommandBarStrip::CommandBarStrip(HINSTANCE instance, HWND parent, PressHandler onPress)
    : instance_(instance), onPress_(std::move(onPress)) {
    win::EnsureWindowClass(instance, kStripClass, win::ObjectWindowProc<CommandBarStrip>,
                           ::GetSysColorBrush(COLOR_BTNFACE));
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font_.Reset(::CreateFontIndirectW(&metrics.lfMessageFont));
    window_ = ::CreateWindowExW(0, kStripClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                                nullptr, instance, this);
    tooltip_.Reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                     instance, nullptr));
}

CommandBarStrip::~CommandBarStrip() {
    tooltip_.Reset();
    if (window_) ::DestroyWindow(window_);
}

void CommandBarStrip::WindowDestroyed() noexcept {
    window_ = nullptr;
    buttonWindows_.clear();
    tooltip_.Detach();  // an owned pop-up: the system destroyed it with its owner
}

void CommandBarStrip::Show(const std::vector<BarButton>& buttons) {
    if (buttons == buttons_ && buttonWindows_.size() == buttons_.size()) return;
    buttons_ = buttons;
    Rebuild();
}

void CommandBarStrip::Rebuild() {
    if (!window_) return;
    for (HWND button : buttonWindows_) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(button);
        if (tooltip_) ::SendMessageW(tooltip_.Get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        ::DestroyWindow(button);
    }
    buttonWindows_.clear();
    labels_.clear();

    RECT client{};
    ::GetClientRect(window_, &client);
    int x = kMargin;
    const std::string* currentBar = nullptr;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const BarButton& button = buttons_[i];
        if (!currentBar || *currentBar != button.bar) {
            // The bar's name in front of its buttons, as a floating bar's title.
            currentBar = &button.bar;
            const std::wstring name = win::Utf8ToWide(button.bar) + L":";
            const int width = TextWidth(window_, font_.Get(), name);
            labels_.push_back({name, RECT{x, 0, x + width, client.bottom}});
            x += width + kGap;
        }
        HWND control = ::CreateWindowExW(
            0, L"BUTTON", button.label.c_str(),
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | (button.enabled ? 0 : WS_DISABLED), x,
            (client.bottom - kButtonHeight) / 2, kButtonWidth, kButtonHeight, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstButtonId + i)), instance_, nullptr);
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
        buttonWindows_.push_back(control);
        if (tooltip_ && !button.tooltip.empty()) {
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.hwnd = window_;
            tool.uId = reinterpret_cast<UINT_PTR>(control);
            tool.lpszText = const_cast<wchar_t*>(button.tooltip.c_str());
            ::SendMessageW(tooltip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        x += kButtonWidth + kGap;
    }
    if (buttons_.empty()) labels_.push_back({L"(keine Befehlsleisten)", RECT{x, 0, client.right, client.bottom}});
    ::InvalidateRect(window_, nullptr, TRUE);
}

void CommandBarStrip::Paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(window_, &ps);
    RECT client{};
    ::GetClientRect(window_, &client);
    // A line under the area, as between Excel's command bars and its sheet.
    RECT line{client.left, client.bottom - 1, client.right, client.bottom};
    ::FillRect(dc, &line, ::GetSysColorBrush(COLOR_BTNSHADOW));
    win::SelectedObject selected(dc, font_.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
    for (BarLabel& label : labels_) {
        label.place.bottom = client.bottom;
        ::DrawTextW(dc, label.text.c_str(), -1, &label.place, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    }
    ::EndPaint(window_, &ps);
}

LRESULT CommandBarStrip::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window_) window_ = window;  // messages arrive before CreateWindowExW returns
    switch (message) {
    case WM_COMMAND: {
        const int index = LOWORD(wParam) - kFirstButtonId;
        if (HIWORD(wParam) == BN_CLICKED && index >= 0 && index < static_cast<int>(buttons_.size())) {
            const BarButton pressed = buttons_[static_cast<std::size_t>(index)];  // a macro may change the bars
            onPress_(pressed);
        }
        return 0;
    }
    case WM_SIZE:
        Rebuild();  // the buttons are centred vertically
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace brackwell::demo
