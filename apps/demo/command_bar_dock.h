#pragma once
// One of Excel 2003's four command-bar docks: a window of class "EXCEL2"
// (Professional Excel Development's window table: "the four command bar
// docking areas (top, left, right and bottom)"); each bar of its side a
// window of class "MsoCommandBar" titled with the bar's name, and in it the
// bar's buttons at the width and height the add-in set, showing their face
// picture and caption as their style says, with their tooltip. The left and
// right docks stand their bars upright side by side, each control turned
// with its bar (its Height across the dock, its Width along it), the top and
// bottom docks lay them in a row. A dock is as thick as its bars and 0
// without one.
// Pressing a button hands it to the owner, who lets the host run its macro.
//
// How wide Excel makes a left dock whose bar has one button of Width 20 and
// Height 215 is UNCONFIRMED: Office documents Width and Height of a control
// as its width and height in pixels and that "the command bar automatically
// resizes itself to accommodate the control", and says nothing of upright
// bars. Add-ins of Excel 2003 that dock a pane beside their bar size its
// one button so (20 by 215, the pane 215 wide at a pixel from the dock's
// edge, below the button), which works only if an upright bar turns its
// controls; so it does here: that bar is 215 wide and 20 high, and the dock
// as wide as the bar with a pixel's edge on either side.

#include <windows.h>

#include <functional>
#include <map>
#include <vector>

#include "adapters/windows/ui/win_handles.h"
#include "apps/demo/command_bar_buttons.h"

namespace brackwell::demo {

class CommandBarDock {
public:
    using PressHandler = std::function<void(const BarButton&)>;

    // A child window of `parent` (placed by the parent), for the bars of `side`.
    CommandBarDock(HINSTANCE instance, HWND parent, DockSide side, PressHandler onPress);
    ~CommandBarDock();  // destroys the window unless its parent did
    CommandBarDock(const CommandBarDock&) = delete;
    CommandBarDock& operator=(const CommandBarDock&) = delete;

    HWND Window() const noexcept { return window_; }
    // Shows the bars of this dock's side among `bars`; the windows are made
    // anew only when they changed.
    void Show(const std::vector<ShownBar>& bars);
    const std::vector<ShownBar>& Bars() const noexcept { return bars_; }
    // The room the dock needs across: an upright dock's width, a lying one's
    // height; 0 when it holds no bar.
    int Thickness() const;

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void WindowDestroyed() noexcept;

private:
    void Rebuild();
    void DrawButton(const DRAWITEMSTRUCT& item);
    HICON Face(int faceId);

    HINSTANCE instance_;
    DockSide side_;
    PressHandler onPress_;
    HWND window_ = nullptr;
    win::WindowHandleOwner tooltip_;  // an owned pop-up of the dock
    win::FontHandle font_;
    std::vector<ShownBar> bars_;
    std::vector<BarButton> buttons_;  // all buttons in order; a button's control id is its place here
    std::vector<HWND> barWindows_;    // children: the dock's window destroys them with itself
    std::vector<HWND> buttonWindows_; // the buttons' windows, children of the bars
    std::map<int, win::IconHandle> faces_;
};

// The size of a bar standing in a dock of `side`: lying bars are as wide as
// their buttons together and as high as the highest; upright bars turn their
// buttons, as wide as the highest and as tall as their widths together.
SIZE BarSize(const ShownBar& bar, DockSide side);

}  // namespace brackwell::demo
