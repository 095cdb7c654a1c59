#pragma once
// One control of a headless dialog: its design and the properties the
// dialog's logic and the user change, in memory. Selecting an option button
// clears the others of its group, which the dialog wires up.

#include <cstdint>
#include <functional>
#include <string>

#include "host/dialog_form.h"

namespace brackwell::headless {

class HeadlessFormControl final : public FormControl {
public:
    // `background`: the colour the control shows when its design has none
    // (its container's).
    HeadlessFormControl(const ControlDesign& design, Color background);

    // FormControl
    std::string Caption() override;
    void SetCaption(const std::string& caption) override;
    std::string Text() override;
    void SetText(const std::string& text) override;
    Color BackColor() override { return backColor_; }
    void SetBackColor(Color color) override { backColor_ = color; }
    std::int32_t BorderStyle() override;
    void SetBorderStyle(std::int32_t style) override;
    std::int32_t Value() override;
    void SetValue(std::int32_t value) override;

    const ControlDesign& Design() const { return design_; }
    // Called when an option button becomes selected (by the logic or the user).
    void SetOnSelected(std::function<void(HeadlessFormControl&)> callback) { onSelected_ = std::move(callback); }
    // Deselects without telling the group (the group clearing its members).
    void Deselect() { value_ = 0; }

private:
    bool HasCaption() const;
    bool HasValue() const;
    bool HasBorder() const;

    ControlDesign design_;
    std::string caption_;
    std::string text_;
    Color backColor_;
    std::int32_t borderStyle_;
    std::int32_t value_ = 0;
    std::function<void(HeadlessFormControl&)> onSelected_;
};

}  // namespace brackwell::headless
