#pragma once
// The spreadsheet application's main window, as the pane finds Excel's:
// class "XLMAIN", the menu, the command-bar area at the top, the dock window
// of class "EXCEL2" at the left edge (where the pane docks) and the workbook
// area beside it. Everything it shows is read from the host through its owner.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "adapters/windows/ui/win_handles.h"
#include "apps/demo/command_bar_buttons.h"
#include "apps/demo/command_bar_strip.h"
#include "apps/demo/workbook_view.h"

namespace brackwell::demo {

// What the window asks of its owner.
class MainWindowOwner {
public:
    virtual void OnMenuCommand(int command) = 0;
    virtual void OnBarButton(const BarButton& button) = 0;
    virtual void OnTabClicked(const std::string& sheet) = 0;
    virtual void OnResized() = 0;  // after the children have been laid out
    virtual void OnClosing() = 0;  // before the window goes
    virtual WorkbookPicture ReadWorkbook() = 0;
    virtual std::vector<BarButton> ReadCommandBars() = 0;

protected:
    ~MainWindowOwner() = default;
};

inline constexpr int kCommandBarAreaHeight = 32;
inline constexpr int kDockWidth = 240;

class MainWindow {
public:
    // Created hidden; Show() puts it on the screen.
    MainWindow(HINSTANCE instance, MainWindowOwner& owner);
    ~MainWindow();  // destroys the window unless it was closed
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Window() const noexcept { return window_; }
    HWND Dock() const noexcept { return dock_; }
    CommandBarStrip& Bars() { return *bars_; }
    void Show(int showCommand);
    // Reads the host again soon (title, command bars, menu, workbook area);
    // several requests before the next message loop turn read it once.
    void RequestRefresh();
    // The same at once.
    void Refresh();

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void WindowDestroyed() noexcept;

private:
    void Layout();

    MainWindowOwner& owner_;
    HWND window_ = nullptr;
    HWND dock_ = nullptr;  // a child: destroyed with the window
    std::unique_ptr<CommandBarStrip> bars_;
    std::unique_ptr<WorkbookView> view_;
    bool refreshPending_ = false;
};

// "Brackwell Demo – Umsatz 2026.xlsx", or the program's name alone.
std::wstring MainWindowTitle(const std::string& activeWorkbook);

}  // namespace brackwell::demo
