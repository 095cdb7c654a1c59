#pragma once
// Shared by the .xlsx tests: a private temporary folder, raw file access, and
// packages put together part by part (so a test can leave a part out or
// break it on purpose).

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "adapters/embedded/workbook_content.h"

namespace brackwell::win::xlsx::test {

// A new folder under the user's temporary folder whose name holds non-ASCII
// characters; removed with its files when the test ends.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    // The folder's full UTF-8 path, without a separator at the end.
    std::string Folder() const;
    // The full UTF-8 path of `fileName` inside the folder.
    std::string Path(std::string_view fileName) const;
    // The names of the files now in the folder.
    std::vector<std::string> FileNames() const;

private:
    std::wstring folder_;
};

void WriteBytes(const std::string& utf8Path, std::string_view bytes);
std::string ReadBytes(const std::string& utf8Path);

using Parts = std::vector<std::pair<std::string, std::string>>;

// The parts of a small valid workbook: two worksheets "Tabelle1" and
// "Tabelle2", package and workbook relationships, no content types.
Parts MinimalWorkbookParts();
std::string& PartText(Parts& parts, std::string_view name);
void RemovePart(Parts& parts, std::string_view name);
// Every part deflated, or every part stored (so a test can change bytes in place).
std::string MakePackage(const Parts& parts, bool stored = false);

// The message of the exception `action` throws as `Error`; fails the test
// and returns "" when it throws nothing.
template <class Error>
std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    ADD_FAILURE() << "no exception";
    return {};
}

// The LibreOffice-made file under data/, built into the test program.
std::string_view LibreOfficeSample();

}  // namespace brackwell::win::xlsx::test
