#pragma once
// Text crosses the ports as UTF-8 and the Windows APIs as UTF-16; these two
// functions are the only place the two meet.

#include <string>
#include <string_view>

namespace brackwell::win {

// Invalid sequences become U+FFFD, so a damaged name still shows up as text.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

}  // namespace brackwell::win
