#pragma once
// An .xlsx or .xlsm package as the host sees a workbook: its sheets in tab
// order with kind, visibility, tab colour and protection, its defined names,
// and whether its first window is hidden.
//
// The workbook part is found through the package relationships (falling back
// to xl/workbook.xml); [Content_Types].xml is not needed. Built-in names
// (_xlnm.Print_Area and the like) and hidden names come with the others, as
// Excel's Names collection holds them.

#include "excel_standin/embedded/workbook_content.h"
#include "excel_standin/xlsx/zip_reader.h"

namespace brackwell::win::xlsx {

// Throws FormatError when the package is not a workbook or is damaged.
embedded::WorkbookContent ReadWorkbook(const ZipReader& zip);

}  // namespace brackwell::win::xlsx
