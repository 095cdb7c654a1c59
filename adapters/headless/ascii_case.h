#pragma once
// Text comparison that ignores the case of ASCII letters only, as window
// class names and the Windows registry's key and value names compare for the
// texts the component uses. Other UTF-8 bytes compare exactly.

#include <string>
#include <string_view>

namespace brackwell::headless {

inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string FoldAscii(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) c = AsciiLower(c);
    return folded;
}

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

}  // namespace brackwell::headless
