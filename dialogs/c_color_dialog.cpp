#include "dialogs/c_color_dialog.h"

#include "host/automation_error.h"

namespace brackwell {
namespace {

constexpr std::int32_t kCustomSlots = 16;

constexpr Color Grey(std::uint32_t level) { return level | (level << 8) | (level << 16); }

}  // namespace

cColorDialog::cColorDialog(UserInterface& ui) : ui_(ui) {
    for (std::int32_t k = 0; k < kCustomSlots; ++k)
        customColors_[static_cast<std::size_t>(k)] = Grey(15u * static_cast<std::uint32_t>(k + 1));
}

Color cColorDialog::Execute(std::optional<WindowHandle> host) {
    const auto flags = static_cast<std::uint32_t>(flags_);
    ColorChoice choice;
    choice.owner = host.value_or(0);
    choice.rgbResult = (flags & cc::kRgbInit) ? initColor_ : 0;
    choice.customColors = &customColors_;
    choice.flags = flags | cc::kAnyColor;
    return ui_.ChooseColorDialog(choice) ? choice.rgbResult : 0;
}

Color cColorDialog::CustomColor(std::int32_t Index) const {
    if (Index < 0 || Index >= kCustomSlots) Raise(err::kSubscriptOutOfRange);
    return customColors_[static_cast<std::size_t>(Index)];
}

void cColorDialog::SetCustomColor(std::int32_t Index, Color vNewValue) {
    if (Index < 0 || Index >= kCustomSlots) Raise(err::kSubscriptOutOfRange);
    customColors_[static_cast<std::size_t>(Index)] = vNewValue;
}

}  // namespace brackwell
