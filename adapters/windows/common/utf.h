#pragma once
// Text crosses the ports as UTF-8 and the Windows APIs as UTF-16; these
// functions are the only place the two meet. Names in a workbook are mostly
// ASCII, which is widened and narrowed here without asking the system.

#include <string>
#include <string_view>

namespace brackwell::win {

// Invalid sequences become U+FFFD, so a damaged name still shows up as text.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// The same into a buffer the caller keeps, so a loop converting many texts
// allocates only when a text is longer than any before.
void Utf8ToWide(std::string_view utf8, std::wstring& into);
void WideToUtf8(std::wstring_view wide, std::string& into);

// How many UTF-16 units `utf8` widens to, and the widening itself into
// exactly that many units at `out` (a BSTR the caller allocated, say).
std::size_t WideLength(std::string_view utf8);
void WidenInto(std::string_view utf8, wchar_t* out, std::size_t length);

}  // namespace brackwell::win
