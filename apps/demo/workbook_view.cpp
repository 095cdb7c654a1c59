#include "apps/demo/workbook_view.h"

#include <algorithm>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/resources/picture_set.h"
#include "adapters/windows/ui/window_class.h"

namespace brackwell::demo {
namespace {

constexpr wchar_t kViewClass[] = L"BrackwellDemoWorkbook";
constexpr int kLockPicture = 6931;  // the lock of the pictures linked into the program
constexpr int kTabsLeft = 8;
constexpr int kColourStripe = 4;  // the colour under the active tab's name
constexpr int kNameBoxWidth = 120;
constexpr embedded::GridLimits kGrid{1048576, 16384};  // the demo host is an Excel 2007

constexpr COLORREF kGridLine = RGB(218, 220, 224);
constexpr COLORREF kSelectionFill = RGB(214, 234, 220);
constexpr COLORREF kSelectionEdge = RGB(33, 115, 70);
constexpr COLORREF kHeadingSelected = RGB(196, 224, 204);

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

void Frame(HDC dc, const RECT& area, COLORREF colour, int thickness) {
    for (int i = 0; i < thickness; ++i) {
        const RECT edge{area.left + i, area.top + i, area.right - i, area.bottom - i};
        win::BrushHandle brush(::CreateSolidBrush(colour));
        ::FrameRect(dc, &edge, brush.Get());
    }
}

void Text(HDC dc, const std::wstring& text, RECT area, UINT format) {
    ::DrawTextW(dc, text.c_str(), -1, &area, format | DT_SINGLELINE | DT_NOPREFIX);
}

// Dark text on light colours, white text on dark ones.
COLORREF TextOn(COLORREF background) {
    const int luminance = (GetRValue(background) * 299 + GetGValue(background) * 587 + GetBValue(background) * 114) / 1000;
    return luminance < 128 ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

bool Covers(const std::vector<CellBlock>& blocks, bool row, int index) {
    return std::any_of(blocks.begin(), blocks.end(), [&](const CellBlock& b) {
        return row ? index >= b.firstRow && index <= b.lastRow : index >= b.firstColumn && index <= b.lastColumn;
    });
}

}  // namespace

WorkbookView::WorkbookView(HINSTANCE instance, HWND parent, TabClick onTabClick)
    : onTabClick_(std::move(onTabClick)),
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

void WorkbookView::Show(const WorkbookPicture& picture) {
    if (picture == picture_) return;
    picture_ = picture;
    blocks_ = picture_.chart ? std::vector<CellBlock>{} : CellBlocksOf(picture_.selection, kGrid);
    if (window_) ::InvalidateRect(window_, nullptr, FALSE);
}

RECT WorkbookView::SheetArea() const {
    RECT client{};
    ::GetClientRect(window_, &client);
    return RECT{client.left, client.top + kNameBoxRowHeight, client.right, client.bottom - kTabStripHeight};
}

RECT WorkbookView::TabStrip() const {
    RECT client{};
    ::GetClientRect(window_, &client);
    return RECT{client.left, client.bottom - kTabStripHeight, client.right, client.bottom};
}

WorkbookView::GridPlace WorkbookView::PlaceGrid(const RECT& area) const {
    GridPlace place;
    place.cells = RECT{area.left + kRowHeadingWidth, area.top + kCellHeight, area.right, area.bottom};
    const int rows = std::max<int>(1, (place.cells.bottom - place.cells.top) / kCellHeight);
    const int columns = std::max<int>(1, (place.cells.right - place.cells.left) / kCellWidth);
    place.origin = ScrollOriginFor(blocks_, rows, columns);
    return place;
}

std::vector<RECT> WorkbookView::SelectionRects() const {
    std::vector<RECT> rects;
    if (!window_ || picture_.workbook.empty()) return rects;
    const GridPlace place = PlaceGrid(SheetArea());
    for (const CellBlock& block : blocks_) {
        // Far-away ends are clipped to a little beyond the window, so the numbers stay small.
        const auto x = [&](int column) {
            const long cells = std::clamp<long>(column - place.origin.column, -1, 1000);
            return static_cast<LONG>(place.cells.left + cells * kCellWidth);
        };
        const auto y = [&](int row) {
            const long cells = std::clamp<long>(row - place.origin.row, -1, 1000);
            return static_cast<LONG>(place.cells.top + cells * kCellHeight);
        };
        RECT r{x(block.firstColumn), y(block.firstRow), x(block.lastColumn + 1), y(block.lastRow + 1)};
        RECT visible{};
        if (::IntersectRect(&visible, &r, &place.cells)) rects.push_back(r);
    }
    return rects;
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
        ::SetBkMode(dc.Get(), TRANSPARENT);
        PaintNameBox(dc.Get(), RECT{client.left, client.top, client.right, client.top + kNameBoxRowHeight});
        PaintSheet(dc.Get(), SheetArea());
        PaintTabs(dc.Get(), TabStrip());
        ::BitBlt(screen, 0, 0, client.right, client.bottom, dc.Get(), 0, 0, SRCCOPY);
    }
    ::EndPaint(window_, &ps);
}

void WorkbookView::PaintNameBox(HDC dc, const RECT& area) {
    Fill(dc, area, ::GetSysColor(COLOR_BTNFACE));
    win::SelectedObject font(dc, font_.Get());
    RECT box{area.left + 4, area.top + 3, area.left + 4 + kNameBoxWidth, area.bottom - 3};
    Fill(dc, box, RGB(255, 255, 255));
    Frame(dc, box, ::GetSysColor(COLOR_BTNSHADOW), 1);
    ::SetTextColor(dc, RGB(0, 0, 0));
    if (!picture_.chart) {
        Text(dc, win::Utf8ToWide(NameBoxText(picture_.selection)), RECT{box.left + 4, box.top, box.right - 2, box.bottom},
             DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS);
    }
    ::SetTextColor(dc, RGB(90, 90, 90));
    Text(dc, win::Utf8ToWide(picture_.workbook), RECT{box.right + 12, area.top, area.right - 4, area.bottom},
         DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS);
}

void WorkbookView::PaintSheet(HDC dc, const RECT& area) {
    Fill(dc, area, RGB(255, 255, 255));
    if (picture_.workbook.empty()) {
        win::SelectedObject font(dc, boldFont_.Get());
        ::SetTextColor(dc, RGB(110, 110, 110));
        Text(dc, L"Keine Arbeitsmappe geöffnet", area, DT_CENTER | DT_VCENTER);
        return;
    }
    if (!picture_.chart) {
        const GridPlace place = PlaceGrid(area);
        const RECT& cells = place.cells;
        // The selection under the grid lines, its first cell (the active one) left white.
        for (const RECT& r : SelectionRects()) Fill(dc, r, kSelectionFill);
        if (!blocks_.empty() && blocks_.front().firstRow >= place.origin.row &&
            blocks_.front().firstColumn >= place.origin.column) {
            const int left = cells.left + (blocks_.front().firstColumn - place.origin.column) * kCellWidth;
            const int top = cells.top + (blocks_.front().firstRow - place.origin.row) * kCellHeight;
            Fill(dc, RECT{left, top, left + kCellWidth, top + kCellHeight}, RGB(255, 255, 255));
        }
        win::PenHandle grid(::CreatePen(PS_SOLID, 1, kGridLine));
        {
            win::SelectedObject pen(dc, grid.Get());
            for (int x = cells.left + kCellWidth; x < cells.right; x += kCellWidth) Line(dc, x, cells.top, x, cells.bottom);
            for (int y = cells.top + kCellHeight; y < cells.bottom; y += kCellHeight) Line(dc, cells.left, y, cells.right, y);
        }
        for (const RECT& r : SelectionRects()) Frame(dc, r, kSelectionEdge, 2);

        // The headings: column letters above, row numbers at the left, the selected ones marked.
        win::SelectedObject font(dc, font_.Get());
        Fill(dc, RECT{area.left, area.top, area.right, cells.top}, ::GetSysColor(COLOR_BTNFACE));
        Fill(dc, RECT{area.left, cells.top, cells.left, area.bottom}, ::GetSysColor(COLOR_BTNFACE));
        win::PenHandle edge(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW)));
        win::SelectedObject pen(dc, edge.Get());
        for (int column = place.origin.column, x = cells.left; x < cells.right; ++column, x += kCellWidth) {
            const RECT heading{x, area.top, x + kCellWidth, cells.top};
            const bool marked = Covers(blocks_, false, column);
            if (marked) Fill(dc, heading, kHeadingSelected);
            ::SetTextColor(dc, marked ? kSelectionEdge : RGB(60, 60, 60));
            Text(dc, win::Utf8ToWide(embedded::ColumnLetters(column)), heading, DT_CENTER | DT_VCENTER);
            Line(dc, heading.right - 1, heading.top, heading.right - 1, heading.bottom);
        }
        for (int row = place.origin.row, y = cells.top; y < cells.bottom; ++row, y += kCellHeight) {
            const RECT heading{area.left, y, cells.left, y + kCellHeight};
            const bool marked = Covers(blocks_, true, row);
            if (marked) Fill(dc, heading, kHeadingSelected);
            ::SetTextColor(dc, marked ? kSelectionEdge : RGB(60, 60, 60));
            Text(dc, std::to_wstring(row), heading, DT_CENTER | DT_VCENTER);
            Line(dc, heading.left, heading.bottom - 1, heading.right, heading.bottom - 1);
        }
        Line(dc, area.left, cells.top - 1, area.right, cells.top - 1);
        Line(dc, cells.left - 1, area.top, cells.left - 1, area.bottom);
    }

    // The active sheet's name in large letters, its workbook's above it.
    const int middle = (area.top + area.bottom) / 2;
    {
        win::SelectedObject font(dc, boldFont_.Get());
        ::SetTextColor(dc, RGB(90, 90, 90));
        Text(dc, win::Utf8ToWide(picture_.workbook), RECT{area.left, middle - 70, area.right, middle - 40},
             DT_CENTER | DT_VCENTER);
    }
    win::SelectedObject font(dc, bigFont_.Get());
    ::SetTextColor(dc, RGB(0, 0, 0));
    Text(dc, win::Utf8ToWide(picture_.sheet), RECT{area.left, middle - 40, area.right, middle + 30},
         DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS);
}

void WorkbookView::PaintTabs(HDC dc, const RECT& strip) {
    Fill(dc, strip, ::GetSysColor(COLOR_BTNFACE));
    win::PenHandle border(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW)));
    win::SelectedObject pen(dc, border.Get());
    Line(dc, strip.left, strip.top, strip.right, strip.top);

    paintedTabs_ = picture_.tabs;
    paintedSpans_ = LayoutTabs(paintedTabs_, kTabsLeft, [&](const std::string& name) {
        win::SelectedObject font(dc, boldFont_.Get());
        const std::wstring text = win::Utf8ToWide(name);
        SIZE size{};
        ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    });

    for (std::size_t i = 0; i < paintedTabs_.size(); ++i) {
        const SheetTab& tab = paintedTabs_[i];
        const TabSpan& span = paintedSpans_[i];
        // The active tab stands out of the strip: white, a little taller,
        // with its colour as a stripe; an inactive one is filled with its
        // colour, as Excel shows them.
        RECT box{span.left, strip.top + (tab.active ? 0 : 2), span.right, strip.bottom - 2};
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
        ::SetTextColor(dc, tab.active ? kSelectionEdge : TextOn(background));
        Text(dc, win::Utf8ToWide(tab.name), RECT{box.left + kTabPadding, box.top, box.right - kTabPadding, box.bottom},
             DT_LEFT | DT_VCENTER);
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
        ::InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
        Click(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace brackwell::demo
