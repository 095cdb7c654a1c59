#pragma once
// Upper and lower case of single letters by the Unicode character database's
// simple case mappings, the ones the Windows case mapping applies too: one
// letter always gives one letter, so ß stays ß and ǆ becomes Ǆ. Portable, for
// the headless platform's upper-casing and the stand-in host's folding of
// names that compare ignoring case.

#include <string>
#include <string_view>

namespace brackwell::shared {

char32_t UpperCaseLetter(char32_t cp);
char32_t LowerCaseLetter(char32_t cp);

// Every letter of a UTF-8 text in capitals; other characters, and bytes that
// are no valid UTF-8, stay as they are.
std::string UpperCaseText(std::string_view utf8);

}  // namespace brackwell::shared
