#pragma once
// A mistake in a test's script of the headless controls (pressing a node that
// is not on screen, choosing a menu item that is not there). Deliberately not
// an AutomationError: a control never raises it, so no handler of the
// component mistakes it for a failing control call.

#include <stdexcept>
#include <string>

namespace brackwell::headless {

class ScriptError : public std::logic_error {
public:
    explicit ScriptError(const std::string& what) : std::logic_error(what) {}
};

}  // namespace brackwell::headless
