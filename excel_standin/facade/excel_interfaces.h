#pragma once
// The interfaces of the host's type library that facade objects say they
// are (IDispatch::GetTypeInfo): name and GUID (Excel 11 type library).

#include <windows.h>

namespace brackwell::win::excel {

struct Interface {
    const wchar_t* name;
    GUID guid;
};

// All share the suffix -0000-0000-C000-000000000046.
constexpr GUID ExcelGuid(unsigned long first) {
    return GUID{first, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
}

inline constexpr Interface kApplication{L"_Application", ExcelGuid(0x000208D5)};
inline constexpr Interface kWorkbooks{L"Workbooks", ExcelGuid(0x000208DB)};
inline constexpr Interface kWorkbook{L"_Workbook", ExcelGuid(0x000208DA)};
inline constexpr Interface kWindows{L"Windows", ExcelGuid(0x00020892)};
inline constexpr Interface kWindow{L"Window", ExcelGuid(0x00020893)};
inline constexpr Interface kSheets{L"Sheets", ExcelGuid(0x000208D7)};
inline constexpr Interface kWorksheet{L"_Worksheet", ExcelGuid(0x000208D8)};
inline constexpr Interface kTab{L"Tab", ExcelGuid(0x00024469)};
inline constexpr Interface kNames{L"Names", ExcelGuid(0x000208B8)};
inline constexpr Interface kName{L"Name", ExcelGuid(0x000208B9)};
inline constexpr Interface kRange{L"Range", ExcelGuid(0x00020846)};
inline constexpr Interface kRecentFiles{L"RecentFiles", ExcelGuid(0x00024406)};
inline constexpr Interface kRecentFile{L"RecentFile", ExcelGuid(0x00024407)};
inline constexpr Interface kDialogs{L"Dialogs", ExcelGuid(0x00020879)};
inline constexpr Interface kDialog{L"Dialog", ExcelGuid(0x0002087A)};

}  // namespace brackwell::win::excel
