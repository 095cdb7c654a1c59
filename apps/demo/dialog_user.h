#pragma once
// The person at the demo's screen answering the embedded host's questions
// with Windows' own dialogs: the open and save-as dialogs, a message box for
// unsaved changes and for deleting a sheet, and an input box for a password.

#include <windows.h>

#include <memory>
#include <string>

#include "excel_standin/embedded/host_user_interface.h"
#include "adapters/windows/common/utf.h"
#include "excel_standin/xlsx/xlsx_workbook_files.h"

namespace brackwell::demo {

class DialogUser final : public embedded::HostUserInterface {
public:
    // `files`: the file store that is told when the user agreed to replace a file.
    DialogUser(HINSTANCE instance, std::shared_ptr<win::xlsx::XlsxWorkbookFiles> files);

    // The window the dialogs belong to (none before the main window exists).
    void SetOwner(HWND owner) { owner_ = owner; }
    HWND Owner() const noexcept { return owner_; }
    // Where the open and save-as dialogs start: the host's folder for
    // workbooks (none: wherever the program was started).
    void SetStartFolder(const std::string& folder) { startFolder_ = win::Utf8ToWide(folder); }

    FileChoice AskOpenFile() override;
    std::optional<std::string> AskSaveAs(const std::string& workbook) override;
    embedded::CloseAnswer AskSaveChanges(const std::string& workbook) override;
    bool AskDeleteSheet(const std::string& workbook, const std::string& sheet) override;
    std::optional<std::string> AskPassword(const std::string& workbook, const std::string& sheet) override;

private:
    HINSTANCE instance_;
    HWND owner_ = nullptr;
    std::wstring startFolder_;
    std::shared_ptr<win::xlsx::XlsxWorkbookFiles> files_;
};

// The title of the demo's message boxes.
inline constexpr wchar_t kDemoTitle[] = L"Brackwell Demo";

}  // namespace brackwell::demo
