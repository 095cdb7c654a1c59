#pragma once
// How a task pane of the add-in finds the window of the control Excel shows
// in it and hears what happens to that window. Both live in brackwell.dll:
// the pane asks the control Excel hands back (_CustomTaskPane.ContentControl)
// for this private interface; nothing outside the DLL knows it.

#include <windows.h>

#include <unknwn.h>

namespace brackwell::win::addin {

// What the control tells its task pane, on the user-interface thread.
class PaneHostListener {
public:
    // The control's window appeared or changed its size.
    virtual void ContentResized() = 0;
    // The control's window is about to be destroyed, its children still
    // alive: whatever lives in it must leave now.
    virtual void ContentClosing() = 0;

protected:
    ~PaneHostListener() = default;
};

}  // namespace brackwell::win::addin

// {CDB19AE9-D62B-470D-8A87-CFEF8FAE0ADE}
MIDL_INTERFACE("CDB19AE9-D62B-470D-8A87-CFEF8FAE0ADE")
IBrackwellPaneHost : public IUnknown {
    // The control's window while it is active in place, else null.
    virtual HWND STDMETHODCALLTYPE ContentWindow() = 0;
    // Who hears of the window from now on (null: nobody). The listener
    // must outlive its registration.
    virtual void STDMETHODCALLTYPE SetListener(brackwell::win::addin::PaneHostListener* listener) = 0;
};
__CRT_UUID_DECL(IBrackwellPaneHost, 0xCDB19AE9, 0xD62B, 0x470D, 0x8A, 0x87, 0xCF, 0xEF, 0x8F, 0xAE, 0x0A, 0xDE)
