#pragma once
// The colour scheme of a workbook's theme part, for tab colours given as
// theme="n".

#include <string_view>

#include "excel_standin/xlsx/tab_color.h"
#include "excel_standin/xlsx/zip_reader.h"

namespace brackwell::win::xlsx {

// Colours the part does not name keep their default.
ThemeColors ReadThemeColors(const ZipReader& zip, std::string_view themePart);

}  // namespace brackwell::win::xlsx
