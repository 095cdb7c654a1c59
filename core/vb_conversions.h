#pragma once
// Text conversions with the VB runtime's rules, used where the component turns
// stored or host-given text into numbers and Booleans.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brackwell {

// CBool of a text: "True"/"False" in any letter case, or a decimal number
// (0 is False, anything else True). Empty when the text is neither.
std::optional<bool> TextToBool(std::string_view text);

// CLng of a text: a decimal number, rounded half to even, within the 32-bit
// range. Empty when the text is no number or out of range.
std::optional<std::int32_t> TextToLong(std::string_view text);

// The leading number of a text the way Val reads it: blanks skipped, digits
// with an optional decimal point; 0 when the text does not start with one.
double LeadingNumber(std::string_view text);

// Rounds to the nearest whole number, halves to even (CLng's rule); values
// beyond the 64-bit range give its nearest end, NaN gives 0.
std::int64_t RoundHalfEven(double value);

// CStr of a Boolean: "True" or "False", whatever the locale.
std::string BoolToText(bool value);

}  // namespace brackwell
