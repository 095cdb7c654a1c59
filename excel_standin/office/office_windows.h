#pragma once
// The Excel windows (class "XLMAIN") that carry a ribbon and a task-pane
// area, and the Window objects they stand for. Excel 2007 and 2010 have one
// main window for all workbooks; Excel 2013 and later one per workbook, whose
// Window.Hwnd gives it. The application's window code (the demo, a test)
// announces each window as it appears and before it goes; the Office layer
// asks here which window a Window object means and the reverse, through the
// Application object as an add-in would.

#include <windows.h>

#include <oaidl.h>

#include <functional>
#include <memory>
#include <vector>

#include "adapters/windows/automation/dispid_cache.h"
#include "adapters/windows/common/com_ptr.h"

namespace brackwell::office {

class OfficeWindows {
public:
    explicit OfficeWindows(win::ComPtr<IDispatch> application);
    OfficeWindows(const OfficeWindows&) = delete;
    OfficeWindows& operator=(const OfficeWindows&) = delete;

    // A window with its task-pane area (a TaskPaneArea's window) and what
    // its ribbon does when the add-ins' ribbon controls changed.
    void AddFrame(HWND frame, HWND taskPaneArea, std::function<void()> ribbonChanged);
    // Before the window goes: its ribbon's cached states are forgotten.
    void RemoveFrame(HWND frame);
    std::vector<HWND> Frames() const;
    bool Has(HWND frame) const;
    HWND TaskPaneAreaOf(HWND frame) const;  // null when the window is not known

    // The window a Window object is shown in; null or missing: the active
    // window's (Application.Hwnd). 0 when none is known.
    HWND FrameOf(IDispatch* window);
    // The Window object of a window: the one whose Hwnd it is, or before
    // Excel 2013 (no Window.Hwnd) the active window. Empty when none.
    win::ComPtr<IDispatch> WindowObjectOf(HWND frame);
    const win::ComPtr<IDispatch>& Application() const noexcept { return application_; }

    // Tells every window's ribbon that controls changed.
    void RibbonChanged();
    // Hears of windows that go (the ribbons' state caches).
    void OnFrameRemoved(std::function<void(HWND)> listener);

private:
    struct Frame {
        HWND window;
        HWND area;
        std::function<void()> ribbonChanged;
    };
    win::ComPtr<IDispatch> application_;
    std::shared_ptr<win::DispIdRegistry> registry_ = std::make_shared<win::DispIdRegistry>();
    std::vector<Frame> frames_;
    std::vector<std::function<void(HWND)>> removedListeners_;
};

}  // namespace brackwell::office
