#pragma once
// The main window of Excel 2003 as the published window table has it
// (Professional Excel Development, table 9-1): class "XLMAIN" with the menu;
// the four command-bar docks of class "EXCEL2", made top, left, right,
// bottom in that order (so FindWindowEx meets the top one first), each as
// thick as the bars it holds; and between them the desk of class "XLDESK"
// with the workbook area. Everything it shows is read from the host through
// its owner: at once after a host event, and twice a second for what the
// host announces no event for (a Goto in the active sheet, a tab colour, a
// sheet's protection).

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "adapters/windows/ui/win_handles.h"
#include "apps/demo/command_bar_buttons.h"
#include "apps/demo/command_bar_dock.h"
#include "apps/demo/workbook_view.h"
#include "apps/demo/xlmain_class.h"

namespace brackwell::demo {

// What the window asks of its owner.
class MainWindowOwner {
public:
    virtual void OnMenuCommand(int command) = 0;
    virtual void OnBarButton(const BarButton& button) = 0;
    virtual void OnTabClicked(const std::string& sheet) = 0;
    virtual void OnResized() = 0;  // after the children have been laid out anew
    virtual void OnClosing() = 0;  // before the window goes
    virtual WorkbookPicture ReadWorkbook() = 0;
    virtual std::vector<ShownBar> ReadCommandBars() = 0;

protected:
    ~MainWindowOwner() = default;
};

class MainWindow final : public XlMainWindow {
public:
    // Created hidden; Show() puts it on the screen.
    MainWindow(HINSTANCE instance, MainWindowOwner& owner);
    ~MainWindow();  // destroys the window unless it was closed
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Window() const noexcept { return window_; }
    HWND Desk() const noexcept { return desk_; }
    CommandBarDock& Bars(DockSide side) { return *docks_[static_cast<std::size_t>(side)]; }
    WorkbookView& Workbook() { return *view_; }
    void Show(int showCommand);
    // Reads the host again soon (title, command bars, menu, workbook area);
    // several requests before the next message loop turn read it once.
    void RequestRefresh();
    // The same at once. What has not changed is left as it is; when the
    // command bars need other room the window is laid out anew and the owner
    // hears of it as of a new size.
    void Refresh();

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void WindowDestroyed() noexcept override;

private:
    void Layout();
    std::array<int, 4> Thicknesses() const;

    MainWindowOwner& owner_;
    HWND window_ = nullptr;
    HWND desk_ = nullptr;  // a child: destroyed with the window
    std::array<std::unique_ptr<CommandBarDock>, 4> docks_;  // by DockSide
    std::unique_ptr<WorkbookView> view_;
    std::wstring title_;
    bool refreshPending_ = false;
};

// "Brackwell Demo – Umsatz 2026.xlsx", or the program's name alone.
std::wstring MainWindowTitle(const std::string& activeWorkbook);

}  // namespace brackwell::demo
