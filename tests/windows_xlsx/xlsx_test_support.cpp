#include "tests/windows_xlsx/xlsx_test_support.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/xlsx/zip_writer.h"

namespace brackwell::win::xlsx::test {

namespace {
constexpr std::string_view kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr std::string_view kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

std::string Worksheet() {
    return "<worksheet xmlns=\"" + std::string(kMainNs) + "\"><sheetData/></worksheet>";
}
}  // namespace

TempFolder::TempFolder() {
    wchar_t temp[MAX_PATH] = {};
    if (GetTempPathW(MAX_PATH, temp) == 0) throw std::runtime_error("no temp folder");
    static int counter = 0;
    folder_ = std::wstring(temp) + L"Prüfung 売上 " + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(++counter);
    if (!CreateDirectoryW(folder_.c_str(), nullptr)) throw std::runtime_error("cannot create temp folder");
}

TempFolder::~TempFolder() {
    for (const std::string& name : FileNames()) DeleteFileW(Utf8ToWide(Path(name)).c_str());
    RemoveDirectoryW(folder_.c_str());
}

std::string TempFolder::Folder() const { return WideToUtf8(folder_); }

std::string TempFolder::Path(std::string_view fileName) const { return Folder() + "\\" + std::string(fileName); }

std::vector<std::string> TempFolder::FileNames() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(WideToUtf8(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

void WriteBytes(const std::string& utf8Path, std::string_view bytes) {
    const HANDLE file = CreateFileW(Utf8ToWide(utf8Path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << utf8Path;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_TRUE(ok && written == bytes.size());
}

std::string ReadBytes(const std::string& utf8Path) {
    const HANDLE file = CreateFileW(Utf8ToWide(utf8Path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

Parts MinimalWorkbookParts() {
    return {
        {"_rels/.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" + std::string(kRelNs) + "/officeDocument\" Target=\"xl/workbook.xml\"/>"
         "</Relationships>"},
        {"xl/workbook.xml",
         "<workbook xmlns=\"" + std::string(kMainNs) + "\" xmlns:r=\"" + std::string(kRelNs) + "\"><sheets>"
         "<sheet name=\"Tabelle1\" sheetId=\"1\" r:id=\"rId1\"/><sheet name=\"Tabelle2\" sheetId=\"2\" r:id=\"rId2\"/>"
         "</sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" + std::string(kRelNs) + "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
         "<Relationship Id=\"rId2\" Type=\"" + std::string(kRelNs) + "/worksheet\" Target=\"worksheets/sheet2.xml\"/>"
         "</Relationships>"},
        {"xl/worksheets/sheet1.xml", Worksheet()},
        {"xl/worksheets/sheet2.xml", Worksheet()},
    };
}

std::string& PartText(Parts& parts, std::string_view name) {
    for (auto& [partName, text] : parts) {
        if (partName == name) return text;
    }
    throw std::logic_error("no such part");
}

void RemovePart(Parts& parts, std::string_view name) {
    std::erase_if(parts, [&](const auto& part) { return part.first == name; });
}

std::string MakePackage(const Parts& parts, bool stored) {
    ZipWriter zip;
    for (const auto& [name, text] : parts) zip.Add(name, text, stored ? ZipMethod::Stored : ZipMethod::Deflated);
    return zip.Finish();
}

}  // namespace brackwell::win::xlsx::test
