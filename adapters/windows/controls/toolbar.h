#pragma once
// A button bar drawn from a ToolbarDesign: a window class of Brackwell's own
// that paints the design's buttons left to right with their stored widths,
// separators, pictures and texts; drop-down buttons are split buttons whose
// arrow opens the button's menu. Balloon tooltips with title and icon, a
// gradient look (visual style 3) or a flat, plain one (2), which its
// owner-drawn drop-down menus share. Every form's bar is made of it, each
// from its own design.
//
// The keyboard works the bar where it has the focus (a tab stop; a mouse
// click leaves the focus where it was): Left and Right (Home, End) move a
// focus mark over the enabled buttons, Tab and Shift+Tab too and on out of
// the bar at its ends; Enter and Space click the marked button; Down,
// Alt+Down and F4 open a drop-down button's menu. Disabled buttons are drawn
// greyed and can be neither clicked nor marked.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "adapters/shared/sink_list.h"
#include "adapters/windows/ui/win_handles.h"
#include "host/toolbar.h"

namespace brackwell::win {

class ToolbarAccessibility;

class WinToolbar final : public Toolbar {
public:
    // Creates the bar as a child window at the top of `parent`, as wide as
    // the parent's client area and as high as the design says. `instance`:
    // the module whose pictures the buttons show. The design's sizes are for
    // 96 dpi; the bar scales them to the parent's DPI (dpi.h).
    WinToolbar(HINSTANCE instance, HWND parent, const ToolbarDesign& design);
    ~WinToolbar() override;  // destroys the window unless its parent did
    WinToolbar(const WinToolbar&) = delete;
    WinToolbar& operator=(const WinToolbar&) = delete;

    void SetVisualStyle(std::int32_t style) override;
    std::int32_t VisualStyle() override { return visualStyle_; }
    // An unknown key fails with error 35601, as for the control.
    void SetButtonEnabled(const std::string& key, bool enabled) override;
    bool ButtonEnabled(const std::string& key) override;
    void SetButtonFontName(const std::string& face) override;
    void SetButtonFontSize(double size) override;
    // The drop-down menus are drawn in the menu font, in the bar's look
    // (style 3) or the system's colours (style 2).
    void SetMenuFontName(const std::string& face) override { menuFont_.face = face; }
    void SetMenuFontSize(double size) override { menuFont_.size = size; }
    std::int32_t Height() override;  // twips
    std::unique_ptr<EventConnection> Advise(ToolbarEvents& sink) override;

    HWND Handle() const { return hwnd_; }
    int Dpi() const { return dpi_; }
    // Lays the bar out again for a window that moved to a screen of `dpi`.
    void SetDpi(int dpi);
    HWND TooltipHandle() const { return tooltip_.Get(); }
    int HeightPixels() const { return heightPixels_; }
    // A button's rectangle in the bar's client pixels (empty for an unknown
    // key); for a drop-down button the part that opens its menu on the right.
    RECT ButtonRect(const std::string& key) const;
    RECT ArrowRect(const std::string& key) const;
    const ToolbarFont& ButtonFont() const { return buttonFont_; }
    const ToolbarFont& MenuFont() const { return menuFont_; }
    HFONT ButtonFontHandle() const { return fontHandle_.Get(); }
    // The button the keyboard marks (empty while the bar has no focus).
    std::string FocusedKey() const;

    // The buttons by position (0-based), as screen readers see them
    // (toolbar_accessible.h): design, place, state.
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    const ToolbarButton& ButtonDesign(int index) const { return buttons_[static_cast<size_t>(index)].design; }
    RECT ButtonRectAt(int index) const { return buttons_[static_cast<size_t>(index)].rect; }
    bool ButtonEnabledAt(int index) const { return buttons_[static_cast<size_t>(index)].enabled; }
    int FocusIndex() const { return focus_; }
    bool ButtonDown(int index) const { return pressed_ == index || menuOpen_ == index; }
    // Clicks the button (or chooses item `menuItem` of its menu) once the
    // messages waiting now have run, exactly as a click does: a disabled
    // button does nothing. For a reader's default action and the dialogs' Enter.
    void PostClick(int index, int menuItem = -1);

    // Window procedure (ObjectWindowProc).
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void WindowDestroyed();

private:
    struct Button {
        ToolbarButton design;
        RECT rect{};
        bool enabled = true;
        BitmapHandle picture;
        BitmapHandle greyedPicture;
        std::vector<BitmapHandle> menuPictures;  // one per menu item, null where it has none
    };
    enum class Part { None, Main, Arrow };
    struct Hit {
        int index = -1;
        Part part = Part::None;
    };

    void LoadPictures();  // in the size the DPI needs
    void Layout();
    void AddTooltips();
    void RecreateFont();
    void Paint(HDC dc, const RECT& client) const;
    void PaintBackground(HDC dc, const RECT& client) const;
    void PaintButton(HDC dc, int index) const;
    void PaintSeparator(HDC dc, const Button& button) const;
    Hit HitTest(POINT pt) const;
    Button* Find(const std::string& key);
    const Button* Find(const std::string& key) const;
    void OpenMenu(int index);
    void Click(int index);
    void ChooseMenuItem(int index, int item);
    void NotifyFocus() const;  // tells screen readers which button the keyboard marks
    void Invalidate() const;
    bool Focusable(int index) const;
    int NextFocusable(int from, int step) const;  // -1 past the end in that direction
    void SetFocusMark(int index);
    bool WantsKey(WPARAM key) const;  // keys a dialog around the bar must leave to it

    LRESULT OnMouseMove(POINT pt);
    LRESULT OnLeftButtonDown(POINT pt);
    LRESULT OnLeftButtonUp(POINT pt);
    LRESULT OnNotify(NMHDR* header);
    bool OnKeyDown(WPARAM key, bool alt);

    HINSTANCE instance_;
    ToolbarLook look_;
    ToolbarFont buttonFont_;
    ToolbarFont menuFont_;
    int dpi_ = 96;
    std::vector<Button> buttons_;
    std::int32_t visualStyle_ = 3;
    int heightPixels_ = 0;
    HWND hwnd_ = nullptr;  // destroyed with the parent, or by the destructor
    WindowHandleOwner tooltip_;
    FontHandle fontHandle_;
    std::wstring tooltipText_;  // kept alive while the tooltip shows it
    int hover_ = -1;
    Part hoverPart_ = Part::None;
    int pressed_ = -1;   // main part held down
    int menuOpen_ = -1;  // drop-down whose menu is showing
    int focus_ = -1;     // the keyboard's mark, while the bar has the focus
    bool trackingLeave_ = false;
    shared::SinkList<ToolbarEvents> sinks_;
    std::unique_ptr<ToolbarAccessibility> accessibility_;  // made when a reader first asks
};

}  // namespace brackwell::win
