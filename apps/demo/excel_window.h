#pragma once
// A window of Excel 2010 or 2016, class "XLMAIN": the menu (with the COM
// Add-ins submenu), the ribbon strip at the top, the task-pane area at the
// left edge under it where custom task panes dock, and the workbook area
// beside it. Excel 2010 has one for all workbooks, showing the active one;
// Excel 2016 one per workbook, showing its own. Everything it shows is read
// through its owner: soon after a host event or a ribbon change, and twice a
// second for what the host announces no event for. Activating the window
// (a click on it) and its close box go to the owner.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "apps/demo/ribbon_strip.h"
#include "apps/demo/workbook_view.h"
#include "apps/demo/xlmain_class.h"
#include "excel_standin/office/task_pane_area.h"

namespace brackwell::office {
struct ComAddInEntry;
}

namespace brackwell::demo {

class ExcelWindowOwner {
public:
    virtual void OnMenuCommand(HWND window, int command) = 0;
    virtual void OnTabClicked(HWND window, const std::string& sheet) = 0;
    virtual void OnActivated(HWND window) = 0;
    virtual void OnCloseRequested(HWND window) = 0;
    virtual WorkbookPicture ReadWorkbook(HWND window) = 0;
    virtual std::vector<std::shared_ptr<office::AddInRibbon>> ReadRibbons() = 0;
    virtual std::vector<ShownBar> ReadCommandBars() = 0;
    virtual void OnBarButton(const BarButton& button) = 0;
    virtual std::vector<office::ComAddInEntry> ReadComAddIns() = 0;
    // A tick of the COM Add-ins submenu: load or unload that add-in.
    virtual void OnComAddInChosen(const std::wstring& progId) = 0;

protected:
    ~ExcelWindowOwner() = default;
};

class ExcelWindow final : public XlMainWindow {
public:
    // Created hidden.
    ExcelWindow(HINSTANCE instance, ExcelWindowOwner& owner);
    ~ExcelWindow();  // destroys the window unless it is gone
    ExcelWindow(const ExcelWindow&) = delete;
    ExcelWindow& operator=(const ExcelWindow&) = delete;

    HWND Window() const noexcept { return window_; }
    RibbonStrip& Ribbon() { return *ribbon_; }
    office::TaskPaneArea& TaskPanes() { return *taskPanes_; }
    WorkbookView& Workbook() { return *view_; }
    void RequestRefresh();
    void Refresh();

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void WindowDestroyed() noexcept override;

private:
    void Layout();
    void FillComAddInsMenu(HMENU menu);

    ExcelWindowOwner& owner_;
    HWND window_ = nullptr;
    std::unique_ptr<RibbonStrip> ribbon_;
    std::unique_ptr<office::TaskPaneArea> taskPanes_;
    std::unique_ptr<WorkbookView> view_;
    std::vector<std::wstring> comAddIns_;  // the ProgIDs of the submenu's items, in order
    std::wstring title_;
    bool refreshPending_ = false;
};

}  // namespace brackwell::demo
