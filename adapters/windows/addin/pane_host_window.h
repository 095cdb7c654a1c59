#pragma once
// The window of the pane host control: a child of the container's window
// where the container places it, which the pane form fills. It reports each
// size change as it happens (WM_SIZE, so the form follows without polling)
// and its coming destruction while its children still live.

#include <windows.h>

namespace brackwell::win::addin {

class PaneHostWindowEvents {
public:
    virtual void WindowResized() = 0;
    // WM_DESTROY: the window and its children are still there.
    virtual void WindowDestroying() = 0;

protected:
    ~PaneHostWindowEvents() = default;
};

class PaneHostWindow {
public:
    explicit PaneHostWindow(PaneHostWindowEvents& events) : events_(events) {}
    ~PaneHostWindow();  // destroys the window
    PaneHostWindow(const PaneHostWindow&) = delete;
    PaneHostWindow& operator=(const PaneHostWindow&) = delete;

    // Creates the window in `parent` at `place` (the parent's client
    // pixels), shown. False when the system refuses.
    bool Create(HWND parent, const RECT& place);
    void Place(const RECT& place);
    void Destroy();
    HWND Hwnd() const noexcept { return hwnd_; }

    // A key message for this window or one of its descendants that the pane
    // answers (pane_keys.h) goes straight to its window, translated into
    // characters as the host's loop would; true then. Others stay untouched.
    bool RouteKey(const MSG& message);

    // Window procedure (ObjectWindowProc).
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void WindowDestroyed() noexcept { hwnd_ = nullptr; }

private:
    PaneHostWindowEvents& events_;
    HWND hwnd_ = nullptr;
};

}  // namespace brackwell::win::addin
