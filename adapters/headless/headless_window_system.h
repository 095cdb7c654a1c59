#pragma once
// A registry of windows that behaves like the Win32 window functions the
// pane uses: parents and children in z-order, positions relative to the
// parent's client area, screen rectangles, re-parenting, moving, and the one
// window whose painting LockWindowUpdate may freeze. Windows have no frame,
// so a window's client area is its whole rectangle.
//
// Failures follow Win32: nothing is raised; a call that fails returns 0,
// false or an empty rectangle.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/platform.h"

namespace brackwell::headless {

class HeadlessWindowSystem final : public WindowSystem {
public:
    // The desktop: the parent of every top-level window, covering the screen.
    static constexpr WindowHandle kDesktop = 0x10010;

    explicit HeadlessWindowSystem(std::int32_t screenWidth = 1920, std::int32_t screenHeight = 1080);

    // WindowSystem
    // Children are searched front to back; class and title compare ignoring
    // ASCII case, as FindWindowExA does. A parent of 0 searches the top-level windows.
    WindowHandle FindChild(WindowHandle parent, const std::string& className,
                           const std::optional<std::string>& title, WindowHandle after = 0) override;
    WindowRect GetWindowRect(WindowHandle window) override;
    // Keeps the position numbers, now relative to the new parent (0: the
    // desktop), and puts the window in front of its new siblings. Returns
    // the old parent (the desktop for a top-level window).
    WindowHandle SetParent(WindowHandle child, WindowHandle parent) override;
    // Position relative to the parent's client area; negative sizes become 0.
    bool MoveWindow(WindowHandle window, std::int32_t x, std::int32_t y, std::int32_t width,
                    std::int32_t height, bool repaint) override;
    // One window at a time: locking while a window is locked fails, even the
    // same one; 0 unlocks and lets the frozen windows paint.
    bool LockWindowUpdate(WindowHandle window) override;
    bool IsWindow(WindowHandle window) override { return Exists(window); }

    // Creating and removing windows. A parent of 0 makes a top-level window,
    // put in front of the others; a child goes behind its siblings, as
    // dialog controls are created. Returns 0 for an unknown parent.
    WindowHandle NewWindow(const std::string& className, const std::string& title, WindowHandle parent,
                           std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
    bool DestroyWindow(WindowHandle window);  // with all its descendants
    bool Exists(WindowHandle window) const;

    // Inspection and the remaining window state.
    WindowHandle Parent(WindowHandle window) const;  // 0 for top-level and unknown windows
    std::vector<WindowHandle> Children(WindowHandle parent) const;  // front to back; 0: top level
    std::string ClassName(WindowHandle window) const;
    std::string Title(WindowHandle window) const;
    void SetTitle(WindowHandle window, const std::string& title);
    WindowRect RectInParent(WindowHandle window) const;  // relative to the parent's client area
    WindowRect ScreenRect(WindowHandle window) const { return ScreenRectOf(window); }
    WindowRect ClientRectOf(WindowHandle window) const;  // (0, 0, width, height)
    bool SetVisible(WindowHandle window, bool visible);
    bool IsVisible(WindowHandle window) const;     // its own flag
    bool IsOnScreen(WindowHandle window) const;    // it and every ancestor visible
    bool BringToFront(WindowHandle window);        // among its siblings
    bool SendToBack(WindowHandle window);

    WindowHandle LockedWindow() const { return locked_; }
    std::int32_t LockCalls() const { return lockCalls_; }      // LockWindowUpdate with a window
    std::int32_t UnlockCalls() const { return unlockCalls_; }  // LockWindowUpdate with 0
    bool IsPaintFrozen(WindowHandle window) const;  // it or an ancestor is locked

    // Called after the window's size changed (a form runs its Resize).
    void SetSizeChangedCallback(WindowHandle window, std::function<void()> callback);
    // Called when a lock over the window is lifted (a control paints what it held back).
    void SetUnfrozenCallback(WindowHandle window, std::function<void()> callback);

private:
    struct Window {
        std::string className;
        std::string title;
        WindowHandle parent = 0;
        std::int32_t x = 0;
        std::int32_t y = 0;
        std::int32_t width = 0;
        std::int32_t height = 0;
        bool visible = false;
        std::vector<WindowHandle> children;  // front to back
        std::function<void()> sizeChanged;
        std::function<void()> unfrozen;
    };

    Window* Find(WindowHandle window);
    const Window* Find(WindowHandle window) const;
    WindowHandle Resolve(WindowHandle parent) const { return parent == 0 ? kDesktop : parent; }
    bool IsSelfOrAncestor(WindowHandle candidate, WindowHandle window) const;
    WindowRect ScreenRectOf(WindowHandle window) const;
    void CollectSubtree(WindowHandle window, std::vector<WindowHandle>& out) const;
    void Unlink(WindowHandle window);

    std::map<WindowHandle, Window> windows_;
    WindowHandle nextHandle_ = 0x20000;
    WindowHandle locked_ = 0;
    std::int32_t lockCalls_ = 0;
    std::int32_t unlockCalls_ = 0;
};

}  // namespace brackwell::headless
