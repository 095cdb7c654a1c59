#pragma once
// The workbook area: a name box with the selected range's address and the
// active workbook's name above the active sheet's grid, whose column and row
// headings and cells mark the selection (scrolled into view as Goto leaves
// it), the sheet's name in large letters, and at the bottom the sheet tabs in
// tab order with their colours, a lock on protected sheets and the active
// one highlighted. A click on a tab hands the sheet's name to the owner, who
// activates it through the host.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "adapters/windows/ui/win_handles.h"
#include "apps/demo/cell_blocks.h"
#include "apps/demo/sheet_tabs.h"

namespace brackwell::demo {

// What the area shows, as read from the host.
struct WorkbookPicture {
    std::string workbook;   // empty: no workbook is open
    std::string sheet;
    bool chart = false;     // the active sheet is a chart sheet: no cells
    std::string selection;  // the active sheet's selected range, "$A$1:$D$20"
    std::vector<SheetTab> tabs;

    friend bool operator==(const WorkbookPicture&, const WorkbookPicture&) = default;
};

class WorkbookView {
public:
    using TabClick = std::function<void(const std::string& sheet)>;

    WorkbookView(HINSTANCE instance, HWND parent, TabClick onTabClick);
    ~WorkbookView();  // destroys the window unless its parent did
    WorkbookView(const WorkbookView&) = delete;
    WorkbookView& operator=(const WorkbookView&) = delete;

    HWND Window() const noexcept { return window_; }
    // Shows this picture; paints again only when it changed.
    void Show(const WorkbookPicture& picture);
    const WorkbookPicture& Shown() const noexcept { return picture_; }
    // The selected blocks as painted: where they lie in the client area.
    std::vector<RECT> SelectionRects() const;

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void WindowDestroyed() noexcept { window_ = nullptr; }

private:
    struct GridPlace {
        RECT cells;       // the area of the cells, right of the row headings and under the column headings
        CellOrigin origin;
    };
    void Paint();
    void PaintNameBox(HDC dc, const RECT& area);
    void PaintSheet(HDC dc, const RECT& area);
    void PaintTabs(HDC dc, const RECT& strip);
    GridPlace PlaceGrid(const RECT& area) const;
    RECT SheetArea() const;
    RECT TabStrip() const;
    void Click(int x, int y);

    TabClick onTabClick_;
    HWND window_ = nullptr;
    WorkbookPicture picture_;
    std::vector<CellBlock> blocks_;  // of picture_.selection
    win::FontHandle font_;
    win::FontHandle boldFont_;
    win::FontHandle bigFont_;
    win::IconHandle lock_;
    // The tabs as last painted, for finding the one clicked.
    std::vector<SheetTab> paintedTabs_;
    std::vector<TabSpan> paintedSpans_;
};

inline constexpr int kTabStripHeight = 26;
inline constexpr int kNameBoxRowHeight = 26;
inline constexpr int kCellWidth = 72;
inline constexpr int kCellHeight = 20;
inline constexpr int kRowHeadingWidth = 44;

}  // namespace brackwell::demo
