#pragma once
// The shared popup menu: filled item by item, shown modally at the pointer,
// and asked afterwards which position was chosen.

#include <cstdint>
#include <optional>
#include <string>

namespace brackwell {

class PopupMenu {
public:
    virtual ~PopupMenu() = default;
    virtual void ClearItems() = 0;
    // Appends an item; the caption "-" makes a separator. The control's
    // further arguments are always 0 and False and are not passed.
    virtual void AddItem(const std::string& caption, const std::string& key,
                         std::optional<std::int32_t> image, bool enabled) = 0;
    // (-1, -1) opens at the pointer. Returns after the menu closed: the chosen
    // item's 1-based position, separators counted, or 0 when dismissed.
    virtual std::int32_t ShowPopup(std::int32_t x, std::int32_t y) = 0;
    virtual void SetItemChecked(const std::string& key, bool checked) = 0;
    virtual std::string ItemKey(std::int32_t position) = 0;
    virtual void SetVisualStyle(std::int32_t style) = 0;  // 4 with the theme, 2 without
    virtual void SetFont(const std::string& face, double size) = 0;
};

}  // namespace brackwell
