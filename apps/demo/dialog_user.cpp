#include "apps/demo/dialog_user.h"

#include <commdlg.h>

#include <vector>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/ui/input_box.h"
#include "apps/demo/open_file_names.h"

namespace brackwell::demo {
namespace {

using win::Utf8ToWide;
using win::WideToUtf8;

// Room for many chosen files at once.
constexpr DWORD kOpenBufferChars = 32 * 1024;

// The name the save-as dialog proposes: the workbook's, always as .xlsx.
std::wstring ProposedFileName(const std::string& workbook) {
    std::wstring name = Utf8ToWide(workbook);
    const std::size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.erase(dot);
    return name + L".xlsx";
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

DialogUser::DialogUser(HINSTANCE instance, std::shared_ptr<win::xlsx::XlsxWorkbookFiles> files)
    : instance_(instance), files_(std::move(files)) {}

FileChoice DialogUser::AskOpenFile() {
    std::vector<wchar_t> buffer(kOpenBufferChars, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = L"Excel-Arbeitsmappen (*.xlsx;*.xlsm)\0*.xlsx;*.xlsm\0";
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = kOpenBufferChars;
    dialog.lpstrTitle = L"Öffnen";
    dialog.lpstrInitialDir = startFolder_.empty() ? nullptr : startFolder_.c_str();
    dialog.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!::GetOpenFileNameW(&dialog)) return false;  // cancelled (or the buffer was too small)

    std::vector<std::string> paths;
    for (const std::wstring& path : SplitOpenFileNames({buffer.data(), buffer.size()})) {
        paths.push_back(WideToUtf8(path));
    }
    if (paths.empty()) return false;
    return paths;
}

std::optional<std::string> DialogUser::AskSaveAs(const std::string& workbook) {
    std::vector<wchar_t> buffer(MAX_PATH * 4, L'\0');
    const std::wstring proposed = ProposedFileName(workbook);
    proposed.copy(buffer.data(), buffer.size() - 1);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = L"Excel-Arbeitsmappe (*.xlsx)\0*.xlsx\0";
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.lpstrDefExt = L"xlsx";
    dialog.lpstrTitle = L"Speichern unter";
    dialog.lpstrInitialDir = startFolder_.empty() ? nullptr : startFolder_.c_str();
    // Windows asks before an existing file is replaced; nothing else does.
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN | OFN_EXPLORER | OFN_HIDEREADONLY;
    if (!::GetSaveFileNameW(&dialog)) return std::nullopt;

    const std::wstring chosen = buffer.data();
    // The user has just said yes to Windows' overwrite question.
    if (FileExists(chosen)) files_->PermitReplacing(WideToUtf8(chosen));
    return WideToUtf8(chosen);
}

embedded::CloseAnswer DialogUser::AskSaveChanges(const std::string& workbook) {
    const std::wstring prompt = L"Möchten Sie die Änderungen in '" + Utf8ToWide(workbook) + L"' speichern?";
    switch (::MessageBoxW(owner_, prompt.c_str(), kDemoTitle, MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES: return embedded::CloseAnswer::Yes;
    case IDNO: return embedded::CloseAnswer::No;
    default: return embedded::CloseAnswer::Cancel;
    }
}

bool DialogUser::AskDeleteSheet(const std::string& workbook, const std::string& sheet) {
    const std::wstring prompt = L"Das Blatt '" + Utf8ToWide(sheet) + L"' in '" + Utf8ToWide(workbook) +
                                L"' wird endgültig gelöscht. Möchten Sie fortfahren?";
    return ::MessageBoxW(owner_, prompt.c_str(), kDemoTitle, MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

std::optional<std::string> DialogUser::AskPassword(const std::string&, const std::string& sheet) {
    const auto typed = win::ShowInputBox(instance_, owner_, L"Kennwort für '" + Utf8ToWide(sheet) + L"':",
                                         L"Blattschutz aufheben", L"");
    if (!typed) return std::nullopt;
    return WideToUtf8(*typed);
}

}  // namespace brackwell::demo
