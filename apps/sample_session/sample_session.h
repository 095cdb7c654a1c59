#pragma once
// The sample session the console program and the demo host start with: a few
// workbooks with worksheets, a chart sheet, a hidden workbook, workbook- and
// sheet-level names (one broken), tab colours and protected sheets.

#include <string>
#include <vector>

#include "excel_standin/embedded/embedded_excel.h"

namespace brackwell::apps {

inline constexpr const char* kSampleDocuments = "C:\\Users\\Benutzer\\Dokumente";

// `documents`: the folder the saved sample workbooks live in; `archive`:
// where the closed ones on the recent-file list are (none: `documents`).
void LoadSampleSession(embedded::EmbeddedExcel& excel, const std::string& documents = kSampleDocuments,
                       const std::string& archive = {});

// A file of the session that is not open: last year's workbook, on the
// recent-file list. A host that keeps real files writes it where it is
// missing, so that the list's entry opens.
struct SampleFile {
    std::string path;
    embedded::WorkbookContent content;
};
std::vector<SampleFile> SampleClosedFiles(const std::string& archive = kSampleDocuments);

}  // namespace brackwell::apps
