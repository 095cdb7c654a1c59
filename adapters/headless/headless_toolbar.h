#pragma once
// A button bar drawn from its stored design, without a screen: a test clicks
// its buttons and chooses items of its drop-down menus as a user would, and
// reads back the look the component set.

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "adapters/shared/sink_list.h"
#include "host/toolbar.h"

namespace brackwell::headless {

class HeadlessToolbar final : public Toolbar {
public:
    explicit HeadlessToolbar(ToolbarDesign design);

    // Toolbar
    void SetVisualStyle(std::int32_t style) override { visualStyle_ = style; }
    std::int32_t VisualStyle() override { return visualStyle_; }
    // An unknown key (separators have none) fails with 35601.
    void SetButtonEnabled(const std::string& key, bool enabled) override;
    bool ButtonEnabled(const std::string& key) override;
    void SetButtonFontName(const std::string& face) override { buttonFont_.face = face; }
    void SetButtonFontSize(double size) override { buttonFont_.size = size; }
    void SetMenuFontName(const std::string& face) override { menuFont_.face = face; }
    void SetMenuFontSize(double size) override { menuFont_.size = size; }
    std::int32_t Height() override { return design_.look.height; }
    std::unique_ptr<EventConnection> Advise(ToolbarEvents& sink) override;

    // Scripting. A click reaches the handlers only on an enabled button that
    // exists and is no separator; a menu item only on such a button's menu.
    // Each returns whether the event was raised.
    bool Click(const std::string& key);
    bool ChooseMenuItem(const std::string& buttonKey, const std::string& itemKey);

    // Inspection.
    const ToolbarDesign& Design() const { return design_; }
    const ToolbarButton* Button(const std::string& key) const;  // null when none
    const ToolbarFont& ButtonFont() const { return buttonFont_; }
    const ToolbarFont& MenuFont() const { return menuFont_; }
    std::size_t SinkCount() const { return sinks_.Count(); }

private:
    const ToolbarButton* EnabledButton(const std::string& key) const;

    ToolbarDesign design_;
    std::map<std::string, bool> enabled_;  // by button key; every button starts enabled
    std::int32_t visualStyle_ = 0;         // the control's own until the component sets one
    ToolbarFont buttonFont_;
    ToolbarFont menuFont_;
    shared::SinkList<ToolbarEvents> sinks_;
};

}  // namespace brackwell::headless
