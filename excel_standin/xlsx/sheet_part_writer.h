#pragma once
// The XML of the sheet parts of a saved workbook. Only what the host keeps
// is written: tab colour, protection, an empty grid. A chart sheet cannot
// stand alone (its part must point at a drawing), so it gets a drawing that
// holds one empty column chart.

#include <string>

#include "excel_standin/embedded/workbook_content.h"

namespace brackwell::win::xlsx {

std::string WorksheetXml(const embedded::SheetContent& sheet, bool tabSelected);
// Its drawing is relationship "rId1".
std::string ChartsheetXml(const embedded::SheetContent& sheet, bool tabSelected);
// Its chart is relationship "rId1".
std::string ChartDrawingXml();
std::string EmptyChartXml();

// The attributes of <sheetProtection> after the element name: the protect
// flags and the password as a hash. `chart` selects a chart sheet's flags.
std::string SheetProtectionAttributes(const embedded::SheetContent& sheet, bool chart);

}  // namespace brackwell::win::xlsx
