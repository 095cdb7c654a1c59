#include "apps/demo/workbook_view.h"

#include "adapters/windows/common/utf.h"
#include "adapters/windows/resources/picture_set.h"
#include "adapters/windows/ui/window_class.h"

namespace brackwell::demo {
namespace {

constexpr wchar_t kViewClass[] = L"BrackwellDemoWorkbook";
constexpr int kLockPicture = 6931;  // the lock of the pictures linked into the program
constexpr int kCellWidth = 72;
constexpr int kCellHeight = 20;
constexpr int kTabsLeft = 8;
constexpr int kColourStripe = 4;  // the colour under the active tab's name

win::FontHandle MakeFont(int height, int weight) {
    return win::FontHandle(::CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                         DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
}

void Fill(HDC dc, const RECT& area, COLORREF colour) {
    win::BrushHandle brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &area, brush.Get());
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

// Dark text on light colours, white text on dark ones.
COLORREF TextOn(COLORREF background) {
    const int luminance = (GetRValue(background) * 299 + GetGValue(background) * 587 + GetBValue(background) * 114) / 1000;
    return luminance < 128 ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

}  // namespace

WorkbookView::WorkbookView(HINSTANCE instance, HWND parent, Reader read, TabClick onTabClick)
    : read_(std::move(read)),
      onTabClick_(std::move(onTabClick)),
      font_(MakeFont(13, FW_NORMAL)),
      boldFont_(MakeFont(13, FW_BOLD)),
      bigFont_(MakeFont(44, FW_BOLD)),
      lock_(win::LoadPicture(::GetModuleHandleW(nullptr), kLockPicture)) {
    win::EnsureWindowClass(instance, kViewClass, win::ObjectWindowProc<WorkbookView>, nullptr);
    window_ = ::CreateWindowExW(0, kViewClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, nullptr, instance,
                                this);
}

WorkbookView::~WorkbookView() {
    if (window_) ::DestroyWindow(window_);
}

void WorkbookView::Refresh() {
    if (window_) ::InvalidateRect(window_, nullptr, FALSE);
}

RECT WorkbookView::TabStrip() const {
    RECT client{};
    ::GetClientRect(window_, &client);
    return RECT{client.left, client.bottom - kTabStripHeight, client.right, client.bottom};
}

void WorkbookView::Paint() {
    PAINTSTRUCT ps;
    HDC screen = ::BeginPaint(window_, &ps);
    RECT client{};
    ::GetClientRect(window_, &client);
    // Drawn off screen first, so a repaint after every host event does not flicker.
    win::MemoryDcHandle dc(::CreateCompatibleDC(screen));
    win::BitmapHandle bitmap(::CreateCompatibleBitmap(screen, client.right, client.bottom));
    {
        win::SelectedObject selected(dc.Get(), bitmap.Get());
        WorkbookPicture picture;
        try {
            picture = read_();
        } catch (...) {
            picture = {};  // a host that cannot be read shows as empty
        }
        RECT sheet = client;
        sheet.bottom -= kTabStripHeight;
        PaintSheet(dc.Get(), sheet, picture);
        PaintTabs(dc.Get(), TabStrip(), picture);
        ::BitBlt(screen, 0, 0, client.right, client.bottom, dc.Get(), 0, 0, SRCCOPY);
    }
    ::EndPaint(window_, &ps);
}

void WorkbookView::PaintSheet(HDC dc, const RECT& area, const WorkbookPicture& picture) {
    Fill(dc, area, RGB(255, 255, 255));
    win::PenHandle grid(::CreatePen(PS_SOLID, 1, RGB(218, 220, 224)));
    {
        win::SelectedObject pen(dc, grid.Get());
        for (int x = area.left + kCellWidth; x < area.right; x += kCellWidth) Line(dc, x, area.top, x, area.bottom);
        for (int y = area.top + kCellHeight; y < area.bottom; y += kCellHeight) Line(dc, area.left, y, area.right, y);
    }
    ::SetBkMode(dc, TRANSPARENT);
    if (picture.workbook.empty()) {
        win::SelectedObject font(dc, boldFont_.Get());
        ::SetTextColor(dc, RGB(110, 110, 110));
        RECT text = area;
        ::DrawTextW(dc, L"Keine Arbeitsmappe geöffnet", -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    const int middle = (area.top + area.bottom) / 2;
    {
        win::SelectedObject font(dc, boldFont_.Get());
        ::SetTextColor(dc, RGB(90, 90, 90));
        RECT text{area.left, middle - 70, area.right, middle - 40};
        const std::wstring name = win::Utf8ToWide(picture.workbook);
        ::DrawTextW(dc, name.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    win::SelectedObject font(dc, bigFont_.Get());
    ::SetTextColor(dc, RGB(0, 0, 0));
    RECT text{area.left, middle - 40, area.right, middle + 30};
    const std::wstring sheet = win::Utf8ToWide(picture.sheet);
    ::DrawTextW(dc, sheet.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void WorkbookView::PaintTabs(HDC dc, const RECT& strip, const WorkbookPicture& picture) {
    Fill(dc, strip, ::GetSysColor(COLOR_BTNFACE));
    win::PenHandle border(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW)));
    win::SelectedObject pen(dc, border.Get());
    Line(dc, strip.left, strip.top, strip.right, strip.top);

    paintedTabs_ = picture.tabs;
    paintedSpans_ = LayoutTabs(paintedTabs_, kTabsLeft, [&](const std::string& name) {
        win::SelectedObject font(dc, boldFont_.Get());
        const std::wstring text = win::Utf8ToWide(name);
        SIZE size{};
        ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    });

    ::SetBkMode(dc, TRANSPARENT);
    for (std::size_t i = 0; i < paintedTabs_.size(); ++i) {
        const SheetTab& tab = paintedTabs_[i];
        const TabSpan& span = paintedSpans_[i];
        RECT box{span.left, strip.top, span.right, strip.bottom - 2};
        // An active tab is white with its colour as a stripe; an inactive
        // one is filled with its colour, as Excel shows them.
        COLORREF background = tab.active ? RGB(255, 255, 255) : ::GetSysColor(COLOR_BTNFACE);
        if (tab.color && !tab.active) background = static_cast<COLORREF>(*tab.color);
        Fill(dc, box, background);
        if (tab.color && tab.active) {
            Fill(dc, RECT{box.left + 1, box.bottom - kColourStripe, box.right - 1, box.bottom},
                 static_cast<COLORREF>(*tab.color));
        }
        Line(dc, box.left, box.top, box.left, box.bottom);
        Line(dc, box.left, box.bottom, box.right, box.bottom);
        Line(dc, box.right, box.top, box.right, box.bottom + 1);

        win::SelectedObject font(dc, tab.active ? boldFont_.Get() : font_.Get());
        ::SetTextColor(dc, TextOn(background));
        RECT text{box.left + kTabPadding, box.top, box.right - kTabPadding, box.bottom};
        const std::wstring name = win::Utf8ToWide(tab.name);
        ::DrawTextW(dc, name.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        if (tab.isProtected && lock_) {
            ::DrawIconEx(dc, box.right - kTabPadding - win::kPictureSize, (box.top + box.bottom - win::kPictureSize) / 2,
                         lock_.Get(), win::kPictureSize, win::kPictureSize, 0, nullptr, DI_NORMAL);
        }
    }
}

void WorkbookView::Click(int x, int y) {
    const RECT strip = TabStrip();
    if (y < strip.top || y >= strip.bottom) return;
    const auto index = TabAt(paintedSpans_, x);
    if (!index || *index >= paintedTabs_.size()) return;
    const std::string sheet = paintedTabs_[*index].name;  // activating repaints and replaces the list
    onTabClick_(sheet);
}

LRESULT WorkbookView::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window_) window_ = window;  // messages arrive before CreateWindowExW returns
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint covers everything
    case WM_SIZE:
        Refresh();
        return 0;
    case WM_LBUTTONDOWN:
        Click(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace brackwell::demo
