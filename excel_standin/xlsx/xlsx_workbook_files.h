#pragma once
// The embedded host's workbooks as real .xlsx/.xlsm files on disk, for the
// demo (EmbeddedExcel::SetFiles). Paths are UTF-8.
//
// Load reads a file and hands it out read-only: the host then refuses to
// save over it, and Save As must choose a new name. Save writes a new file
// and refuses to replace an existing one, except one this store wrote itself
// (a workbook saved once and then saved again in place) or one the caller
// has cleared with PermitReplacing after asking the user. Failures throw
// embedded::WorkbookFileError with a German text that names the file.

#include <set>
#include <string>

#include "excel_standin/embedded/workbook_files.h"

namespace brackwell::win::xlsx {

class XlsxWorkbookFiles final : public embedded::WorkbookFiles {
public:
    bool Exists(const std::string& path) override;
    embedded::LoadedWorkbook Load(const std::string& path) override;
    // Takes the format from the extension: .xlsx, or .xlsm with the
    // macro-enabled content type. Any other extension is refused.
    void Save(const std::string& path, const embedded::WorkbookContent& content) override;

    // The user agreed to replace `path`: Save may write over it.
    void PermitReplacing(const std::string& path);

private:
    static std::wstring Key(const std::string& path);

    std::set<std::wstring> replaceable_;
};

}  // namespace brackwell::win::xlsx
