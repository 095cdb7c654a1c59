#pragma once
// The sample session the console program and the demo host start with: a few
// workbooks with worksheets, a chart sheet, a hidden workbook, workbook- and
// sheet-level names (one broken), tab colours and protected sheets.

#include <string>

#include "adapters/embedded/embedded_excel.h"

namespace brackwell::apps {

// `documents`: the folder the saved sample workbooks live in.
void LoadSampleSession(embedded::EmbeddedExcel& excel,
                       const std::string& documents = "C:\\Users\\Benutzer\\Dokumente");

}  // namespace brackwell::apps
