#include "core/vb_conversions.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace brackwell {
namespace {

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string_view TrimBlanks(std::string_view text) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A whole decimal number text: optional sign, digits, optional fraction,
// optional exponent, nothing else.
std::optional<double> ParseDecimal(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty()) return std::nullopt;
    std::size_t i = 0;
    if (text[i] == '+' || text[i] == '-') ++i;
    std::size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        std::size_t expDigits = 0;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j, ++expDigits;
        if (expDigits == 0) return std::nullopt;
        i = j;
    }
    if (i != text.size()) return std::nullopt;
    // strtod reads "." as the decimal point only in the C locale, which is the
    // one this program never leaves.
    return std::strtod(std::string(text).c_str(), nullptr);
}

}  // namespace

std::optional<bool> TextToBool(std::string_view text) {
    std::string_view trimmed = TrimBlanks(text);
    if (EqualsIgnoringAsciiCase(trimmed, "true")) return true;
    if (EqualsIgnoringAsciiCase(trimmed, "false")) return false;
    if (auto number = ParseDecimal(trimmed)) return *number != 0.0;
    return std::nullopt;
}

std::optional<std::int32_t> TextToLong(std::string_view text) {
    auto number = ParseDecimal(text);
    if (!number || !std::isfinite(*number)) return std::nullopt;
    if (*number < static_cast<double>(std::numeric_limits<std::int32_t>::min()) - 0.5 ||
        *number >= static_cast<double>(std::numeric_limits<std::int32_t>::max()) + 0.5)
        return std::nullopt;
    std::int64_t rounded = RoundHalfEven(*number);
    if (rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

double LeadingNumber(std::string_view text) {
    std::string digits;
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r')) ++i;
    };
    skipBlanks();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) digits += text[i++];
    bool point = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits += c;
        } else if (c == '.' && !point) {
            point = true;
            digits += c;
        } else if (c == ' ' || c == '\t') {
            continue;  // Val strips blanks inside a number too
        } else {
            break;
        }
    }
    if (digits.empty() || digits == "+" || digits == "-" || digits == "." ) return 0.0;
    return std::strtod(digits.c_str(), nullptr);
}

std::int64_t RoundHalfEven(double value) {
    // Beyond the 64-bit range (and for NaN) the cast below would be undefined.
    constexpr double kLimit = 9223372036854775807.0;  // 2^63
    if (std::isnan(value)) return 0;
    if (value >= kLimit) return std::numeric_limits<std::int64_t>::max();
    if (value < -kLimit) return std::numeric_limits<std::int64_t>::min();
    double floor = std::floor(value);
    double fraction = value - floor;
    auto whole = static_cast<std::int64_t>(floor);
    if (fraction > 0.5) return whole + 1;
    if (fraction < 0.5) return whole;
    return (whole % 2 == 0) ? whole : whole + 1;
}

std::string BoolToText(bool value) { return value ? "True" : "False"; }

}  // namespace brackwell
