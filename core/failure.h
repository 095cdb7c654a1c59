#pragma once
// The component's failure styles: skip a failing step and go on, or catch a
// failure to report it once. Nothing thrown inside ever reaches the host.

#include <exception>
#include <memory>
#include <utility>

#include "host/automation_error.h"

namespace brackwell {

// Any exception as the error a VB caller would see (an unexpected C++
// exception becomes "internal error", out of memory error 7).
AutomationError CurrentError() noexcept;

// Runs one step; a failure is ignored. Returns whether the step succeeded.
template <class Step>
bool IgnoreFailure(Step&& step) noexcept {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (...) {
        return false;
    }
}

// The object behind a reference; an empty reference fails as VB's Nothing
// does (error 91) instead of crashing.
template <class T>
T& Require(const std::shared_ptr<T>& reference) {
    if (!reference) Raise(err::kObjectNotSet);
    return *reference;
}

}  // namespace brackwell
