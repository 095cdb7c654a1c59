#pragma once
// A stand-in for the spreadsheet host's main window: a top-level window with
// a left command-bar dock of class "EXCEL2", where the navigator docks its
// pane. The tree the pane shows is read back from the real tree control.

#include <windows.h>

#include <string>
#include <vector>

#include "adapters/windows/ui/win_handles.h"

namespace brackwell::win::test {

class HostWindow {
public:
    // The main window is shared by every HostWindow of the process; each
    // gets a dock of its own. The navigator must have unloaded its pane
    // before the dock goes.
    HostWindow();

    HWND Main() const noexcept { return main_; }
    HWND Dock() const noexcept { return dock_.Get(); }

    // The SysTreeView32 of the pane docked in the "EXCEL2" window, or null.
    HWND PaneTree() const;
    // The texts of the pane tree's items in the order the control shows
    // them, children indented by two spaces per level; empty without a pane.
    std::vector<std::wstring> TreeItems() const;

private:
    HWND main_;
    WindowHandleOwner dock_;
};

}  // namespace brackwell::win::test
