// The file store on real files, on its own and plugged into the embedded
// host: files it wrote open with their structure, damaged files are refused
// with a text that names them and leave the host as it was, and nothing is
// ever written over a file that was there before.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "excel_standin/embedded/embedded_excel.h"
#include "excel_standin/xlsx/xlsx_workbook_files.h"
#include "host/automation_error.h"
#include "tests/windows_xlsx/xlsx_test_support.h"

namespace brackwell::win::xlsx {
namespace {

using embedded::SheetKind;
using embedded::WorkbookContent;
using embedded::WorkbookFileError;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using ::testing::AllOf;
using ::testing::ThrowsMessage;

WorkbookContent Content() {
    WorkbookContent content;
    content.sheets = {{"Übersicht", SheetKind::Worksheet, true, 3, false, ""},
                      {"Diagramm1", SheetKind::Chart, true, -4142, false, ""},
                      {"売上", SheetKind::Worksheet, true, 50, true, ""},
                      {"Versteckt", SheetKind::Worksheet, false, -4142, false, ""}};
    content.names = {{"Daten", "='売上'!$A$1:$B$9", std::nullopt},
                     {"Lokal", "=Übersicht!$C$3", std::string("Übersicht")}};
    return content;
}

class WorkbookFilesTest : public ::testing::Test {
protected:
    WorkbookFilesTest() {
        excel.SetFiles(files_);
        excel.SetDefaultFilePath(folder.Folder());
    }
    // The AutomationError number of what `action` raised in the host; 0 if nothing.
    static std::int32_t HostError(const std::function<void()>& action) {
        try {
            action();
        } catch (const AutomationError& error) {
            return error.Number();
        }
        return 0;
    }

    test::TempFolder folder;
    std::shared_ptr<XlsxWorkbookFiles> files_ = std::make_shared<XlsxWorkbookFiles>();
    XlsxWorkbookFiles& files = *files_;
    embedded::EmbeddedExcel excel;
};

TEST_F(WorkbookFilesTest, SavedFileLoadsReadOnlyWithItsStructure) {
    const std::string path = folder.Path("Übersicht.xlsx");
    EXPECT_FALSE(files.Exists(path));
    files.Save(path, Content());
    EXPECT_TRUE(files.Exists(path));
    EXPECT_FALSE(files.Exists(folder.Folder()));  // a folder is no workbook file
    EXPECT_EQ(folder.FileNames(), std::vector<std::string>{"Übersicht.xlsx"});  // no temporary file left

    const embedded::LoadedWorkbook loaded = files.Load(path);
    EXPECT_TRUE(loaded.readOnly);
    EXPECT_EQ(test::Summary(loaded.content), test::Summary(Content()));
}

TEST_F(WorkbookFilesTest, WritesOverNoFileButItsOwnUntilThatIsOpenedOrTheUserAgrees) {
    const std::string other = folder.Path("fremd.xlsx");
    test::WriteBytes(other, "nicht meine Datei");
    EXPECT_THAT([&] { files.Save(other, Content()); },
                ThrowsMessage<WorkbookFileError>(StartsWith(
                    "Die Datei '" + other + "' konnte nicht gespeichert werden: Sie ist bereits vorhanden")));
    EXPECT_EQ(test::ReadBytes(other), "nicht meine Datei");
    files.PermitReplacing(other);
    files.Save(other, Content());
    EXPECT_EQ(files.Load(other).content.sheets.size(), 4u);

    const std::string own = folder.Path("eigen.xlsx");
    files.Save(own, Content());
    WorkbookContent changed = Content();
    changed.sheets[3].name = "Neu";
    files.Save(folder.Path("EIGEN.XLSX"), changed);  // saved again in place; Windows names ignore case
    EXPECT_EQ(files.Load(own).content.sheets[3].name, "Neu");
    EXPECT_THROW(files.Save(own, Content()), WorkbookFileError);  // opened now: never written over
    EXPECT_EQ(files.Load(own).content.sheets[3].name, "Neu");
}

// Damaged files, each with the reason its message must give.
struct BrokenFile {
    const char* fileName;
    std::string bytes;
    const char* reason;
};

std::vector<BrokenFile> BrokenFiles() {
    using test::MakePackage;
    using test::PartText;
    // What the ZIP layer refuses is its tests' matter; here, how the refusal reaches the host.
    std::vector<BrokenFile> broken = {{"kein_zip.xlsx", "Das ist Text und kein Archiv.", "kein ZIP-Archiv"}};
    // One change to the minimal workbook's parts per file.
    const auto changed = [&](const char* fileName, const char* reason, auto change) {
        test::Parts parts = test::MinimalWorkbookParts();
        change(parts);
        broken.push_back({fileName, MakePackage(parts), reason});
    };
    changed("ohne_mappe.xlsx", "Der Teil 'xl/workbook.xml' fehlt",
            [](test::Parts& p) { test::RemovePart(p, "xl/workbook.xml"); });
    changed("kaputtes_xml.xlsx", "enthält kein gültiges XML", [](test::Parts& p) {
        PartText(p, "xl/workbook.xml") = "<workbook><sheets><sheet name=\"Tabelle1\" r:id=\"rId1\"></workbook>";
    });
    changed("fehlender_teil.xlsx", "Der Teil 'xl/worksheets/sheet2.xml' fehlt",
            [](test::Parts& p) { test::RemovePart(p, "xl/worksheets/sheet2.xml"); });
    changed("ohne_beziehung.xlsx", "verweist auf keinen Teil",
            [](test::Parts& p) { PartText(p, "xl/_rels/workbook.xml.rels") = "<Relationships/>"; });
    changed("textdokument.xlsx", "ist keine Arbeitsmappe", [](test::Parts& p) {
        std::string& rels = PartText(p, "_rels/.rels");
        rels.replace(rels.find("xl/workbook.xml"), 15, "word/document.xml");
        p.push_back({"word/document.xml", "<document/>"});
    });
    changed("mit_dtd.xlsx", "enthält kein gültiges XML", [](test::Parts& p) {
        PartText(p, "xl/workbook.xml").insert(0, "<!DOCTYPE workbook [<!ENTITY a \"aaaaaaaa\">]>");
    });
    return broken;
}

TEST_F(WorkbookFilesTest, DamagedFilesAreRefusedWithTheirNameAndReasonAndChangeNothingInTheHost) {
    excel.CreateWorkbook("Mappe1");
    for (const BrokenFile& file : BrokenFiles()) {
        const std::string path = folder.Path(file.fileName);
        test::WriteBytes(path, file.bytes);
        EXPECT_THAT([&] { files.Load(path); },
                    ThrowsMessage<WorkbookFileError>(AllOf(
                        StartsWith("Die Datei '" + path + "' konnte nicht gelesen werden: "), HasSubstr(file.reason))));
        EXPECT_EQ(HostError([&] { excel.App()->Workbooks()->Open(path); }), err::kHost) << file.fileName;
        EXPECT_EQ(excel.App()->Workbooks()->Count(), 1);
    }
    EXPECT_THAT([&] { files.Load(folder.Path("gibt_es_nicht.xlsx")); },
                ThrowsMessage<WorkbookFileError>(HasSubstr("nicht gefunden")));
}

TEST_F(WorkbookFilesTest, TheHostSavesIntoItsFolderAndOpensRealFilesReadOnlyWithPasswordsNoAnswerFits) {
    const WorkbookPtr created = excel.App()->Workbooks()->Add();
    created->Save();  // never saved: into the default folder under its own name
    EXPECT_EQ(files.Load(folder.Path("Mappe1.xlsx")).content.sheets.size(), 3u);

    const std::string path = folder.Path("geschützt.xlsx");
    WorkbookContent content = Content();
    content.sheets[0].protectedContents = true;
    content.sheets[0].password = "geheim";
    files.Save(path, content);
    const std::string bytes = test::ReadBytes(path);

    const WorkbookPtr wb = excel.App()->Workbooks()->Open(path);
    EXPECT_EQ(wb->Name(), "geschützt.xlsx");
    EXPECT_EQ(wb->Worksheets()->Count(), 3);  // the chart sheet is no worksheet
    EXPECT_EQ(wb->Sheets()->Item(3)->Tab()->ColorIndex(), 50);

    // The file keeps only the hash: the user is asked, and even the right password fails.
    const SheetPtr sheet = wb->Sheets()->Item(1);
    excel.User().passwordAnswers.push(std::string("geheim"));
    EXPECT_EQ(HostError([&] { sheet->Unprotect(std::nullopt); }), err::kHost);
    EXPECT_EQ(excel.User().CountAsked(embedded::QuestionKind::Password), 1u);
    EXPECT_TRUE(sheet->ProtectContents());

    // Read-only: Save is refused and the file stays as it was.
    EXPECT_NE(HostError([&] { wb->Save(); }), 0);
    EXPECT_EQ(test::ReadBytes(path), bytes);
}

}  // namespace
}  // namespace brackwell::win::xlsx
