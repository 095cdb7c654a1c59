#pragma once
// cColorDialog: the system colour chooser for one use, with its sixteen
// custom colour slots (greys from RGB(15,15,15) to RGB(240,240,240)), flags
// and initial colour.

#include <array>
#include <cstdint>
#include <optional>

#include "host/color.h"
#include "host/platform.h"

namespace brackwell {

class cColorDialog {
public:
    explicit cColorDialog(UserInterface& ui);

    // Runs the chooser modally, owned by `host` (none when empty). The chosen
    // colour, or 0 when the user cancelled.
    Color Execute(std::optional<WindowHandle> host = std::nullopt);

    std::int32_t ColorFlags() const { return flags_; }
    void SetColorFlags(std::int32_t NewFlags) { flags_ = NewFlags; }
    // Index 0..15; any other fails with error 9 and changes nothing.
    Color CustomColor(std::int32_t Index) const;
    void SetCustomColor(std::int32_t Index, Color vNewValue);
    Color InitColor() const { return initColor_; }
    void SetInitColor(Color NewColor) { initColor_ = NewColor; }

private:
    UserInterface& ui_;
    std::array<Color, 16> customColors_;
    std::int32_t flags_ = 0;
    Color initColor_ = 0;
};

}  // namespace brackwell
