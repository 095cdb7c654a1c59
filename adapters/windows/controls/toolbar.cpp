#include "adapters/windows/controls/toolbar.h"

#include <windowsx.h>

#include <algorithm>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/controls/color_ref.h"
#include "adapters/windows/controls/menu_items.h"
#include "adapters/windows/controls/toolbar_accessible.h"
#include "adapters/windows/resources/picture_set.h"
#include "adapters/windows/ui/dpi.h"
#include "adapters/windows/ui/fills.h"
#include "adapters/windows/ui/window_class.h"
#include "host/automation_error.h"
#include "host/forms.h"

namespace brackwell::win {
namespace {

constexpr wchar_t kToolbarClass[] = L"BrackwellToolbar";

// Geometry in pixels at 96 dpi, like the buttons' widths.
constexpr int kBandGripWidth = 8;  // the band's gripper left of the first button
constexpr int kPlainLeft = 2;      // first button without band
constexpr int kButtonMargin = 2;   // above and below the buttons
constexpr int kArrowWidth = 12;    // the menu part of a drop-down button
constexpr int kContentGap = 3;     // between picture and text

constexpr int kFlatStyle = 2;
constexpr UINT kPostedClick = WM_APP + 1;  // wParam button, lParam menu item or -1

bool IsSeparator(const ToolbarButton& b) { return b.style == toolbar_style::kSeparator; }
bool IsDropDown(const ToolbarButton& b) { return b.style == toolbar_style::kDropDown; }

COLORREF Blend(COLORREF a, COLORREF b, int numerator, int denominator) {
    auto mix = [&](int ca, int cb) { return ca + (cb - ca) * numerator / std::max(1, denominator); };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color) {
    PenHandle pen(::CreatePen(PS_SOLID, 1, color));
    SelectedObject selected(dc, pen.Get());
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

// The small downward triangle of a drop-down button.
void DrawArrow(HDC dc, const RECT& part, COLORREF color, int dpi) {
    const int rows = Scale(3, dpi);
    const int cx = (part.left + part.right) / 2;
    const int cy = (part.top + part.bottom) / 2 - rows / 3;
    for (int row = 0; row < rows; ++row) Line(dc, cx - rows + 1 + row, cy + row, cx + rows - row, cy + row, color);
}

}  // namespace

WinToolbar::WinToolbar(HINSTANCE instance, HWND parent, const ToolbarDesign& design)
    : instance_(instance), look_(design.look), buttonFont_(design.look.font), menuFont_(design.look.menuFont),
      dpi_(WindowDpi(parent)) {
    for (const ToolbarButton& b : design.buttons) {
        Button button;
        button.design = b;
        buttons_.push_back(std::move(button));
    }
    LoadPictures();
    Layout();
    RecreateFont();

    EnsureWindowClass(instance, kToolbarClass, ObjectWindowProc<WinToolbar>, nullptr, CS_HREDRAW | CS_VREDRAW);
    RECT client{};
    ::GetClientRect(parent, &client);
    hwnd_ = ::CreateWindowExW(0, kToolbarClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 0, 0,
                              client.right - client.left, heightPixels_, parent, nullptr, instance, this);
    if (!hwnd_) Raise(err::kInvalidCall, "Die Symbolleiste konnte nicht erstellt werden");
    AddTooltips();
}

WinToolbar::~WinToolbar() {
    accessibility_.reset();
    tooltip_.Reset();
    if (hwnd_) ::DestroyWindow(hwnd_);
}

void WinToolbar::LoadPictures() {
    const int size = PictureSize(dpi_);
    for (Button& button : buttons_) {
        const ToolbarButton& b = button.design;
        if (b.image > 0) {
            button.picture = LoadPictureBitmap(instance_, b.image, false, size);
            button.greyedPicture = LoadPictureBitmap(instance_, b.image, true, size);
        }
        button.menuPictures.clear();
        for (const ToolbarMenuItem& item : b.menu) {
            button.menuPictures.push_back(item.picture && item.image > 0
                                              ? LoadPictureBitmap(instance_, item.image, false, size)
                                              : BitmapHandle());
        }
    }
}

void WinToolbar::Layout() {
    heightPixels_ = TwipsToPixels(look_.height, dpi_);
    const int margin = Scale(kButtonMargin, dpi_);
    int x = Scale(look_.showBand ? kBandGripWidth : kPlainLeft, dpi_);
    for (Button& b : buttons_) {
        const int width = Scale(b.design.width, dpi_);
        b.rect = RECT{x, margin, x + width, heightPixels_ - margin};
        x += width;
    }
}

void WinToolbar::SetDpi(int dpi) {
    if (dpi <= 0 || dpi == dpi_) return;
    dpi_ = dpi;
    LoadPictures();
    Layout();
    RecreateFont();
    if (tooltip_) {
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = hwnd_;
        for (size_t i = 0; i < buttons_.size(); ++i) {
            tool.uId = i + 1;
            tool.rect = buttons_[i].rect;
            ::SendMessageW(tooltip_.Get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    if (HWND parent = hwnd_ ? ::GetParent(hwnd_) : nullptr) {
        RECT client{};
        ::GetClientRect(parent, &client);
        ::SetWindowPos(hwnd_, nullptr, 0, 0, client.right, heightPixels_, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Invalidate();
}

void WinToolbar::AddTooltips() {
    DWORD style = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX;
    if (look_.balloonTip) style |= TTS_BALLOON;
    tooltip_.Reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance_, nullptr));
    if (!tooltip_) return;
    ::SendMessageW(tooltip_.Get(), TTM_SETMAXTIPWIDTH, 0, 300);
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const ToolbarButton& d = buttons_[i].design;
        if (d.tooltipText.empty() && d.tooltipTitle.empty()) continue;
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every comctl32 version
        tool.uFlags = 0;  // mouse messages are relayed: comctl32's subclassing is slow under Wine
        tool.hwnd = hwnd_;
        tool.uId = i + 1;
        tool.rect = buttons_[i].rect;
        tool.lpszText = LPSTR_TEXTCALLBACKW;  // title and icon are set when the tip shows
        ::SendMessageW(tooltip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void WinToolbar::RecreateFont() {
    LOGFONTW font{};
    font.lfHeight = FontHeight(buttonFont_.size, dpi_);
    font.lfWeight = buttonFont_.bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    const std::wstring face = Utf8ToWide(buttonFont_.face);
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    fontHandle_.Reset(::CreateFontIndirectW(&font));
    Invalidate();
}

void WinToolbar::SetVisualStyle(std::int32_t style) {
    visualStyle_ = style;
    Invalidate();
}

void WinToolbar::SetButtonEnabled(const std::string& key, bool enabled) {
    Button* b = Find(key);
    if (!b) Raise(err::kElementNotFound);
    if (b->enabled == enabled) return;
    b->enabled = enabled;
    if (hwnd_)  // readers hear a button become available or not
        ::NotifyWinEvent(EVENT_OBJECT_STATECHANGE, hwnd_, OBJID_CLIENT, static_cast<LONG>(b - buttons_.data()) + 1);
    if (focus_ >= 0 && !Focusable(focus_)) {
        // The mark leaves a button that can no longer be clicked.
        int next = NextFocusable(focus_, 1);
        if (next < 0) next = NextFocusable(focus_, -1);
        focus_ = next;
        NotifyFocus();
    }
    Invalidate();
}

bool WinToolbar::ButtonEnabled(const std::string& key) {
    const Button* b = Find(key);
    if (!b) Raise(err::kElementNotFound);
    return b->enabled;
}

void WinToolbar::SetButtonFontName(const std::string& face) {
    buttonFont_.face = face;
    RecreateFont();
}

void WinToolbar::SetButtonFontSize(double size) {
    buttonFont_.size = size;
    RecreateFont();
}

std::int32_t WinToolbar::Height() { return PixelsToTwips(heightPixels_, dpi_); }

std::unique_ptr<EventConnection> WinToolbar::Advise(ToolbarEvents& sink) { return sinks_.Advise(sink); }

RECT WinToolbar::ButtonRect(const std::string& key) const {
    const Button* b = Find(key);
    return b ? b->rect : RECT{};
}

RECT WinToolbar::ArrowRect(const std::string& key) const {
    const Button* b = Find(key);
    if (!b || !IsDropDown(b->design)) return RECT{};
    RECT r = b->rect;
    r.left = r.right - Scale(kArrowWidth, dpi_);
    return r;
}

WinToolbar::Button* WinToolbar::Find(const std::string& key) {
    if (key.empty()) return nullptr;  // separators carry no key
    for (Button& b : buttons_) {
        if (b.design.key == key) return &b;
    }
    return nullptr;
}

const WinToolbar::Button* WinToolbar::Find(const std::string& key) const {
    return const_cast<WinToolbar*>(this)->Find(key);
}

std::string WinToolbar::FocusedKey() const {
    return focus_ >= 0 ? buttons_[static_cast<size_t>(focus_)].design.key : std::string();
}

bool WinToolbar::Focusable(int index) const {
    if (index < 0 || index >= static_cast<int>(buttons_.size())) return false;
    const Button& b = buttons_[static_cast<size_t>(index)];
    return b.enabled && !IsSeparator(b.design);
}

int WinToolbar::NextFocusable(int from, int step) const {
    for (int i = from + step; i >= 0 && i < static_cast<int>(buttons_.size()); i += step) {
        if (Focusable(i)) return i;
    }
    return -1;
}

void WinToolbar::SetFocusMark(int index) {
    if (index < 0 || index == focus_) return;
    focus_ = index;
    NotifyFocus();
    Invalidate();
}

void WinToolbar::NotifyFocus() const {
    if (hwnd_ && focus_ >= 0 && ::GetFocus() == hwnd_)
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd_, OBJID_CLIENT, focus_ + 1);
}

void WinToolbar::Invalidate() const {
    if (hwnd_) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

WinToolbar::Hit WinToolbar::HitTest(POINT pt) const {
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const Button& b = buttons_[i];
        if (IsSeparator(b.design) || !::PtInRect(&b.rect, pt)) continue;
        const bool arrow = IsDropDown(b.design) && pt.x >= b.rect.right - Scale(kArrowWidth, dpi_);
        return Hit{static_cast<int>(i), arrow ? Part::Arrow : Part::Main};
    }
    return {};
}

// ---- painting ----

void WinToolbar::Paint(HDC dc, const RECT& client) const {
    PaintBackground(dc, client);
    for (size_t i = 0; i < buttons_.size(); ++i) {
        if (IsSeparator(buttons_[i].design)) {
            PaintSeparator(dc, buttons_[i]);
        } else {
            PaintButton(dc, static_cast<int>(i));
        }
    }
}

void WinToolbar::PaintBackground(HDC dc, const RECT& client) const {
    if (visualStyle_ == kFlatStyle) {
        FillSolid(dc, client, ::GetSysColor(COLOR_BTNFACE));
        Line(dc, client.left, client.bottom - 1, client.right, client.bottom - 1, ::GetSysColor(COLOR_BTNSHADOW));
        return;
    }
    FillGradient(dc, client, ToColorRef(look_.backColorFrom), ToColorRef(look_.backColorTo),
                 GradientDirection::TopToBottom);
    const COLORREF lineColor = ToColorRef(look_.barLineColor);
    if (look_.showBand) {
        // The band's gripper: a column of dots with a light shadow.
        for (int y = kButtonMargin + 3; y < client.bottom - kButtonMargin - 2; y += 4) {
            FillSolid(dc, RECT{3, y, 5, y + 2}, RGB(255, 255, 255));
            FillSolid(dc, RECT{2, y - 1, 4, y + 1}, lineColor);
        }
    }
    // Bar lines along the bottom edge: the line colour, then lighter ones.
    for (int i = 0; i < look_.barLines; ++i) {
        const int y = client.bottom - 1 - i * std::max(1, look_.lineHeight);
        const COLORREF c = i == 0 ? lineColor : Blend(lineColor, RGB(255, 255, 255), i, look_.barLines);
        for (int t = 0; t < std::max(1, look_.lineHeight); ++t) Line(dc, client.left, y - t, client.right, y - t, c);
    }
}

void WinToolbar::PaintSeparator(HDC dc, const Button& button) const {
    if (!look_.showSeparator) return;
    const int x = (button.rect.left + button.rect.right) / 2;
    const int top = button.rect.top + 2;
    const int bottom = button.rect.bottom - 2;
    if (visualStyle_ == kFlatStyle) {
        Line(dc, x, top, x, bottom, ::GetSysColor(COLOR_BTNSHADOW));
        Line(dc, x + 1, top, x + 1, bottom, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    } else {
        Line(dc, x, top, x, bottom, ToColorRef(look_.separatorColor));
        Line(dc, x + 1, top, x + 1, bottom, RGB(255, 255, 255));
    }
}

void WinToolbar::PaintButton(HDC dc, int index) const {
    const Button& b = buttons_[static_cast<size_t>(index)];
    const bool dropDown = IsDropDown(b.design);
    RECT main = b.rect;
    RECT arrow = b.rect;
    if (dropDown) {
        main.right -= Scale(kArrowWidth, dpi_);
        arrow.left = main.right;
    }

    const bool marked = focus_ == index;
    const bool hot = b.enabled && (hover_ == index || marked);
    const bool down = b.enabled && pressed_ == index && hoverPart_ == Part::Main && hover_ == index;
    const bool open = menuOpen_ == index;
    const bool flat = visualStyle_ == kFlatStyle;

    Color fore = look_.buttonForeColor;
    if (open || down || hot) {
        if (flat) {
            const UINT edge = (open || down) ? BDR_SUNKENOUTER : BDR_RAISEDINNER;
            RECT r = b.rect;
            ::DrawEdge(dc, &r, edge, BF_RECT);
            if (dropDown) Line(dc, arrow.left, arrow.top + 1, arrow.left, arrow.bottom - 1, ::GetSysColor(COLOR_BTNSHADOW));
        } else {
            const Color back = open ? look_.buttonBackColorChecked
                                    : down ? look_.buttonBackColorDown : look_.buttonBackColorHover;
            fore = open ? look_.buttonForeColorChecked : down ? look_.buttonForeColorDown : look_.buttonForeColorHover;
            FillSolid(dc, b.rect, ToColorRef(back));
            if (dropDown && hot && !open) {
                // The part under the pointer stands out from the other.
                const RECT& other = hoverPart_ == Part::Arrow ? main : arrow;
                FillSolid(dc, other, Blend(ToColorRef(back), RGB(255, 255, 255), 1, 2));
            }
            FrameSolid(dc, b.rect, ToColorRef(look_.buttonBorderColor));
            if (dropDown) Line(dc, arrow.left, arrow.top, arrow.left, arrow.bottom, ToColorRef(look_.buttonBorderColor));
        }
    }

    // Picture and text, centred in the main part.
    const COLORREF textColor = b.enabled ? ToColorRef(fore) : ::GetSysColor(COLOR_GRAYTEXT);
    const std::wstring text = Utf8ToWide(b.design.text);
    SelectedObject font(dc, fontHandle_.Get());
    SIZE textSize{};
    if (!text.empty()) ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &textSize);
    const int picture = PictureBitmapSize(b.picture.Get());
    const int gap = picture && !text.empty() ? Scale(kContentGap, dpi_) : 0;
    const int contentWidth = picture + gap + textSize.cx;
    int x = main.left + std::max<int>(0, (main.right - main.left - contentWidth) / 2);
    const int offset = down ? 1 : 0;  // a pressed button's content moves a little
    if (picture) {
        DrawPictureBitmap(dc, x + offset, (main.top + main.bottom - picture) / 2 + offset,
                          b.enabled ? b.picture.Get() : b.greyedPicture.Get());
        x += picture + gap;
    }
    if (!text.empty()) {
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, textColor);
        ::TextOutW(dc, x + offset, (main.top + main.bottom - textSize.cy) / 2 + offset, text.c_str(),
                   static_cast<int>(text.size()));
    }
    if (dropDown) DrawArrow(dc, arrow, textColor, dpi_);
    if (marked) {
        RECT mark = b.rect;
        ::InflateRect(&mark, -2, -2);
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::SetBkColor(dc, RGB(255, 255, 255));
        ::DrawFocusRect(dc, &mark);
    }
}

// ---- input ----

LRESULT WinToolbar::OnMouseMove(POINT pt) {
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = hwnd_;
        trackingLeave_ = ::TrackMouseEvent(&track) != FALSE;
    }
    const Hit hit = HitTest(pt);
    if (hit.index != hover_ || hit.part != hoverPart_) {
        hover_ = hit.index;
        hoverPart_ = hit.part;
        Invalidate();
    }
    return 0;
}

LRESULT WinToolbar::OnLeftButtonDown(POINT pt) {
    const Hit hit = HitTest(pt);
    hover_ = hit.index;
    hoverPart_ = hit.part;
    if (hit.index < 0 || !buttons_[static_cast<size_t>(hit.index)].enabled) return 0;
    if (hit.part == Part::Arrow) {
        OpenMenu(hit.index);
        return 0;
    }
    pressed_ = hit.index;
    ::SetCapture(hwnd_);
    Invalidate();
    return 0;
}

LRESULT WinToolbar::OnLeftButtonUp(POINT pt) {
    const int pressed = pressed_;
    pressed_ = -1;
    if (::GetCapture() == hwnd_) ::ReleaseCapture();
    Invalidate();
    const Hit hit = HitTest(pt);
    if (pressed < 0 || hit.index != pressed || hit.part != Part::Main) return 0;
    Click(pressed);
    return 0;
}

void WinToolbar::Click(int index) {
    if (!Focusable(index)) return;
    const std::string key = buttons_[static_cast<size_t>(index)].design.key;  // a handler may change the bar
    sinks_.Fire([&](ToolbarEvents& sink) { sink.ButtonClick(key); });
}

void WinToolbar::PostClick(int index, int menuItem) {
    if (hwnd_) ::PostMessageW(hwnd_, kPostedClick, static_cast<WPARAM>(index), static_cast<LPARAM>(menuItem));
}

void WinToolbar::ChooseMenuItem(int index, int item) {
    if (!Focusable(index)) return;
    const auto& menu = buttons_[static_cast<size_t>(index)].design.menu;
    if (item < 0 || item >= static_cast<int>(menu.size())) return;
    const std::string key = menu[static_cast<size_t>(item)].key;
    sinks_.Fire([&](ToolbarEvents& sink) { sink.MenuItemClick(key); });
}

bool WinToolbar::WantsKey(WPARAM key) const {
    if (focus_ < 0) return false;
    switch (key) {
    case VK_TAB:  // within the bar; at its ends a dialog moves on
        return NextFocusable(focus_, ::GetKeyState(VK_SHIFT) < 0 ? -1 : 1) >= 0;
    case VK_RETURN:
    case VK_SPACE:
    case VK_F4:
        return true;
    }
    return false;
}

bool WinToolbar::OnKeyDown(WPARAM key, bool alt) {
    if (key == VK_TAB && !alt) {
        // On to the next button; at the bar's end (or with none to mark) out of it.
        const bool backwards = ::GetKeyState(VK_SHIFT) < 0;
        const int next = focus_ >= 0 ? NextFocusable(focus_, backwards ? -1 : 1) : -1;
        if (next >= 0) {
            SetFocusMark(next);
        } else if (HWND parent = ::GetParent(hwnd_)) {
            HWND out = ::GetNextDlgTabItem(parent, hwnd_, backwards);
            if (out && out != hwnd_) ::SetFocus(out);
        }
        return true;
    }
    if (focus_ < 0) return false;
    const bool dropDown = IsDropDown(buttons_[static_cast<size_t>(focus_)].design);
    if (alt) {
        if (key != VK_DOWN || !dropDown) return false;
        OpenMenu(focus_);
        return true;
    }
    const int count = static_cast<int>(buttons_.size());
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT: {
        const int step = key == VK_RIGHT ? 1 : -1;
        const int next = NextFocusable(focus_, step);
        SetFocusMark(next >= 0 ? next : NextFocusable(step > 0 ? -1 : count, step));  // round the bar
        return true;
    }
    case VK_HOME:
        SetFocusMark(NextFocusable(-1, 1));
        return true;
    case VK_END:
        SetFocusMark(NextFocusable(count, -1));
        return true;
    case VK_RETURN:
    case VK_SPACE:
        Click(focus_);
        return true;
    case VK_DOWN:
    case VK_F4:
        if (dropDown) OpenMenu(focus_);
        return true;
    }
    return false;
}

void WinToolbar::OpenMenu(int index) {
    const Button& b = buttons_[static_cast<size_t>(index)];
    if (b.design.menu.empty()) return;
    OwnerDrawnMenu menu;
    for (size_t i = 0; i < b.design.menu.size(); ++i)
        menu.AppendCommand(Utf8ToWide(b.design.menu[i].caption), b.menuPictures[i].Get(), true, false);
    menu.SetLook(MenuLook{visualStyle_ != kFlatStyle, look_, menuFont_, dpi_});
    POINT below{b.rect.left, b.rect.bottom};
    ::ClientToScreen(hwnd_, &below);
    menuOpen_ = index;
    Invalidate();
    ::UpdateWindow(hwnd_);
    const UINT chosen = TrackMenu(menu.Handle(), hwnd_, &below);
    menuOpen_ = -1;
    hover_ = -1;
    Invalidate();
    if (chosen < 1 || chosen > b.design.menu.size()) return;
    const std::string key = b.design.menu[chosen - 1].key;
    sinks_.Fire([&](ToolbarEvents& sink) { sink.MenuItemClick(key); });
}

LRESULT WinToolbar::OnNotify(NMHDR* header) {
    if (header->hwndFrom != tooltip_.Get() || header->code != TTN_GETDISPINFOW) return 0;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    const size_t index = info->hdr.idFrom - 1;
    if (index >= buttons_.size()) return 0;
    const ToolbarButton& d = buttons_[index].design;
    // One tooltip serves every button, so its title and icon follow the tool.
    const bool titled = !d.tooltipText.empty() && !d.tooltipTitle.empty();
    const std::wstring title = titled ? Utf8ToWide(d.tooltipTitle) : std::wstring();
    ::SendMessageW(tooltip_.Get(), TTM_SETTITLEW, titled ? static_cast<WPARAM>(d.tooltipIcon) : 0,
                   reinterpret_cast<LPARAM>(title.c_str()));
    tooltipText_ = Utf8ToWide(d.tooltipText.empty() ? d.tooltipTitle : d.tooltipText);
    info->lpszText = tooltipText_.data();
    return 0;
}

LRESULT WinToolbar::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (tooltip_ && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        MSG relayed{hwnd, message, wParam, lParam, 0, {}};
        ::SendMessageW(tooltip_.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    switch (message) {
    case WM_NCCREATE:
        hwnd_ = hwnd;
        break;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:  // of the open drop-down menu
        if (AnswerMenuItemMessage(message, lParam)) return TRUE;
        break;
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers every pixel
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        RECT client{};
        ::GetClientRect(hwnd, &client);
        // Drawn off-screen first, so hovering does not flicker.
        MemoryDcHandle memory(::CreateCompatibleDC(dc));
        BitmapHandle canvas(::CreateCompatibleBitmap(dc, std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom)));
        {
            SelectedObject selected(memory.Get(), canvas.Get());
            Paint(memory.Get(), client);
            ::BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
        }
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_MOUSEMOVE:
        return OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        hover_ = -1;
        hoverPart_ = Part::None;
        Invalidate();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return OnLeftButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_LBUTTONUP:
        return OnLeftButtonUp(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_CAPTURECHANGED:
        if (pressed_ >= 0 && reinterpret_cast<HWND>(lParam) != hwnd) {
            pressed_ = -1;
            Invalidate();
        }
        return 0;
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_SETFOCUS:
        // Reached backwards (Shift+Tab), the mark starts at the far end.
        focus_ = ::GetKeyState(VK_SHIFT) < 0 ? NextFocusable(static_cast<int>(buttons_.size()), -1)
                                             : NextFocusable(-1, 1);
        NotifyFocus();
        Invalidate();
        return 0;
    case WM_KILLFOCUS:
        focus_ = -1;
        Invalidate();
        return 0;
    case WM_GETDLGCODE: {
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        const bool wanted = msg && msg->message == WM_KEYDOWN && WantsKey(msg->wParam);
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (wanted ? DLGC_WANTMESSAGE : 0);
    }
    case WM_KEYDOWN:
        if (OnKeyDown(wParam, false)) return 0;
        break;
    case WM_SYSKEYDOWN:
        if (OnKeyDown(wParam, true)) return 0;
        break;
    case kPostedClick:
        if (static_cast<int>(lParam) < 0) {
            Click(static_cast<int>(wParam));
        } else {
            ChooseMenuItem(static_cast<int>(wParam), static_cast<int>(lParam));
        }
        return 0;
    case WM_GETOBJECT:
        if (!accessibility_) accessibility_ = std::make_unique<ToolbarAccessibility>(*this);
        if (const LRESULT answer = accessibility_->Answer(wParam, lParam)) return answer;
        break;
    case WM_CHAR:
        if (wParam == L' ' || wParam == L'\r' || wParam == L'\t') return 0;  // handled as keys
        break;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

void WinToolbar::WindowDestroyed() {
    if (accessibility_) accessibility_->Disconnect();
    hwnd_ = nullptr;
    tooltip_.Detach();  // an owned pop-up: the system destroyed it with its owner
}

}  // namespace brackwell::win
