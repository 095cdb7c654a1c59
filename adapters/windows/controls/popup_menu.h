#pragma once
// The shared popup menu, owner-drawn: items with pictures, separators, check
// marks and disabled items in the font it was given, in the look of the
// pane's bar (visual style 4, and before any style is set) or in the
// system's colours (style 2); shown modally at the pointer (or, for a menu
// called up from the keyboard, at the node it is for), measured and drawn
// for the DPI of the window it opens over (LayoutDpi).

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "adapters/windows/controls/menu_items.h"
#include "adapters/windows/ui/dpi.h"
#include "adapters/windows/ui/win_handles.h"
#include "host/popup_menu.h"

namespace brackwell::win {

class WinPopupMenu final : public PopupMenu {
public:
    // `instance`: the module whose pictures the items show.
    explicit WinPopupMenu(HINSTANCE instance);

    void ClearItems() override;
    void AddItem(const std::string& caption, const std::string& key, std::optional<std::int32_t> image,
                 bool enabled) override;
    // (-1, -1) opens at the pointer, or at a living MenuAnchor; other values
    // are screen pixels. Returns
    // the chosen 1-based position, 0 when dismissed or empty.
    std::int32_t ShowPopup(std::int32_t x, std::int32_t y) override;
    // Every item with that key; an unknown key changes nothing.
    void SetItemChecked(const std::string& key, bool checked) override;
    // Fails with error 9 for a position that holds no item (0 after a dismissed menu).
    std::string ItemKey(std::int32_t position) override;
    void SetVisualStyle(std::int32_t style) override { visualStyle_ = style; }
    void SetFont(const std::string& face, double size) override;

    // The menu as the system holds it; item n is at position n - 1 and has id n.
    HMENU Handle() const { return menu_.Handle(); }
    // The look the next ShowPopup draws in: the bar's stored look is the
    // shared one of all bars (the popup has no bar of its own).
    MenuLook Look() const;

private:
    struct Item {
        std::string key;
        std::int32_t image;  // 0: none
        bool enabled;
        BitmapHandle picture;
    };

    HINSTANCE instance_;
    std::vector<Item> items_;  // declared before the menu: their pictures outlive it
    OwnerDrawnMenu menu_;
    WindowHandleOwner owner_;
    std::int32_t visualStyle_ = 0;
    ToolbarFont font_;
    int dpi_ = SystemDpi();  // of where it last opened
    int picturesSize_ = PictureSize(dpi_);
};

}  // namespace brackwell::win
