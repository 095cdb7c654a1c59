#include "excel_standin/xlsx/xlsx_workbook_files.h"

#include <windows.h>

#include <new>

#include "adapters/windows/common/utf.h"
#include "excel_standin/xlsx/format_error.h"
#include "excel_standin/xlsx/windows_file.h"
#include "excel_standin/xlsx/workbook_reader.h"
#include "excel_standin/xlsx/workbook_writer.h"
#include "excel_standin/xlsx/zip_reader.h"

namespace brackwell::win::xlsx {

namespace {

// The reason of the exception in flight, as a sentence.
std::string CurrentReason() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return "Nicht genügend Arbeitsspeicher.";
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "Unbekannter Fehler.";
    }
}

std::wstring LowerExtension(const std::wstring& path) {
    const std::size_t dot = path.find_last_of(L'.');
    const std::size_t slash = path.find_last_of(L"\\/");
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return {};
    std::wstring extension = path.substr(dot);
    for (wchar_t& c : extension) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return extension;
}

// Upper case as the file system compares names (the invariant mapping).
std::wstring UpperCase(const std::wstring& text) {
    if (text.empty()) return text;
    const int length = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.c_str(),
                                     static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr, 0);
    if (length <= 0) return text;
    std::wstring upper(static_cast<std::size_t>(length), L'\0');
    LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.c_str(), static_cast<int>(text.size()), upper.data(),
                  length, nullptr, nullptr, 0);
    return upper;
}

PackageKind KindForExtension(const std::string& path) {
    const std::wstring extension = LowerExtension(Utf8ToWide(path));
    if (extension == L".xlsx") return PackageKind::Workbook;
    if (extension == L".xlsm") return PackageKind::MacroEnabledWorkbook;
    throw FormatError(extension.empty()
                          ? std::string("Der Dateiname hat keine Endung; gespeichert wird als .xlsx oder .xlsm.")
                          : "Das Dateiformat '" + WideToUtf8(extension) +
                                "' wird nicht unterstützt; gespeichert wird als .xlsx oder .xlsm.");
}

}  // namespace

std::wstring XlsxWorkbookFiles::Key(const std::string& path) {
    return UpperCase(FullPathOf(Utf8ToWide(path)));
}

bool XlsxWorkbookFiles::Exists(const std::string& path) { return IsExistingFile(Utf8ToWide(path)); }

embedded::LoadedWorkbook XlsxWorkbookFiles::Load(const std::string& path) {
    try {
        const ZipReader zip(ReadWholeFile(Utf8ToWide(path)));
        embedded::LoadedWorkbook loaded{ReadWorkbook(zip), true};
        // A file once opened is never written over, even one this store wrote.
        replaceable_.erase(Key(path));
        return loaded;
    } catch (...) {
        throw embedded::WorkbookFileError("Die Datei '" + path + "' konnte nicht gelesen werden: " + CurrentReason());
    }
}

void XlsxWorkbookFiles::Save(const std::string& path, const embedded::WorkbookContent& content) {
    try {
        const std::wstring key = Key(path);
        const std::string bytes = WriteWorkbook(content, KindForExtension(path));
        WriteWholeFile(Utf8ToWide(path), bytes, replaceable_.count(key) != 0);
        replaceable_.insert(key);
    } catch (...) {
        throw embedded::WorkbookFileError("Die Datei '" + path + "' konnte nicht gespeichert werden: " +
                                          CurrentReason());
    }
}

void XlsxWorkbookFiles::PermitReplacing(const std::string& path) { replaceable_.insert(Key(path)); }

}  // namespace brackwell::win::xlsx
