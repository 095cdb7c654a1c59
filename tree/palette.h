#pragma once
#include <cstdint>

#include "host/color.h"

namespace brackwell {

// The host's default 56-colour palette: colour index 1..56 to a colour value;
// 0 (black) for any other index, the host's -4142 "no colour" included.
Color ColorIndexToRgb(std::int32_t Index);

}  // namespace brackwell
