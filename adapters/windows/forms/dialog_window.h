#pragma once
// A dialog's window on Win32, laid out from its design: a pop-up window of
// Brackwell's own class with the design's border, caption, colours and
// client size, the bar across its top (the same toolbar control as the
// pane's), and every control as a real child window at its twip geometry,
// scaled for the system's dots per inch (15 twips are one pixel at 96), and
// laid out again when the window moves to a screen of another DPI.
// Option buttons live in their container's window, which makes them one
// group. Shown modally it centres itself on the screen or on its owner,
// disables the windows around it and runs its own message loop.
//
// Destroy() may run inside the window's own message handling (a bar
// button's click): the window goes, this object stays until its owner
// releases it after the modal show has returned.

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "adapters/shared/control_table.h"
#include "adapters/windows/controls/toolbar.h"
#include "adapters/windows/forms/disabled_windows.h"
#include "adapters/windows/forms/win_form_control.h"
#include "adapters/windows/ui/win_handles.h"
#include "host/dialog_form.h"

namespace brackwell::win {

class WinDialogWindow final : public DialogWindow {
public:
    static constexpr int kFirstControlId = 100;

    // Creates the window and its controls, hidden. `instance`: the module
    // with the pictures and window classes.
    WinDialogWindow(HINSTANCE instance, const FormDesign& design, DialogEvents& events);
    ~WinDialogWindow() override;  // destroys the window if it still exists
    WinDialogWindow(const WinDialogWindow&) = delete;
    WinDialogWindow& operator=(const WinDialogWindow&) = delete;

    WindowHandle Hwnd() override { return reinterpret_cast<WindowHandle>(hwnd_); }
    std::string Caption() override;
    void SetCaption(const std::string& caption) override;
    FormControl& Control(const std::string& name, std::int32_t index = -1) override;
    std::shared_ptr<Toolbar> Bar() override { return bar_; }
    // Fails with error 400 when shown already, 91 when destroyed.
    void ShowModal(WindowHandle owner) override;
    void Hide() override;
    void Destroy() override;
    bool Visible() override { return hwnd_ && ::IsWindowVisible(hwnd_); }

    HWND Handle() const { return hwnd_; }
    // A control's window; null when the form has no such control.
    HWND ControlHandle(const std::string& name, std::int32_t index = -1) const;
    const std::shared_ptr<WinToolbar>& WinBar() const { return bar_; }
    // Twips to pixels at the window's resolution.
    int Pixels(std::int32_t twips) const;
    int Dpi() const { return dpi_; }

    // Window procedure (ObjectWindowProc).
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void WindowDestroyed();

private:
    void CreateControls(HINSTANCE instance);
    RECT Bounds(const ControlDesign& control) const;  // in its parent's client pixels
    void OnDpiChanged(int dpi, const RECT* suggested);
    HFONT Font(const ControlFont& font);
    HBRUSH Brush(Color color);
    WinFormControl* ControlById(int id) const;
    WinFormControl* ControlByWindow(HWND window) const;
    void PlaceCentred(HWND owner);
    void FocusFirstControl();
    void EndModal();
    LRESULT ControlColors(HDC dc, HWND control);

    FormDesign design_;
    DialogEvents& events_;
    int dpi_ = 96;
    HWND hwnd_ = nullptr;
    std::shared_ptr<WinToolbar> bar_;
    shared::ControlTable<WinFormControl> controls_;
    std::vector<std::pair<ControlFont, FontHandle>> fonts_;
    std::map<COLORREF, BrushHandle> brushes_;
    DisabledWindows disabled_;
    bool modal_ = false;
};

}  // namespace brackwell::win
