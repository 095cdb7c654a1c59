#pragma once
// The command-bar area under the menu: for each live custom command bar of
// the host its name and its buttons, each button with its tooltip. Pressing
// a button hands it to the owner, who lets the host run its macro.

#include <windows.h>

#include <functional>
#include <vector>

#include "adapters/windows/ui/win_handles.h"
#include "apps/demo/command_bar_buttons.h"

namespace brackwell::demo {

class CommandBarStrip {
public:
    using PressHandler = std::function<void(const BarButton&)>;

    // A child window of `parent` (placed by the parent).
    CommandBarStrip(HINSTANCE instance, HWND parent, PressHandler onPress);
    ~CommandBarStrip();  // destroys the window unless its parent did
    CommandBarStrip(const CommandBarStrip&) = delete;
    CommandBarStrip& operator=(const CommandBarStrip&) = delete;

    HWND Window() const noexcept { return window_; }
    // Shows these buttons; the controls are made anew only when they changed.
    void Show(const std::vector<BarButton>& buttons);
    const std::vector<BarButton>& Buttons() const noexcept { return buttons_; }

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void WindowDestroyed() noexcept;

private:
    struct BarLabel {
        std::wstring text;
        RECT place;
    };
    void Rebuild();
    void Paint();

    HINSTANCE instance_;
    PressHandler onPress_;
    HWND window_ = nullptr;
    win::WindowHandleOwner tooltip_;  // an owned pop-up of the strip
    win::FontHandle font_;
    std::vector<BarButton> buttons_;
    std::vector<HWND> buttonWindows_;  // children: the strip's window destroys them with itself
    std::vector<BarLabel> labels_;
};

}  // namespace brackwell::demo
