#pragma once
// Whether Excel runs, as far as the installation is concerned: an EXCEL.EXE
// in this session (on a terminal server the other users' Excel does not
// count: it holds none of this user's files), or any program that holds one
// of the installed files open so that it cannot be written, as Excel holds
// the add-in workbook and the DLLs it loaded.

#include <string>
#include <vector>

namespace brackwell::package {

bool ExcelRunsInThisSession();

// The first of `files` another program holds open, or an empty text.
std::wstring HeldOpen(const std::vector<std::wstring>& files);

}  // namespace brackwell::package
