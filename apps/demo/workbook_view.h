#pragma once
// The workbook area: the active workbook's name, its active sheet's name in
// large letters on a grid, and at the bottom the sheet tabs in tab order with
// their colours and a lock on protected sheets. A click on a tab hands the
// sheet's name to the owner, who activates it through the host.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "adapters/windows/ui/win_handles.h"
#include "apps/demo/sheet_tabs.h"

namespace brackwell::demo {

// What the area shows; read from the host each time it paints.
struct WorkbookPicture {
    std::string workbook;  // empty: no workbook is open
    std::string sheet;
    std::vector<SheetTab> tabs;
};

class WorkbookView {
public:
    using Reader = std::function<WorkbookPicture()>;
    using TabClick = std::function<void(const std::string& sheet)>;

    WorkbookView(HINSTANCE instance, HWND parent, Reader read, TabClick onTabClick);
    ~WorkbookView();  // destroys the window unless its parent did
    WorkbookView(const WorkbookView&) = delete;
    WorkbookView& operator=(const WorkbookView&) = delete;

    HWND Window() const noexcept { return window_; }
    // Paints again from the host's current state.
    void Refresh();

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void WindowDestroyed() noexcept { window_ = nullptr; }

private:
    void Paint();
    void PaintSheet(HDC dc, const RECT& area, const WorkbookPicture& picture);
    void PaintTabs(HDC dc, const RECT& strip, const WorkbookPicture& picture);
    RECT TabStrip() const;
    void Click(int x, int y);

    Reader read_;
    TabClick onTabClick_;
    HWND window_ = nullptr;
    win::FontHandle font_;
    win::FontHandle boldFont_;
    win::FontHandle bigFont_;
    win::IconHandle lock_;
    // The tabs as last painted, for finding the one clicked.
    std::vector<SheetTab> paintedTabs_;
    std::vector<TabSpan> paintedSpans_;
};

inline constexpr int kTabStripHeight = 26;

}  // namespace brackwell::demo
