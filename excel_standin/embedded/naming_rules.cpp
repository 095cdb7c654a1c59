#include "excel_standin/embedded/naming_rules.h"

#include <charconv>

#include "excel_standin/embedded/unicode_text.h"

namespace brackwell::embedded {

namespace {

bool IsDigit(char32_t cp) { return cp >= U'0' && cp <= U'9'; }

// The stem and number of "Stem (n)"; number 0 when there is no such suffix.
std::pair<std::string_view, int> SplitCopySuffix(std::string_view name) {
    if (name.size() < 4 || name.back() != ')') return {name, 0};
    const std::size_t open = name.rfind(" (");
    if (open == std::string_view::npos || open == 0) return {name, 0};
    const std::string_view digits = name.substr(open + 2, name.size() - open - 3);
    int number = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || number < 2) {
        return {name, 0};
    }
    return {name.substr(0, open), number};
}

}  // namespace

bool IsValidSheetName(std::string_view name) {
    if (name.empty() || !IsValidUtf8(name)) return false;
    if (Utf16Length(name) > kMaxSheetNameLength) return false;
    if (name.front() == '\'' || name.back() == '\'') return false;
    for (std::size_t pos = 0; pos < name.size();) {
        const char32_t cp = DecodeUtf8(name, pos);
        if (cp < 0x20) return false;
        switch (cp) {
        case U':': case U'\\': case U'/': case U'?': case U'*': case U'[': case U']':
            return false;
        default:
            break;
        }
    }
    return true;
}

bool IsValidDefinedName(std::string_view name, GridLimits grid) {
    if (name.empty() || !IsValidUtf8(name) || Utf16Length(name) > kMaxDefinedNameLength) return false;
    std::size_t pos = 0;
    const char32_t first = DecodeUtf8(name, pos);
    if (!IsNameLetter(first) && first != U'_' && first != U'\\') return false;
    while (pos < name.size()) {
        const char32_t cp = DecodeUtf8(name, pos);
        if (!IsNameLetter(cp) && !IsDigit(cp) && cp != U'_' && cp != U'.') return false;
    }
    return !LooksLikeCellReference(name, grid);
}

std::string CopyName(std::string_view name, const NameTaken& taken) {
    auto [stem, number] = SplitCopySuffix(name);
    for (int n = number < 2 ? 2 : number + 1;; ++n) {
        const std::string suffix = " (" + std::to_string(n) + ")";
        const std::string candidate =
            Utf16Prefix(stem, kMaxSheetNameLength - suffix.size()) + suffix;
        if (!taken(candidate)) return candidate;
    }
}

std::string NextNumberedName(std::string_view base, int& after, const NameTaken& taken) {
    while (true) {
        ++after;
        std::string candidate = std::string(base) + std::to_string(after);
        if (!taken(candidate)) return candidate;
    }
}

int NumberAfterBase(std::string_view name, std::string_view base) {
    if (name.size() <= base.size() || !EqualsIgnoreCase(name.substr(0, base.size()), base)) return 0;
    const std::string_view digits = name.substr(base.size());
    if (digits.front() == '0') return 0;
    int number = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size()) return 0;
    return number;
}

}  // namespace brackwell::embedded
