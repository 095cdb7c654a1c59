#pragma once
// Capitals by the system's case mapping (LCMapStringEx in the user's
// locale), one UTF-16 unit for one: ß stays ß, and a dotless ı stays a
// letter of its own. Everything that compares the user's text ignoring
// case on Windows goes through here, so it agrees with the system.

#include <optional>
#include <string>
#include <string_view>

namespace brackwell::win {

// Empty when the system refuses to map the text.
std::optional<std::string> SystemUpperCase(std::string_view utf8);

}  // namespace brackwell::win
