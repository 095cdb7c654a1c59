#pragma once
// The shared popup menu on the system's popup menus: items with pictures,
// separators, check marks and disabled items, shown modally at the pointer
// (or, for a menu called up from the keyboard, at the node it is for).

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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
    // Kept: the system draws its menus in the look of the desktop.
    void SetVisualStyle(std::int32_t style) override { visualStyle_ = style; }
    // Kept: the system's menus use the desktop's menu font.
    void SetFont(const std::string& face, double size) override;

    // The menu as the system holds it; item n is at position n - 1 and has id n.
    HMENU Handle() const { return menu_.Get(); }
    std::int32_t VisualStyle() const { return visualStyle_; }
    const std::string& FontName() const { return fontName_; }
    double FontSize() const { return fontSize_; }

private:
    struct Item {
        std::string key;
        BitmapHandle picture;
    };

    HINSTANCE instance_;
    MenuHandle menu_;
    std::vector<Item> items_;  // the pictures live as long as the menu shows them
    WindowHandleOwner owner_;
    std::int32_t visualStyle_ = 0;
    std::string fontName_;
    double fontSize_ = 0;
};

}  // namespace brackwell::win
