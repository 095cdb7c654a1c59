// Workbooks written as packages and read back, hand-made packages that use
// the format's other spellings, and the LibreOffice-made sample.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "adapters/windows/xlsx/format_error.h"
#include "adapters/windows/xlsx/sheet_password.h"
#include "adapters/windows/xlsx/workbook_reader.h"
#include "adapters/windows/xlsx/workbook_writer.h"
#include "adapters/windows/xlsx/zip_reader.h"
#include "tests/windows_xlsx/xlsx_test_support.h"

namespace brackwell::win::xlsx {
namespace {

using embedded::NameContent;
using embedded::SheetContent;
using embedded::SheetKind;
using embedded::WorkbookContent;
using ::testing::HasSubstr;
using ::testing::Not;
using test::MessageOf;

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
        {"Text", "=\"a<b&c\"", std::nullopt},
        {"Zweit", "=Versteckt!$A$1", std::string("Versteckt")},
    };
    content.firstWindowVisible = false;
    return content;
}

WorkbookContent ReadBack(const std::string& archive) { return ReadWorkbook(ZipReader(archive)); }

std::string Part(const std::string& archive, std::string_view name) {
    const ZipReader zip(archive);
    const ZipEntry* entry = zip.Find(name);
    return entry ? zip.Read(*entry) : std::string();
}

TEST(WorkbookPackage, WrittenWorkbookReadsBackWithTheSameStructure) {
    const WorkbookContent written = SampleContent();
    const WorkbookContent read = ReadBack(WriteWorkbook(written));

    ASSERT_EQ(read.sheets.size(), written.sheets.size());
    for (std::size_t i = 0; i < written.sheets.size(); ++i) {
        SCOPED_TRACE(written.sheets[i].name);
        EXPECT_EQ(read.sheets[i].name, written.sheets[i].name);
        EXPECT_EQ(read.sheets[i].kind, written.sheets[i].kind);
        EXPECT_EQ(read.sheets[i].visible, written.sheets[i].visible);
        EXPECT_EQ(read.sheets[i].tabColorIndex, written.sheets[i].tabColorIndex);
        EXPECT_EQ(read.sheets[i].protectedContents, written.sheets[i].protectedContents);
    }
    // The file keeps only a hash: the password comes back as a stand-in
    // nobody can type, which carries the hash of the original.
    EXPECT_NE(read.sheets[1].password, "geheim");
    ASSERT_TRUE(HashBehind(read.sheets[1].password));
    EXPECT_EQ(HashBehind(read.sheets[1].password)->legacy, LegacyPasswordHash("geheim"));
    EXPECT_EQ(read.sheets[2].password, "");

    ASSERT_EQ(read.names.size(), written.names.size());
    for (std::size_t i = 0; i < written.names.size(); ++i) {
        EXPECT_EQ(read.names[i].name, written.names[i].name);
        EXPECT_EQ(read.names[i].refersTo, written.names[i].refersTo);
        EXPECT_EQ(read.names[i].localSheet, written.names[i].localSheet);
    }
    EXPECT_FALSE(read.firstWindowVisible);
}

TEST(WorkbookPackage, WrittenPartsAreWhatExcelExpects) {
    const std::string archive = WriteWorkbook(SampleContent());
    const std::string types = Part(archive, "[Content_Types].xml");
    EXPECT_THAT(types, HasSubstr("PartName=\"/xl/workbook.xml\" ContentType=\"application/"
                                 "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\""));
    EXPECT_THAT(types, HasSubstr("/xl/chartsheets/sheet1.xml"));
    EXPECT_THAT(types, HasSubstr("/xl/charts/chart1.xml"));

    const std::string workbook = Part(archive, "xl/workbook.xml");
    EXPECT_THAT(workbook, HasSubstr("<workbookView visibility=\"hidden\" activeTab=\"0\"/>"));
    EXPECT_THAT(workbook, HasSubstr("<sheet name=\"Versteckt\" sheetId=\"4\" state=\"hidden\" r:id=\"rId4\"/>"));
    EXPECT_THAT(workbook, HasSubstr("<sheet name=\"A&amp;B &lt;&quot;Test&quot;&gt;\""));
    EXPECT_THAT(workbook, HasSubstr("<definedName name=\"Lokal\" localSheetId=\"1\">'売上'!$C$3</definedName>"));

    EXPECT_THAT(Part(archive, "xl/worksheets/sheet1.xml"), HasSubstr("<tabColor indexed=\"10\"/>"));
    EXPECT_THAT(Part(archive, "xl/worksheets/sheet1.xml"), HasSubstr("tabSelected=\"1\""));
    EXPECT_THAT(Part(archive, "xl/worksheets/sheet2.xml"),
                HasSubstr("<sheetProtection password=\"" + LegacyPasswordHash("geheim") + "\" sheet=\"1\""));
    const std::string chartsheet = Part(archive, "xl/chartsheets/sheet1.xml");
    EXPECT_THAT(chartsheet, HasSubstr("<sheetProtection content=\"1\" objects=\"1\"/>"));
    EXPECT_THAT(chartsheet, HasSubstr("<drawing r:id=\"rId1\"/>"));
    EXPECT_THAT(Part(archive, "xl/chartsheets/_rels/sheet1.xml.rels"), HasSubstr("Target=\"../drawings/drawing1.xml\""));
    EXPECT_THAT(Part(archive, "xl/drawings/_rels/drawing1.xml.rels"), HasSubstr("Target=\"../charts/chart1.xml\""));
}

TEST(WorkbookPackage, ActiveTabIsTheFirstVisibleSheet) {
    WorkbookContent content;
    content.sheets = {{"Weg", SheetKind::Worksheet, false, -4142, false, ""},
                      {"Da", SheetKind::Worksheet, true, -4142, false, ""}};
    const std::string archive = WriteWorkbook(content);
    EXPECT_THAT(Part(archive, "xl/workbook.xml"), HasSubstr("activeTab=\"1\""));
    EXPECT_THAT(Part(archive, "xl/workbook.xml"), Not(HasSubstr("visibility")));
    EXPECT_THAT(Part(archive, "xl/worksheets/sheet2.xml"), HasSubstr("tabSelected=\"1\""));
    EXPECT_THAT(Part(archive, "xl/worksheets/sheet1.xml"), Not(HasSubstr("tabSelected")));
}

TEST(WorkbookPackage, PasswordReadFromAFileSurvivesTheNextSave) {
    const WorkbookContent first = ReadBack(WriteWorkbook(SampleContent()));
    const WorkbookContent second = ReadBack(WriteWorkbook(first));
    EXPECT_EQ(second.sheets[1].password, first.sheets[1].password);
    EXPECT_TRUE(second.sheets[1].protectedContents);
}

TEST(WorkbookPackage, MacroEnabledPackageSaysSo) {
    const std::string archive = WriteWorkbook(SampleContent(), PackageKind::MacroEnabledWorkbook);
    EXPECT_THAT(Part(archive, "[Content_Types].xml"), HasSubstr("application/vnd.ms-excel.sheet.macroEnabled.main+xml"));
}

TEST(WorkbookPackage, RefusesContentNoFileCanHold) {
    EXPECT_THROW(WriteWorkbook(WorkbookContent{}), FormatError);
    WorkbookContent orphan = SampleContent();
    orphan.names.push_back({"Waise", "=1", std::string("Gibt es nicht")});
    EXPECT_THAT(MessageOf<FormatError>([&] { WriteWorkbook(orphan); }), HasSubstr("Waise"));
}

TEST(WorkbookPackage, ReadsTabColoursGivenAsThemeRgbOrIndex) {
    test::Parts parts = test::MinimalWorkbookParts();
    test::PartText(parts, "xl/worksheets/sheet1.xml") =
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<sheetPr><tabColor theme=\"4\"/></sheetPr><sheetData/></worksheet>";
    test::PartText(parts, "xl/worksheets/sheet2.xml") =
        "<x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<x:sheetPr><x:tabColor rgb=\"FF00FF00\"/></x:sheetPr><x:sheetData/>"
        "<x:sheetProtection sheet=\"true\" algorithmName=\"SHA-512\" hashValue=\"aGFzaA==\" saltValue=\"c2FsdA==\" "
        "spinCount=\"100000\"/></x:worksheet>";
    // Without a theme part, theme 4 is Office's accent 1.
    WorkbookContent read = ReadBack(test::MakePackage(parts));
    EXPECT_EQ(read.sheets[0].tabColorIndex, 47);
    EXPECT_EQ(read.sheets[1].tabColorIndex, 4);
    EXPECT_TRUE(read.sheets[1].protectedContents);
    ASSERT_TRUE(HashBehind(read.sheets[1].password));
    EXPECT_EQ(HashBehind(read.sheets[1].password)->algorithmName, "SHA-512");

    // With one, its accent 1 counts.
    std::string& rels = test::PartText(parts, "xl/_rels/workbook.xml.rels");
    rels.insert(rels.find("</Relationships>"),
                "<Relationship Id=\"rId9\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
                "theme\" Target=\"theme/theme1.xml\"/>");
    parts.push_back({"xl/theme/theme1.xml",
                     "<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\"><a:themeElements>"
                     "<a:clrScheme name=\"Eigen\"><a:dk1><a:sysClr val=\"windowText\" lastClr=\"000000\"/></a:dk1>"
                     "<a:lt1><a:srgbClr val=\"FFFFFF\"/></a:lt1><a:dk2><a:srgbClr val=\"1F497D\"/></a:dk2>"
                     "<a:lt2><a:srgbClr val=\"EEECE1\"/></a:lt2><a:accent1><a:srgbClr val=\"FF0000\"/></a:accent1>"
                     "</a:clrScheme></a:themeElements></a:theme>"});
    read = ReadBack(test::MakePackage(parts));
    EXPECT_EQ(read.sheets[0].tabColorIndex, 3);
}

TEST(WorkbookPackage, FindsTheWorkbookThroughThePackageRelationships) {
    // The workbook under another name, sheets by absolute target, a strict
    // r:id namespace, a dialog sheet, and a built-in name that stays out.
    const test::Parts parts = {{"_rels/.rels",
              "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
              "<Relationship Id=\"a\" Type=\"http://purl.oclc.org/ooxml/officeDocument/relationships/officeDocument\" "
              "Target=\"/mappe/haupt.xml\"/></Relationships>"},
             {"mappe/haupt.xml",
              "<workbook xmlns:s=\"http://purl.oclc.org/ooxml/officeDocument/relationships\"><sheets>"
              "<sheet name=\"Eins\" s:id=\"r1\"/><sheet name=\"Dialog1\" s:id=\"r2\" state=\"veryHidden\"/></sheets>"
              "<definedNames><definedName name=\"_xlnm.Print_Area\" localSheetId=\"0\">Eins!$A$1</definedName>"
              "<definedName name=\"Ziel\" localSheetId=\"0\">Eins!$B$2</definedName></definedNames></workbook>"},
             {"mappe/_rels/haupt.xml.rels",
              "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
              "<Relationship Id=\"r1\" Type=\"http://purl.oclc.org/ooxml/officeDocument/relationships/worksheet\" "
              "Target=\"/blaetter/eins.xml\"/>"
              "<Relationship Id=\"r2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
              "dialogsheet\" Target=\"../blaetter/dialog.xml\"/></Relationships>"},
             {"blaetter/eins.xml", "<worksheet><sheetData/></worksheet>"},
             {"blaetter/dialog.xml", "<dialogsheet/>"}};
    const WorkbookContent read = ReadBack(test::MakePackage(parts));
    ASSERT_EQ(read.sheets.size(), 2u);
    EXPECT_EQ(read.sheets[0].kind, SheetKind::Worksheet);
    EXPECT_EQ(read.sheets[1].kind, SheetKind::Chart);
    EXPECT_FALSE(read.sheets[1].visible);
    ASSERT_EQ(read.names.size(), 1u);
    EXPECT_EQ(read.names[0].name, "Ziel");
    EXPECT_EQ(read.names[0].localSheet, "Eins");
}

// Everything the host keeps of a workbook, as one text to compare.
std::string Summary(const WorkbookContent& content) {
    std::string out = content.firstWindowVisible ? "window|" : "hidden window|";
    for (const SheetContent& s : content.sheets) {
        out += s.name + "," + std::to_string(static_cast<int>(s.kind)) + "," + std::to_string(s.visible) + "," +
               std::to_string(s.tabColorIndex) + "," + std::to_string(s.protectedContents) + "," + s.password + "|";
    }
    for (const NameContent& n : content.names) out += n.name + "," + n.refersTo + "," + n.localSheet.value_or("-") + "|";
    return out;
}

TEST(WorkbookPackage, RandomDamageIsReadOrRefusedButNeverMisread) {
    // Bytes changed anywhere, in headers or data, stored or deflated: the
    // reader either gets the one true content (the change hit something the
    // format ignores, such as a time stamp) or refuses with a reason.
    const std::string sample = WriteWorkbook(SampleContent());
    const std::string minimal = test::MakePackage(test::MinimalWorkbookParts(), true);
    const std::string expected[] = {Summary(ReadBack(sample)), Summary(ReadBack(minimal))};
    std::mt19937 random(7);
    int refused = 0;
    for (int round = 0; round < 400; ++round) {
        std::string archive = round % 2 == 0 ? sample : minimal;
        const int flips = 1 + static_cast<int>(random() % 3);
        for (int i = 0; i < flips; ++i) archive[random() % archive.size()] ^= static_cast<char>(1 + random() % 255);
        try {
            EXPECT_EQ(Summary(ReadBack(archive)), expected[round % 2]) << "round " << round;
        } catch (const FormatError&) {
            ++refused;
        }
    }
    EXPECT_GT(refused, 200);
}

TEST(WorkbookPackage, ReadsTheLibreOfficeSample) {
    const WorkbookContent read = ReadBack(std::string(test::LibreOfficeSample()));
    ASSERT_EQ(read.sheets.size(), 4u);
    const std::vector<std::string> names = {read.sheets[0].name, read.sheets[1].name, read.sheets[2].name,
                                            read.sheets[3].name};
    EXPECT_EQ(names, (std::vector<std::string>{"Übersicht", "Daten", "Geheim", "売上"}));
    EXPECT_EQ(read.sheets[0].tabColorIndex, 3);   // #FF0000
    EXPECT_EQ(read.sheets[1].tabColorIndex, -4142);
    EXPECT_EQ(read.sheets[3].tabColorIndex, 14);  // #008080
    EXPECT_FALSE(read.sheets[2].visible);
    EXPECT_TRUE(read.sheets[1].protectedContents);
    EXPECT_EQ(read.sheets[1].password, "");
    EXPECT_FALSE(read.sheets[0].protectedContents);
    EXPECT_TRUE(read.firstWindowVisible);
    // Its print range is a built-in name and stays out.
    ASSERT_EQ(read.names.size(), 2u);
    EXPECT_EQ(read.names[0].name, "Bereich");
    EXPECT_EQ(read.names[0].refersTo, "=Daten!$A$1:$B$1");
    EXPECT_FALSE(read.names[0].localSheet);
    EXPECT_EQ(read.names[1].name, "Lokal");
    EXPECT_EQ(read.names[1].localSheet, "Daten");
}

}  // namespace
}  // namespace brackwell::win::xlsx
