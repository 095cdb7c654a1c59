#pragma once
#include <cstdint>

namespace brackwell {

// A window as the component passes it around: the platform's handle value,
// 0 for none. Kept an integer so no platform header reaches the core.
using WindowHandle = std::intptr_t;

}  // namespace brackwell
