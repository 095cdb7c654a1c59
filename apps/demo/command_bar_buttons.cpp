#include "apps/demo/command_bar_buttons.h"

#include "adapters/windows/common/utf.h"

namespace brackwell::demo {
namespace {

// The face of a button is a picture the demo does not have, so a button
// without a caption is named by its tooltip ("...Aktualisieren" shows as
// "Aktualisieren").
std::wstring LabelOf(const embedded::CommandBarButtonView& button) {
    if (!button.caption.empty()) return win::Utf8ToWide(button.caption);
    std::wstring text = win::Utf8ToWide(button.tooltip);
    text.erase(0, text.find_first_not_of(L'.'));
    return text.empty() ? std::wstring(L"?") : text;
}

}  // namespace

std::vector<BarButton> BarButtonsOf(const std::vector<embedded::CommandBarView>& bars) {
    std::vector<BarButton> buttons;
    for (const embedded::CommandBarView& bar : bars) {
        if (bar.deleted) continue;
        for (std::size_t i = 0; i < bar.buttons.size(); ++i) {
            const embedded::CommandBarButtonView& view = bar.buttons[i];
            buttons.push_back(BarButton{bar.name, static_cast<int>(i) + 1, LabelOf(view),
                                        win::Utf8ToWide(view.tooltip), view.enabled});
        }
    }
    return buttons;
}

}  // namespace brackwell::demo
