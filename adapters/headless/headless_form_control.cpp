#include "adapters/headless/headless_form_control.h"

namespace brackwell::headless {

HeadlessFormControl::HeadlessFormControl(const ControlDesign& design, Color background)
    : design_(design),
      caption_(design.caption),
      text_(design.kind == ControlKind::TextBox ? design.caption : std::string()),
      backColor_(design.backColor.value_or(background)),
      borderStyle_(design.borderStyle) {}

bool HeadlessFormControl::HasCaption() const {
    return design_.kind == ControlKind::Label || design_.kind == ControlKind::OptionButton ||
           design_.kind == ControlKind::CheckBox;
}

bool HeadlessFormControl::HasValue() const {
    return design_.kind == ControlKind::OptionButton || design_.kind == ControlKind::CheckBox;
}

bool HeadlessFormControl::HasBorder() const {
    return design_.kind == ControlKind::ColorBox || design_.kind == ControlKind::TextBox ||
           design_.kind == ControlKind::Picture || design_.kind == ControlKind::Container;
}

std::string HeadlessFormControl::Caption() { return HasCaption() ? caption_ : std::string(); }

void HeadlessFormControl::SetCaption(const std::string& caption) {
    if (HasCaption()) caption_ = caption;
}

std::string HeadlessFormControl::Text() { return design_.kind == ControlKind::TextBox ? text_ : std::string(); }

void HeadlessFormControl::SetText(const std::string& text) {
    if (design_.kind == ControlKind::TextBox) text_ = text;
}

std::int32_t HeadlessFormControl::BorderStyle() { return HasBorder() ? borderStyle_ : 0; }

void HeadlessFormControl::SetBorderStyle(std::int32_t style) {
    if (HasBorder()) borderStyle_ = style;
}

std::int32_t HeadlessFormControl::Value() { return HasValue() ? value_ : 0; }

void HeadlessFormControl::SetValue(std::int32_t value) {
    if (!HasValue()) return;
    value_ = value != 0 ? 1 : 0;
    if (value_ && design_.kind == ControlKind::OptionButton && onSelected_) onSelected_(*this);
}

}  // namespace brackwell::headless
