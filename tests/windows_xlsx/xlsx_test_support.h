#pragma once
// Shared by the .xlsx tests: a private temporary folder, raw file access,
// packages put together part by part (so a test can spell a part the way
// other programs do), and a workbook's content as one text to compare.

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "excel_standin/embedded/workbook_content.h"

namespace brackwell::win::xlsx::test {

// A new folder under the user's temporary folder whose name holds non-ASCII
// characters; removed with its files when the test ends.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    std::string Folder() const;  // UTF-8, without a separator at the end
    std::string Path(std::string_view fileName) const;

private:
    std::filesystem::path folder_;
};

void WriteBytes(const std::string& utf8Path, std::string_view bytes);
std::string ReadBytes(const std::string& utf8Path);

using Parts = std::vector<std::pair<std::string, std::string>>;

// The parts of a small valid workbook: two worksheets "Tabelle1" and
// "Tabelle2", package and workbook relationships, no content types.
Parts MinimalWorkbookParts();
std::string& PartText(Parts& parts, std::string_view name);
std::string MakePackage(const Parts& parts);

// Everything the host keeps of a workbook, a line per sheet and per name;
// a password read from a file shows as the hash behind it.
std::string Summary(const embedded::WorkbookContent& content);

// The LibreOffice-made file under data/, built into the test program.
std::string_view LibreOfficeSample();

}  // namespace brackwell::win::xlsx::test
