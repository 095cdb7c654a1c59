#pragma once
#include <cstdint>

namespace brackwell {

// A Windows colour value, 0x00BBGGRR (red in the lowest byte). Values with
// the top bit set name a system colour, as OLE_COLOR does.
using Color = std::uint32_t;

inline constexpr Color kSystemWindowText = 0x80000008;  // a control's default text colour

}  // namespace brackwell
