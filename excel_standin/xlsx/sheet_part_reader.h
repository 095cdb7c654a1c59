#pragma once
// What a worksheet or chart sheet part says about its tab: the tab colour
// (<sheetPr><tabColor/>) and the protection (<sheetProtection/>).

#include <string_view>

#include "excel_standin/embedded/workbook_content.h"
#include "excel_standin/xlsx/tab_color.h"
#include "excel_standin/xlsx/zip_reader.h"

namespace brackwell::win::xlsx {

// Fills tabColorIndex, protectedContents and password of `sheet`.
void ReadSheetPart(const ZipReader& zip, std::string_view partName, const ThemeColors& theme,
                   embedded::SheetContent& sheet);

// "1" and "true" are true, as xsd:boolean says.
bool IsXmlTrue(const std::optional<std::string>& value);

}  // namespace brackwell::win::xlsx
