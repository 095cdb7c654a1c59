#include "apps/demo/ribbon_strip.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>

#include "adapters/windows/ui/dpi.h"
#include "adapters/windows/ui/window_class.h"

namespace brackwell::demo {
namespace {

using office::RibbonControlKind;
using office::RibbonControlSpec;

constexpr wchar_t kStripClass[] = L"BrackwellDemoRibbon";
constexpr int kFirstButtonId = 1000;
// Sizes at 96 dpi.
constexpr int kTabRow = 24;
constexpr int kContent = 88;
constexpr int kGroupCaption = 16;
constexpr int kLargeWidth = 64;
constexpr int kNormalWidth = 116;
constexpr int kNormalHeight = 22;
constexpr int kLargePicture = 32;
constexpr int kNormalPicture = 16;
constexpr int kGap = 4;

// The tabs of Excel 2010 and 2016 in German; "Start" is the Home tab.
constexpr const wchar_t* kBuiltInTabs[] = {L"Datei", L"Start", L"Einfügen", L"Seitenlayout",
                                           L"Formeln", L"Daten", L"Überprüfen", L"Ansicht"};
constexpr const wchar_t* kBuiltInHomeGroups[] = {L"Zwischenablage", L"Schriftart"};
constexpr wchar_t kAddInsTab[] = L"Add-Ins";
constexpr wchar_t kHome[] = L"TabHome";

constexpr COLORREF kStripBack = RGB(245, 246, 247);
constexpr COLORREF kTabBack = RGB(255, 255, 255);
constexpr COLORREF kEdge = RGB(198, 198, 198);
constexpr COLORREF kPressedBack = RGB(252, 228, 166);
constexpr COLORREF kPressedEdge = RGB(194, 154, 60);
constexpr COLORREF kCaption = RGB(90, 90, 90);

void Fill(HDC dc, const RECT& area, COLORREF colour) {
    win::BrushHandle brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &area, brush.Get());
}

void Edge(HDC dc, const RECT& area, COLORREF colour) {
    win::BrushHandle brush(::CreateSolidBrush(colour));
    ::FrameRect(dc, &area, brush.Get());
}

// The placeholder for an imageMso picture: its first letter and the next
// capital ("FileSave": "FS"), on a square coloured by the name.
std::wstring Initials(const std::wstring& imageMso) {
    std::wstring initials;
    for (wchar_t c : imageMso) {
        if (initials.empty() ? std::iswalnum(c) != 0 : std::iswupper(c) != 0) initials += c;
        if (initials.size() == 2) break;
    }
    if (initials.size() == 1 && imageMso.size() > 1) initials += imageMso[1];
    return initials;
}

COLORREF PictureColour(const std::wstring& imageMso) {
    constexpr COLORREF kColours[] = {RGB(33, 115, 70), RGB(43, 87, 154), RGB(183, 71, 42), RGB(112, 48, 160),
                                     RGB(0, 120, 140)};
    std::size_t hash = 0;
    for (wchar_t c : imageMso) hash = hash * 31 + static_cast<std::size_t>(c);
    return kColours[hash % std::size(kColours)];
}

}  // namespace

RibbonStrip::RibbonStrip(HINSTANCE instance, HWND excelWindow, Source source)
    : instance_(instance), excelWindow_(excelWindow), source_(std::move(source)), dpi_(win::WindowDpi(excelWindow)) {
    win::EnsureWindowClass(instance, kStripClass, win::ObjectWindowProc<RibbonStrip>, nullptr);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font_.Reset(::CreateFontIndirectW(&metrics.lfMessageFont));
    window_ = ::CreateWindowExW(0, kStripClass, L"Menüband", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0,
                                Height(), excelWindow, nullptr, instance, this);
    tooltip_.Reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                     instance, nullptr));
    if (tooltip_) ::SendMessageW(tooltip_.Get(), TTM_SETMAXTIPWIDTH, 0, Px(320));
    Rebuild();
}

RibbonStrip::~RibbonStrip() {
    tooltip_.Reset();
    if (window_) ::DestroyWindow(window_);
}

void RibbonStrip::WindowDestroyed() noexcept {
    window_ = nullptr;
    items_.clear();
    tooltip_.Detach();  // an owned pop-up: the system destroyed it with its owner
}

int RibbonStrip::Px(int pixels) const { return win::Scale(pixels, dpi_); }
int RibbonStrip::Height() const { return Px(kTabRow + kContent); }

void RibbonStrip::SelectTab(const std::wstring& label) {
    selected_ = label;
    Rebuild();
}

const RibbonStrip::Item* RibbonStrip::FindItem(const std::wstring& idOrLabel) const {
    for (const Item& item : items_) {
        if (item.control && (item.control->id == idOrLabel || item.control->label == idOrLabel)) return &item;
    }
    return nullptr;
}

HWND RibbonStrip::ControlWindow(const std::wstring& idOrLabel) const {
    const Item* item = FindItem(idOrLabel);
    return item ? item->button : nullptr;
}

bool RibbonStrip::Pressed(const std::wstring& idOrLabel) const {
    const Item* item = FindItem(idOrLabel);
    return item && item->pressed;
}

void RibbonStrip::Refresh() {
    if (!window_) return;
    if (source_.ribbons() != ribbons_ || source_.bars() != bars_) {
        Rebuild();
        return;
    }
    for (Item& item : items_) {
        if (!item.control || item.control->kind != RibbonControlKind::ToggleButton) continue;
        const bool pressed = item.ribbon->Pressed(excelWindow_, *item.control);
        if (pressed == item.pressed) continue;
        item.pressed = pressed;
        ::InvalidateRect(item.button, nullptr, FALSE);
    }
}

void RibbonStrip::Rebuild() {
    if (!window_) return;
    for (const Item& item : items_) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(item.button);
        if (tooltip_) ::SendMessageW(tooltip_.Get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        ::DestroyWindow(item.button);
    }
    items_.clear();
    groups_.clear();
    tabs_.clear();
    ribbons_ = source_.ribbons();
    bars_ = source_.bars();

    const auto addTab = [&](std::wstring label, const office::RibbonTabSpec* custom,
                            std::shared_ptr<office::AddInRibbon> ribbon) {
        Tab tab;
        tab.label = std::move(label);
        tab.custom = custom;
        tab.ribbon = std::move(ribbon);
        tabs_.push_back(std::move(tab));
    };
    for (const wchar_t* label : kBuiltInTabs) addTab(label, nullptr, nullptr);
    for (const auto& ribbon : ribbons_) {
        for (const office::RibbonTabSpec& tab : ribbon->Ui().tabs) {
            if (tab.idMso.empty() && tab.visible) addTab(tab.label, &tab, ribbon);
        }
    }
    if (!bars_.empty()) addTab(kAddInsTab, nullptr, nullptr);
    if (std::none_of(tabs_.begin(), tabs_.end(), [&](const Tab& t) { return t.label == selected_; }))
        selected_ = L"Start";

    // The tab row.
    win::WindowDc dc(window_);
    win::SelectedObject font(dc.Get(), font_.Get());
    int x = Px(kGap);
    for (Tab& tab : tabs_) {
        SIZE size{};
        ::GetTextExtentPoint32W(dc.Get(), tab.label.c_str(), static_cast<int>(tab.label.size()), &size);
        tab.place = RECT{x, 0, x + size.cx + Px(16), Px(kTabRow)};
        x = tab.place.right;
    }

    // The chosen tab's groups.
    x = Px(kGap);
    const auto controlsOf = [&](const std::shared_ptr<office::AddInRibbon>& ribbon, const office::RibbonGroupSpec& group) {
        std::vector<Item> items;
        for (const RibbonControlSpec& control : group.controls) {
            if (!control.visible || !control.idMso.empty()) continue;  // built-in controls are Excel's own
            Item item;
            item.ribbon = ribbon;
            item.control = &control;
            if (control.kind == RibbonControlKind::ToggleButton) item.pressed = ribbon->Pressed(excelWindow_, control);
            item.tip = control.screentip.empty() ? control.label : control.screentip;
            if (!control.supertip.empty()) item.tip += L"\n" + control.supertip;
            items.push_back(std::move(item));
        }
        return items;
    };
    const Tab& chosen = *std::find_if(tabs_.begin(), tabs_.end(), [&](const Tab& t) { return t.label == selected_; });
    if (selected_ == L"Start") {
        for (const wchar_t* label : kBuiltInHomeGroups) {
            groups_.push_back({label, RECT{x, Px(kTabRow), x + Px(96), Height()}, true});
            x += Px(96);
        }
        for (const auto& ribbon : ribbons_) {
            for (const office::RibbonTabSpec& tab : ribbon->Ui().tabs) {
                if (tab.idMso != kHome || !tab.visible) continue;
                for (const office::RibbonGroupSpec& group : tab.groups) {
                    if (group.visible && group.idMso.empty()) LayoutGroup(group.label, controlsOf(ribbon, group), x);
                }
            }
        }
    } else if (chosen.custom) {
        for (const office::RibbonGroupSpec& group : chosen.custom->groups) {
            if (group.visible && group.idMso.empty()) LayoutGroup(group.label, controlsOf(chosen.ribbon, group), x);
        }
    } else if (selected_ == kAddInsTab) {
        std::vector<Item> items;
        for (const ShownBar& bar : bars_) {
            for (const BarButton& button : bar.buttons) {
                Item item;
                item.bar = button;
                item.tip = button.tooltip;
                items.push_back(std::move(item));
            }
        }
        LayoutGroup(L"Benutzerdefinierte Symbolleisten", items, x);
    }
    ::InvalidateRect(window_, nullptr, TRUE);
}

void RibbonStrip::LayoutGroup(const std::wstring& label, const std::vector<Item>& items, int& x) {
    const int left = x;
    const int top = Px(kTabRow + kGap);
    int column = 0;  // normal controls stacked in the current column
    x += Px(kGap);
    for (const Item& item : items) {
        const bool large = item.control && item.control->large;
        if (item.control && item.control->kind == RibbonControlKind::Separator) {
            if (column > 0) x += Px(kNormalWidth);
            column = 0;
            x += Px(2 * kGap);
            continue;
        }
        if (large) {
            if (column > 0) x += Px(kNormalWidth);
            column = 0;
            AddButton(item, RECT{x, top, x + Px(kLargeWidth), top + Px(kContent - kGroupCaption - 2 * kGap)});
            x += Px(kLargeWidth + kGap);
        } else {
            const int y = top + column * Px(kNormalHeight);
            AddButton(item, RECT{x, y, x + Px(kNormalWidth), y + Px(kNormalHeight)});
            if (++column == 3) {
                x += Px(kNormalWidth + kGap);
                column = 0;
            }
        }
    }
    if (column > 0) x += Px(kNormalWidth + kGap);
    x = std::max(x, left + Px(64));
    groups_.push_back({label, RECT{left, Px(kTabRow), x, Height()}, false});
}

void RibbonStrip::AddButton(Item item, const RECT& place) {
    const int id = kFirstButtonId + static_cast<int>(items_.size());
    const std::wstring text = item.control ? item.control->label : item.bar.caption;
    const bool enabled = item.control ? item.control->enabled : item.bar.enabled;
    item.button = ::CreateWindowExW(0, L"BUTTON", text.c_str(),
                                    WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | (enabled ? 0 : WS_DISABLED), place.left,
                                    place.top, place.right - place.left, place.bottom - place.top, window_,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    ::SendMessageW(item.button, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    items_.push_back(std::move(item));
    Item& added = items_.back();
    if (tooltip_ && !added.tip.empty()) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(added.button);
        tool.lpszText = added.tip.data();
        ::SendMessageW(tooltip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void RibbonStrip::DrawStrip(HDC dc) {
    RECT client{};
    ::GetClientRect(window_, &client);
    Fill(dc, client, kStripBack);
    win::SelectedObject font(dc, font_.Get());
    ::SetBkMode(dc, TRANSPARENT);
    for (const Tab& tab : tabs_) {
        RECT place = tab.place;
        if (tab.label == selected_) {
            Fill(dc, place, kTabBack);
            Edge(dc, RECT{place.left, place.top + 2, place.right, place.bottom + 1}, kEdge);
        }
        ::SetTextColor(dc, tab.label == L"Datei" ? RGB(33, 115, 70) : RGB(40, 40, 40));
        ::DrawTextW(dc, tab.label.c_str(), -1, &place, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    RECT content{0, Px(kTabRow), client.right, client.bottom};
    Fill(dc, content, kTabBack);
    Edge(dc, RECT{-1, Px(kTabRow), client.right + 1, client.bottom}, kEdge);
    for (const Group& group : groups_) {
        RECT caption{group.place.left, group.place.bottom - Px(kGroupCaption + 2), group.place.right,
                     group.place.bottom - 2};
        ::SetTextColor(dc, kCaption);
        ::DrawTextW(dc, group.label.c_str(), -1, &caption, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        RECT line{group.place.right - 1, group.place.top + Px(kGap), group.place.right, group.place.bottom - Px(kGap)};
        Fill(dc, line, kEdge);
    }
}

void RibbonStrip::DrawItem(const DRAWITEMSTRUCT& draw) {
    const std::size_t index = draw.CtlID - kFirstButtonId;
    if (index >= items_.size()) return;
    const Item& item = items_[index];
    HDC dc = draw.hDC;
    RECT area = draw.rcItem;
    const bool held = (draw.itemState & ODS_SELECTED) != 0;
    const bool disabled = (draw.itemState & ODS_DISABLED) != 0;
    Fill(dc, area, item.pressed || held ? kPressedBack : kTabBack);
    if (item.pressed || held) Edge(dc, area, kPressedEdge);

    const std::wstring image = item.control ? item.control->imageMso : std::wstring();
    const bool large = item.control && item.control->large;
    const int picture = Px(large ? kLargePicture : kNormalPicture);
    RECT text = area;
    if (!image.empty()) {
        RECT square = large ? RECT{(area.left + area.right - picture) / 2, area.top + Px(2), 0, 0}
                            : RECT{area.left + Px(3), (area.top + area.bottom - picture) / 2, 0, 0};
        square.right = square.left + picture;
        square.bottom = square.top + picture;
        Fill(dc, square, disabled ? RGB(180, 180, 180) : PictureColour(image));
        win::SelectedObject font(dc, font_.Get());
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, RGB(255, 255, 255));
        const std::wstring initials = Initials(image);
        ::DrawTextW(dc, initials.c_str(), -1, &square, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        (large ? text.top : text.left) = (large ? square.bottom : square.right) + Px(3);
    } else {
        text.left += Px(3);
    }
    win::SelectedObject font(dc, font_.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    const std::wstring label = item.control ? item.control->label : item.bar.caption;
    ::DrawTextW(dc, label.c_str(), -1, &text,
                (large ? DT_CENTER | DT_WORDBREAK : DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS) |
                    DT_NOPREFIX);
}

void RibbonStrip::Click(HWND button) {
    for (const Item& item : items_) {
        if (item.button != button) continue;
        if (!item.control) {
            const BarButton pressed = item.bar;  // a macro may change the bars
            source_.pressBar(pressed);
        } else {
            // The add-in may unload itself or change the ribbon meanwhile.
            const std::shared_ptr<office::AddInRibbon> ribbon = item.ribbon;
            const RibbonControlSpec control = *item.control;
            ribbon->Click(excelWindow_, control);
        }
        return;
    }
}

LRESULT RibbonStrip::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window_) window_ = window;
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(window, &ps);
        DrawStrip(dc);
        ::EndPaint(window, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) Click(reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_LBUTTONDOWN: {
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        for (const Tab& tab : tabs_) {
            if (::PtInRect(&tab.place, at) && tab.label != L"Datei") {
                SelectTab(tab.label);
                break;
            }
        }
        return 0;
    }
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace brackwell::demo
