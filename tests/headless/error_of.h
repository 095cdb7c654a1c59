#pragma once
// What a failed call raised, as a VB caller reads it from Err: shared by the
// headless and the embedded host's tests.

#include <cstdint>
#include <functional>
#include <string>

#include "host/automation_error.h"

namespace brackwell::test_support {

// The error number a call raises, 0 when it succeeds.
inline std::int32_t ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const AutomationError& e) {
        return e.Number();
    }
    return 0;
}

// The error description a call raises, "" when it succeeds.
inline std::string DescriptionOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const AutomationError& e) {
        return e.Description();
    }
    return {};
}

}  // namespace brackwell::test_support
