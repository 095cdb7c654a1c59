#pragma once
#include <cstdint>

#include "host/automation_error.h"
#include "host/platform.h"

namespace brackwell {

// The standard error box: number, description and the line of the failing
// step, title "Fehler", OK only.
void ShowErrorBox(UserInterface& ui, const AutomationError& error, std::int32_t line);

}  // namespace brackwell
