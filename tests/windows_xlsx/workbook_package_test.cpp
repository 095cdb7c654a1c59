// Workbooks written as packages and read back, and packages made elsewhere
// that use the format's other spellings.

#include <gtest/gtest.h>

#include "excel_standin/xlsx/sheet_password.h"
#include "excel_standin/xlsx/workbook_reader.h"
#include "excel_standin/xlsx/workbook_writer.h"
#include "excel_standin/xlsx/zip_reader.h"
#include "tests/windows_xlsx/xlsx_test_support.h"

namespace brackwell::win::xlsx {
namespace {

using embedded::SheetKind;
using embedded::WorkbookContent;
using test::Summary;

WorkbookContent SampleContent() {
    WorkbookContent content;
    content.sheets = {
        {"Übersicht", SheetKind::Worksheet, true, 3, false, ""},
        {"売上", SheetKind::Worksheet, true, -4142, true, "geheim"},
        {"Diagramm1", SheetKind::Chart, true, 10, true, ""},
        {"Versteckt", SheetKind::Worksheet, false, 56, false, ""},
        {"A&B <\"Test\">", SheetKind::Worksheet, true, -4142, false, ""},
    };
    content.names = {
        {"Daten", "='A&B <\"Test\">'!$A$1:$B$9", std::nullopt},
        {"Lokal", "='売上'!$C$3", std::string("売上")},
        {"Text", "=\"a<b&c\"", std::nullopt, true},
        {"Zweit", "=Versteckt!$A$1", std::string("Versteckt")},
        {"_xlnm._FilterDatabase", "='A&B <\"Test\">'!$A$1:$D$9", std::string("A&B <\"Test\">"), true},
        {"_xlnm.Print_Area", "='A&B <\"Test\">'!$A$1:$C$20", std::string("A&B <\"Test\">")},
        {"_xlnm.Print_Titles", "='A&B <\"Test\">'!$A:$A,'A&B <\"Test\">'!$1:$1", std::string("A&B <\"Test\">")},
    };
    content.firstWindowVisible = false;
    return content;
}

WorkbookContent ReadBack(std::string_view archive) { return ReadWorkbook(ZipReader(std::string(archive))); }

TEST(WorkbookPackage, WrittenWorkbookReadsBackWithTheSameStructureAgainAndAgain) {
    const WorkbookContent read = ReadBack(WriteWorkbook(SampleContent()));
    // The file keeps only a hash: the password comes back as a stand-in
    // nobody can type, which carries the hash of the original.
    WorkbookContent expected = SampleContent();
    PasswordHash hash;
    hash.legacy = LegacyPasswordHash("geheim");
    expected.sheets[1].password = PasswordStandingFor(hash);
    EXPECT_EQ(Summary(read), Summary(expected));
    // Saved again, the hash read from the file is written back.
    EXPECT_EQ(Summary(ReadBack(WriteWorkbook(read))), Summary(expected));
}

// Packages made elsewhere, each with what the host must see of it.
struct ForeignPackage {
    const char* what;
    std::string bytes;
    std::string summary;
};

std::vector<ForeignPackage> ForeignPackages() {
    const std::string mainNs = "\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    const std::string rels = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    std::vector<ForeignPackage> packages;

    // Tab colours by theme, by RGB under a prefixed namespace, and a SHA-512 protection.
    test::Parts parts = test::MinimalWorkbookParts();
    test::PartText(parts, "xl/worksheets/sheet1.xml") =
        "<worksheet xmlns=" + mainNs + "><sheetPr><tabColor theme=\"4\"/></sheetPr><sheetData/></worksheet>";
    test::PartText(parts, "xl/worksheets/sheet2.xml") =
        "<x:worksheet xmlns:x=" + mainNs + "><x:sheetPr><x:tabColor rgb=\"FF00FF00\"/></x:sheetPr><x:sheetData/>"
        "<x:sheetProtection sheet=\"true\" algorithmName=\"SHA-512\" hashValue=\"aGFzaA==\" saltValue=\"c2FsdA==\" "
        "spinCount=\"100000\"/></x:worksheet>";
    // Without a theme part, theme 4 is Office's accent 1.
    packages.push_back({"colours without theme", test::MakePackage(parts),
                        "Tabelle1 tab 47\nTabelle2 tab 4 protected hash SHA-512 aGFzaA==\n"});
    // With one, its accent 1 counts.
    std::string& workbookRels = test::PartText(parts, "xl/_rels/workbook.xml.rels");
    workbookRels.insert(workbookRels.find("</Relationships>"),
                        "<Relationship Id=\"rId9\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                        "relationships/theme\" Target=\"theme/theme1.xml\"/>");
    parts.push_back({"xl/theme/theme1.xml",
                     "<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\"><a:themeElements>"
                     "<a:clrScheme name=\"Eigen\"><a:dk1><a:sysClr val=\"windowText\" lastClr=\"000000\"/></a:dk1>"
                     "<a:lt1><a:srgbClr val=\"FFFFFF\"/></a:lt1><a:dk2><a:srgbClr val=\"1F497D\"/></a:dk2>"
                     "<a:lt2><a:srgbClr val=\"EEECE1\"/></a:lt2><a:accent1><a:srgbClr val=\"FF0000\"/></a:accent1>"
                     "</a:clrScheme></a:themeElements></a:theme>"});
    packages.push_back({"colours with theme", test::MakePackage(parts),
                        "Tabelle1 tab 3\nTabelle2 tab 4 protected hash SHA-512 aGFzaA==\n"});

    // The workbook under another name, sheets by absolute and relative
    // target, the strict namespaces, a dialog sheet (shown as a chart sheet),
    // a built-in name and a name hidden by "true".
    packages.push_back(
        {"other spellings",
         test::MakePackage(
             {{"_rels/.rels", rels + "<Relationship Id=\"a\" Type=\"http://purl.oclc.org/ooxml/officeDocument/"
                                     "relationships/officeDocument\" Target=\"/mappe/haupt.xml\"/></Relationships>"},
              {"mappe/haupt.xml",
               "<workbook xmlns:s=\"http://purl.oclc.org/ooxml/officeDocument/relationships\"><sheets>"
               "<sheet name=\"Eins\" s:id=\"r1\"/><sheet name=\"Dialog1\" s:id=\"r2\" state=\"veryHidden\"/></sheets>"
               "<definedNames><definedName name=\"_xlnm.Print_Area\" localSheetId=\"0\">Eins!$A$1</definedName>"
               "<definedName name=\"Ziel\" localSheetId=\"0\" hidden=\"true\">Eins!$B$2</definedName></definedNames>"
               "</workbook>"},
              {"mappe/_rels/haupt.xml.rels",
               rels + "<Relationship Id=\"r1\" Type=\"http://purl.oclc.org/ooxml/officeDocument/relationships/"
                      "worksheet\" Target=\"/blaetter/eins.xml\"/><Relationship Id=\"r2\" Type=\"http://schemas."
                      "openxmlformats.org/officeDocument/2006/relationships/dialogsheet\" "
                      "Target=\"../blaetter/dialog.xml\"/></Relationships>"},
              {"blaetter/eins.xml", "<worksheet><sheetData/></worksheet>"},
              {"blaetter/dialog.xml", "<dialogsheet/>"}}),
         "Eins tab -4142\nDialog1 chart hidden tab -4142\n_xlnm.Print_Area =Eins!$A$1 in Eins\n"
         "Ziel =Eins!$B$2 in Eins hidden\n"});

    // Made by LibreOffice 7.4 from data/libreoffice_sample.fods: red and teal
    // tabs, a protected sheet without password, a hidden one, a print range
    // and two names.
    packages.push_back({"LibreOffice", std::string(test::LibreOfficeSample()),
                        "Übersicht tab 3\nDaten tab -4142 protected\nGeheim hidden tab -4142\n売上 tab 14\n"
                        "_xlnm.Print_Area =Übersicht!$A$1:$B$2 in Übersicht\nBereich =Daten!$A$1:$B$1\n"
                        "Lokal =Daten!$A$1:$B$1 in Daten\n"});
    return packages;
}

TEST(WorkbookPackage, PackagesMadeElsewhereReadAsTheyAreMeant) {
    for (const ForeignPackage& package : ForeignPackages()) {
        EXPECT_EQ(Summary(ReadBack(package.bytes)), package.summary) << package.what;
    }
}

}  // namespace
}  // namespace brackwell::win::xlsx
