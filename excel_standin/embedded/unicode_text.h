#pragma once
// UTF-8 helpers for the names Excel compares: sheet names, workbook names and
// defined names are unique "ignoring case", and Excel counts their length in
// UTF-16 units. Folding lowers every letter that has a simple lower case
// (adapters/shared/unicode_case.h); every other character compares exactly.

#include <cstddef>
#include <string>
#include <string_view>

namespace brackwell::embedded {

// Decodes one code point at `pos` and advances it. A malformed byte decodes to
// a private value (0xDC00 + byte) so that broken text still compares exactly.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos);

bool IsValidUtf8(std::string_view text);
// Length as Excel counts it: UTF-16 code units.
std::size_t Utf16Length(std::string_view text);
// The longest prefix of `text` that is at most `units` UTF-16 units long,
// never cutting a character.
std::string Utf16Prefix(std::string_view text, std::size_t units);

char32_t FoldCase(char32_t cp);
// The case-folded form of `text`, for keys and comparisons.
std::string FoldedKey(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
// "Letter" in the sense of Excel's name rules: ASCII letters and every
// character from U+00C0 on, except the two Latin-1 operators × and ÷.
bool IsNameLetter(char32_t cp);

}  // namespace brackwell::embedded
