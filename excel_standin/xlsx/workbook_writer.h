#pragma once
// A workbook as a new .xlsx (or .xlsm) package that Excel and LibreOffice
// open: the sheets in tab order with visibility, tab colour and protection,
// the defined names with their scope, the first window's visibility, and a
// minimal style sheet. Cells are not part of the content, so every
// worksheet is empty and every chart sheet shows an empty chart.

#include <string>

#include "excel_standin/embedded/workbook_content.h"

namespace brackwell::win::xlsx {

enum class PackageKind { Workbook, MacroEnabledWorkbook };

// The archive's bytes. Throws FormatError for content no file can hold: no
// sheet at all, or a name scoped to a sheet the workbook does not have.
std::string WriteWorkbook(const embedded::WorkbookContent& content, PackageKind kind = PackageKind::Workbook);

}  // namespace brackwell::win::xlsx
