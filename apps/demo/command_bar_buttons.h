#pragma once
// The command bars as the host shows them: every visible custom bar of the
// host with its buttons, each button with the look the add-in gave it (face,
// style, caption, tooltip, width and height), and the dock it sits in.

#include <string>
#include <vector>

#include "excel_standin/embedded/command_bars.h"

namespace brackwell::demo {

struct BarButton {
    std::string bar;       // the command bar's name
    int index = 0;         // 1-based place in the bar, what PressCommandBarButton takes
    std::wstring caption;
    std::wstring tooltip;
    int faceId = 0;        // the host's built-in picture, 0 for none
    int style = 0;         // msoButtonStyle
    int width = 0;         // pixels
    int height = 0;
    bool enabled = true;

    friend bool operator==(const BarButton&, const BarButton&) = default;
};

// Where a bar docks: by its position (msoBarLeft 0, msoBarTop 1, msoBarRight
// 2, msoBarBottom 3); the demo draws no floating palettes and puts floating
// bars and the menu bar at the top. Bars at the left and the right stand
// upright, the others lie in a row.
enum class DockSide { Top, Left, Right, Bottom };
inline bool Upright(DockSide side) { return side == DockSide::Left || side == DockSide::Right; }

struct ShownBar {
    std::string name;
    DockSide side = DockSide::Top;
    std::vector<BarButton> buttons;

    friend bool operator==(const ShownBar&, const ShownBar&) = default;
};

// The bars on the host's screen, in the order they were added: deleted and
// hidden bars are not there, nor pop-up bars (msoBarPopup).
std::vector<ShownBar> ShownBarsOf(const std::vector<embedded::CommandBarView>& bars);

// What a button draws, by its style: the face (icon styles, and the automatic
// style when there is a face) and the caption (caption styles, and the
// automatic style without a face); an empty caption draws nothing.
bool DrawsFace(const BarButton& button);
bool DrawsCaption(const BarButton& button);
// Styles that wrap a long caption onto more lines.
bool WrapsCaption(const BarButton& button);

}  // namespace brackwell::demo
