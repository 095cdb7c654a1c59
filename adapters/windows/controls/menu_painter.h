#pragma once
// How the owner-drawn menus look: the size of an item and its drawing in a
// given font, either in the stored look of a bar (its menu colours, the
// picture column in the check-mark gradient, a framed highlight) or in the
// plain look of the system's menus (system colours, the given font still).
// Sizes scale with the DPI (dpi.h); 96 dpi is the base. The pictures come in
// the size that DPI needs (PictureSize) and are drawn at their own size.

#include <windows.h>

#include <string>

#include "adapters/windows/ui/win_handles.h"
#include "host/toolbar.h"

namespace brackwell::win {

struct MenuLook {
    bool themed = true;  // the bar's stored colours; false: the system's
    ToolbarLook colours;
    ToolbarFont font;  // an empty face: the desktop's menu font
    int dpi = 0;       // of the window the menu belongs to; 0: the system's
};

// One row of a menu as its owner draws it.
struct MenuEntry {
    std::wstring caption;     // drawn exactly: no "&" marks, no tab columns
    HBITMAP picture = nullptr;  // see LoadPictureBitmap; owned by the menu's maker
    bool separator = false;
};

class MenuPainter {
public:
    explicit MenuPainter(const MenuLook& look);

    const MenuLook& Look() const { return look_; }
    HFONT Font() const { return font_.Get(); }
    SIZE Measure(const MenuEntry& entry) const;
    void Draw(const DRAWITEMSTRUCT& item, const MenuEntry& entry) const;
    // The themed menu's outer frame, over whatever frame the system drew.
    void DrawFrame(HWND menuWindow) const;
    // What shows between and beside the items; null: the system's.
    HBRUSH Background() const { return background_.Get(); }

private:
    int Scale(int pixels) const;
    void DrawCheckCell(HDC dc, const RECT& cell, const MenuEntry& entry, bool checked, bool enabled,
                       COLORREF ink) const;

    MenuLook look_;
    int dpi_ = 96;
    FontHandle font_;
    BrushHandle background_;
};

// A caption as it shows: characters that would steer the layout (a tab, a
// line break) show as blanks.
std::wstring DisplayedCaption(const std::wstring& caption);

}  // namespace brackwell::win
