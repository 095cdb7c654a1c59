#include "excel_standin/embedded/command_bar_ports.h"

#include "excel_standin/embedded/host_core.h"
#include "host/automation_error.h"

namespace brackwell::embedded {

CommandBarPtr CommandBarsObject::Add(const std::string& name, std::int32_t position, bool menuBar,
                                     bool temporary) {
    auto bar = Enter("CommandBars.Add")->Bars().Add(name, position, menuBar, temporary);
    return std::make_shared<CommandBarObject>(host_, std::move(bar));
}

void CommandBarObject::SetVisible(bool visible) {
    Enter("CommandBar.SetVisible");
    bar_->visible = visible;
}

void CommandBarObject::SetProtection(std::int32_t protection) {
    Enter("CommandBar.SetProtection");
    // msoBarProtection flags: 1, 2, 4, 8, 16, 32, 64 in any combination.
    if (protection < 0 || protection > 127) Raise(err::kInvalidCall);
    bar_->protection = protection;
}

CommandBarControlsPtr CommandBarObject::Controls() {
    Enter("CommandBar.Controls");
    return std::make_shared<CommandBarControlsObject>(host_, bar_);
}

void CommandBarObject::Delete() {
    Enter("CommandBar.Delete");
    bar_->deleted = true;
    bar_->visible = false;
}

CommandBarButtonPtr CommandBarControlsObject::Add(std::int32_t type) {
    Enter("CommandBarControls.Add");
    // Only plain buttons are modelled; the other msoControlType values the
    // navigator never asks for are refused like an unknown type.
    if (type != 1) Raise(err::kInvalidCall);
    bar_->buttons.emplace_back();
    return std::make_shared<CommandBarButtonObject>(host_, bar_, bar_->buttons.size() - 1);
}

void CommandBarButtonObject::SetCaption(const std::string& caption) {
    Enter("CommandBarButton.SetCaption");
    Button().caption = caption;
}

void CommandBarButtonObject::SetStyle(std::int32_t style) {
    Enter("CommandBarButton.SetStyle");
    Button().style = style;
}

void CommandBarButtonObject::SetTooltipText(const std::string& text) {
    Enter("CommandBarButton.SetTooltipText");
    Button().tooltip = text;
}

void CommandBarButtonObject::SetFaceId(std::int32_t faceId) {
    Enter("CommandBarButton.SetFaceId");
    Button().faceId = faceId;
}

void CommandBarButtonObject::SetEnabled(bool enabled) {
    Enter("CommandBarButton.SetEnabled");
    Button().enabled = enabled;
}

void CommandBarButtonObject::SetHeight(std::int32_t height) {
    Enter("CommandBarButton.SetHeight");
    Button().height = height;
}

void CommandBarButtonObject::SetWidth(std::int32_t width) {
    Enter("CommandBarButton.SetWidth");
    Button().width = width;
}

void CommandBarButtonObject::SetOnAction(const std::string& macro) {
    Enter("CommandBarButton.SetOnAction");
    Button().onAction = macro;
}

}  // namespace brackwell::embedded
