#include "tests/windows_xlsx/xlsx_test_support.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "adapters/windows/common/utf.h"
#include "excel_standin/xlsx/sheet_password.h"
#include "excel_standin/xlsx/zip_writer.h"

namespace brackwell::win::xlsx::test {
namespace fs = std::filesystem;

namespace {
const std::string kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const std::string kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const std::string kPackageRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";

fs::path WidePath(const std::string& utf8Path) { return fs::path(Utf8ToWide(utf8Path)); }
}  // namespace

TempFolder::TempFolder() {
    static int counter = 0;
    folder_ = fs::temp_directory_path() / (L"Pr\u00FCfung \u58F2\u4E0A " + std::to_wstring(::GetCurrentProcessId()) +
                                           L"-" + std::to_wstring(++counter));
    if (!fs::create_directory(folder_)) throw std::runtime_error("cannot create temp folder");
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

std::string TempFolder::Folder() const { return WideToUtf8(folder_.wstring()); }

std::string TempFolder::Path(std::string_view fileName) const { return Folder() + "\\" + std::string(fileName); }

void WriteBytes(const std::string& utf8Path, std::string_view bytes) {
    std::ofstream file(WidePath(utf8Path), std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(file.good()) << utf8Path;
}

std::string ReadBytes(const std::string& utf8Path) {
    std::ifstream file(WidePath(utf8Path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

Parts MinimalWorkbookParts() {
    const std::string worksheet = "<worksheet xmlns=\"" + kMainNs + "\"><sheetData/></worksheet>";
    return {
        {"_rels/.rels", kPackageRels + "<Relationship Id=\"rId1\" Type=\"" + kRelNs +
                            "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml", "<workbook xmlns=\"" + kMainNs + "\" xmlns:r=\"" + kRelNs + "\"><sheets>"
                            "<sheet name=\"Tabelle1\" sheetId=\"1\" r:id=\"rId1\"/>"
                            "<sheet name=\"Tabelle2\" sheetId=\"2\" r:id=\"rId2\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         kPackageRels + "<Relationship Id=\"rId1\" Type=\"" + kRelNs + "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
                        "<Relationship Id=\"rId2\" Type=\"" + kRelNs + "/worksheet\" Target=\"worksheets/sheet2.xml\"/>"
                        "</Relationships>"},
        {"xl/worksheets/sheet1.xml", worksheet},
        {"xl/worksheets/sheet2.xml", worksheet},
    };
}

std::string& PartText(Parts& parts, std::string_view name) {
    for (auto& [partName, text] : parts) {
        if (partName == name) return text;
    }
    throw std::logic_error("no such part");
}

std::string MakePackage(const Parts& parts) {
    ZipWriter zip;
    for (const auto& [name, text] : parts) zip.Add(name, text, ZipMethod::Deflated);
    return zip.Finish();
}

std::string Summary(const embedded::WorkbookContent& content) {
    std::string out = content.firstWindowVisible ? "" : "hidden window\n";
    for (const embedded::SheetContent& s : content.sheets) {
        out += s.name + (s.kind == embedded::SheetKind::Chart ? " chart" : "") + (s.visible ? "" : " hidden") +
               " tab " + std::to_string(s.tabColorIndex) + (s.protectedContents ? " protected" : "");
        if (const auto hash = HashBehind(s.password)) {
            out += " hash " + (hash->legacy.empty() ? hash->algorithmName + " " + hash->hashValue : hash->legacy);
        } else if (!s.password.empty()) {
            out += " password " + s.password;
        }
        out += "\n";
    }
    for (const embedded::NameContent& n : content.names) {
        out += n.name + " " + n.refersTo + (n.localSheet ? " in " + *n.localSheet : "") + (n.hidden ? " hidden" : "") +
               "\n";
    }
    return out;
}

}  // namespace brackwell::win::xlsx::test
