#pragma once
// The toolbar control that every form's button bar is made of, and the stored
// design it draws: buttons, their drop-down menus and the bar's look are data,
// so each form declares its bar once.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/color.h"
#include "host/excel.h"  // EventConnection

namespace brackwell {

struct ToolbarMenuItem {
    std::string key;
    std::string caption;
    std::int32_t image = 0;  // image number of the control's image set; 0 none
    bool picture = false;    // the item carries its own 16 x 16 picture
};

namespace toolbar_style {
inline constexpr std::int32_t kPlain = -1;      // no stored style: the default push button
inline constexpr std::int32_t kSeparator = 0;
inline constexpr std::int32_t kDropDown = 5;
}  // namespace toolbar_style

namespace tooltip_icon {
inline constexpr std::int32_t kNone = 0;
inline constexpr std::int32_t kInfo = 1;
inline constexpr std::int32_t kWarning = 2;
}  // namespace tooltip_icon

struct ToolbarButton {
    std::string key;
    std::int32_t style = toolbar_style::kPlain;
    std::string text;
    std::int32_t image = 0;
    std::string tooltipTitle;
    std::string tooltipText;
    std::int32_t tooltipIcon = tooltip_icon::kNone;
    std::int32_t width = 0;  // pixels
    bool useDefaultMaskColor = true;
    std::vector<ToolbarMenuItem> menu;
};

struct ToolbarFont {
    std::string face;
    double size = 8.25;
    bool bold = false;
};

// Defaults: the look all of Brackwell's bars share.
struct ToolbarLook {
    ToolbarFont font{"Verdana", 8.25};
    ToolbarFont menuFont{"MS Sans Serif", 8.25};
    bool balloonTip = true;
    Color backColorFrom = 0xFEECDD;
    Color backColorTo = 0xE2A981;
    Color barLineColor = 0xCB8C6A;
    std::int32_t barLines = 2;
    Color separatorColor = 0xCB8C6A;
    bool showSeparator = true;
    bool showBand = true;
    std::int32_t buttonBorderStyle = 0;
    Color buttonBorderColor = 0x800000;
    Color buttonBackColorHover = 0xA6DDFF;
    Color buttonBackColorChecked = 0x6FC0FF;
    Color buttonBackColorDown = 0x3E80FE;
    Color buttonForeColor = kSystemWindowText;
    Color buttonForeColorChecked = kSystemWindowText;
    Color buttonForeColorDown = kSystemWindowText;
    Color buttonForeColorHover = kSystemWindowText;
    bool buttonTransparent = false;
    Color menuBackColor = 0xFAFAFA;
    Color menuBackColorChecked = 0x6FC0FF;
    Color menuBackColorHover = 0xA6DDFF;
    Color menuBorderColor = 0x800000;
    Color menuCheckmarkColorFrom = 0xFEECDD;
    Color menuCheckmarkColorTo = 0xE2A981;
    Color menuForeColor = kSystemWindowText;
    Color menuForeColorHover = kSystemWindowText;
    std::int32_t lineHeight = 1;
    std::int32_t height = 420;  // twips
    bool version2 = true;
};

struct ToolbarDesign {
    std::vector<ToolbarButton> buttons;
    ToolbarLook look;
};

// What the control reports. The control's events carry more arguments; only
// the key is passed on, because it is all the component uses.
class ToolbarEvents {
public:
    virtual void ButtonClick(const std::string& key) = 0;
    virtual void MenuItemClick(const std::string& key) = 0;

protected:
    ~ToolbarEvents() = default;
};

class Toolbar {
public:
    virtual ~Toolbar() = default;
    virtual void SetVisualStyle(std::int32_t style) = 0;  // 3 with the theme, 2 without
    virtual std::int32_t VisualStyle() = 0;
    virtual void SetButtonEnabled(const std::string& key, bool enabled) = 0;  // unknown key fails
    virtual bool ButtonEnabled(const std::string& key) = 0;
    virtual void SetButtonFontName(const std::string& face) = 0;
    virtual void SetButtonFontSize(double size) = 0;
    virtual void SetMenuFontName(const std::string& face) = 0;
    virtual void SetMenuFontSize(double size) = 0;
    virtual std::int32_t Height() = 0;  // twips
    virtual std::unique_ptr<EventConnection> Advise(ToolbarEvents& sink) = 0;
};

}  // namespace brackwell
