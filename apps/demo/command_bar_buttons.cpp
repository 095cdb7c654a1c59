#include "apps/demo/command_bar_buttons.h"

#include <array>
#include <algorithm>

#include "adapters/windows/common/utf.h"

namespace brackwell::demo {
namespace {

constexpr int kBarPopup = 5;   // msoBarPopup: a shortcut menu, shown only when asked for

// msoButtonStyle
constexpr int kAutomatic = 0;
constexpr std::array kFaceStyles = {1, 3, 7, 11, 15};     // Icon, IconAndCaption, ...WrapCaption, ...Below, ...WrapCaptionBelow
constexpr std::array kCaptionStyles = {2, 3, 7, 11, 14, 15};
constexpr std::array kWrapStyles = {7, 14, 15};

template <std::size_t N>
bool OneOf(const std::array<int, N>& styles, int style) {
    return std::find(styles.begin(), styles.end(), style) != styles.end();
}

}  // namespace

std::vector<ShownBar> ShownBarsOf(const std::vector<embedded::CommandBarView>& bars) {
    std::vector<ShownBar> shown;
    for (const embedded::CommandBarView& bar : bars) {
        if (bar.deleted || !bar.visible || bar.position == kBarPopup) continue;
        ShownBar& out = shown.emplace_back();
        out.name = bar.name;
        constexpr DockSide kSides[] = {DockSide::Left, DockSide::Top, DockSide::Right, DockSide::Bottom};
        out.side = bar.position >= 0 && bar.position < 4 ? kSides[bar.position] : DockSide::Top;
        for (std::size_t i = 0; i < bar.buttons.size(); ++i) {
            const embedded::CommandBarButtonView& view = bar.buttons[i];
            out.buttons.push_back(BarButton{bar.name, static_cast<int>(i) + 1, win::Utf8ToWide(view.caption),
                                            win::Utf8ToWide(view.tooltip), view.faceId, view.style, view.width,
                                            view.height, view.enabled});
        }
    }
    return shown;
}

bool DrawsFace(const BarButton& button) {
    if (button.faceId == 0) return false;
    return button.style == kAutomatic || OneOf(kFaceStyles, button.style);
}

bool DrawsCaption(const BarButton& button) {
    if (button.caption.empty()) return false;
    if (button.style == kAutomatic) return button.faceId == 0;
    return OneOf(kCaptionStyles, button.style);
}

bool WrapsCaption(const BarButton& button) { return OneOf(kWrapStyles, button.style); }

}  // namespace brackwell::demo
