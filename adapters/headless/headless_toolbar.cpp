#include "adapters/headless/headless_toolbar.h"

#include <utility>

#include "host/automation_error.h"

namespace brackwell::headless {

HeadlessToolbar::HeadlessToolbar(ToolbarDesign design)
    : design_(std::move(design)), buttonFont_(design_.look.font), menuFont_(design_.look.menuFont) {
    for (const ToolbarButton& button : design_.buttons) {
        if (!button.key.empty()) enabled_.emplace(button.key, true);
    }
}

void HeadlessToolbar::SetButtonEnabled(const std::string& key, bool enabled) {
    const auto found = enabled_.find(key);
    if (found == enabled_.end()) Raise(err::kElementNotFound);
    found->second = enabled;
}

bool HeadlessToolbar::ButtonEnabled(const std::string& key) {
    const auto found = enabled_.find(key);
    if (found == enabled_.end()) Raise(err::kElementNotFound);
    return found->second;
}

std::unique_ptr<EventConnection> HeadlessToolbar::Advise(ToolbarEvents& sink) { return sinks_.Advise(sink); }

bool HeadlessToolbar::Click(const std::string& key) {
    if (!EnabledButton(key)) return false;
    sinks_.Fire([&](ToolbarEvents& sink) { sink.ButtonClick(key); });
    return true;
}

bool HeadlessToolbar::ChooseMenuItem(const std::string& buttonKey, const std::string& itemKey) {
    const ToolbarButton* button = EnabledButton(buttonKey);
    if (!button) return false;
    for (const ToolbarMenuItem& item : button->menu) {
        if (item.key == itemKey) {
            sinks_.Fire([&](ToolbarEvents& sink) { sink.MenuItemClick(itemKey); });
            return true;
        }
    }
    return false;
}

const ToolbarButton* HeadlessToolbar::Button(const std::string& key) const {
    if (key.empty()) return nullptr;
    for (const ToolbarButton& button : design_.buttons) {
        if (button.key == key) return &button;
    }
    return nullptr;
}

const ToolbarButton* HeadlessToolbar::EnabledButton(const std::string& key) const {
    const ToolbarButton* button = Button(key);
    if (!button || button->style == toolbar_style::kSeparator) return nullptr;
    return enabled_.at(key) ? button : nullptr;
}

}  // namespace brackwell::headless
