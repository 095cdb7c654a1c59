#pragma once
// The window functions the pane docks itself with, on Win32. Their pixels
// are those of a 96-dpi screen, as the pane's geometry is given: the
// window's DPI (dpi.h) scales what they set and read.

#include "host/platform.h"

namespace brackwell::win {

class WinWindowSystem final : public WindowSystem {
public:
    // FindWindowExW; an empty class name matches any class.
    WindowHandle FindChild(WindowHandle parent, const std::string& className,
                           const std::optional<std::string>& title, WindowHandle after = 0) override;
    WindowRect GetWindowRect(WindowHandle window) override;
    // Moving a pop-up window into a parent makes it a child window (and
    // back when the new parent is 0), so that it is clipped, moved and
    // activated as part of its parent.
    WindowHandle SetParent(WindowHandle child, WindowHandle parent) override;
    bool MoveWindow(WindowHandle window, std::int32_t x, std::int32_t y, std::int32_t width,
                    std::int32_t height, bool repaint) override;
    bool LockWindowUpdate(WindowHandle window) override;
    bool IsWindow(WindowHandle window) override;
};

}  // namespace brackwell::win
