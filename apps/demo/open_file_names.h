#pragma once
// The answer of a multi-select open dialog (GetOpenFileNameW with
// OFN_ALLOWMULTISELECT | OFN_EXPLORER) as a list of full paths.

#include <string>
#include <string_view>
#include <vector>

namespace brackwell::demo {

// `buffer` holds zero-terminated strings ending with an empty one: one full
// path when one file was chosen, else the folder followed by the file names.
std::vector<std::wstring> SplitOpenFileNames(std::wstring_view buffer);

}  // namespace brackwell::demo
