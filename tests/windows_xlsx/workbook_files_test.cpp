// The file store on real files, on its own and plugged into the embedded
// host: files it wrote open with their structure, damaged files are refused
// with a text that names them and leave the host as it was, and nothing is
// ever written over a file that was there before.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapters/embedded/embedded_excel.h"
#include "adapters/windows/xlsx/workbook_writer.h"
#include "adapters/windows/xlsx/xlsx_workbook_files.h"
#include "host/automation_error.h"
#include "tests/windows_xlsx/xlsx_test_support.h"

namespace brackwell::win::xlsx {
namespace {

using embedded::SheetKind;
using embedded::WorkbookContent;
using embedded::WorkbookFileError;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using test::MessageOf;

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
    test::TempFolder folder;
    XlsxWorkbookFiles files;
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
    ASSERT_EQ(loaded.content.sheets.size(), 4u);
    EXPECT_EQ(loaded.content.sheets[2].name, "売上");
    EXPECT_EQ(loaded.content.sheets[2].tabColorIndex, 50);
    EXPECT_EQ(loaded.content.sheets[1].kind, SheetKind::Chart);
    EXPECT_EQ(loaded.content.names[1].localSheet, "Übersicht");
}

TEST_F(WorkbookFilesTest, NeverWritesOverAFileThatWasThereBefore) {
    const std::string path = folder.Path("fremd.xlsx");
    test::WriteBytes(path, "nicht meine Datei");
    EXPECT_THAT(MessageOf<WorkbookFileError>([&] { files.Save(path, Content()); }),
                StartsWith("Die Datei '" + path + "' konnte nicht gespeichert werden: Sie ist bereits vorhanden"));
    EXPECT_EQ(test::ReadBytes(path), "nicht meine Datei");

    // Once the user has agreed, it may.
    files.PermitReplacing(path);
    files.Save(path, Content());
    EXPECT_EQ(files.Load(path).content.sheets.size(), 4u);
}

TEST_F(WorkbookFilesTest, SavesAgainOverItsOwnFileUntilThatFileIsOpened) {
    const std::string path = folder.Path("eigen.xlsx");
    files.Save(path, Content());
    WorkbookContent changed = Content();
    changed.sheets[3].name = "Neu";
    // The in-place save of a workbook saved before; Windows names ignore case.
    files.Save(folder.Path("EIGEN.XLSX"), changed);
    EXPECT_EQ(files.Load(path).content.sheets[3].name, "Neu");
    // Opened now: never written over.
    EXPECT_THROW(files.Save(path, Content()), WorkbookFileError);
    EXPECT_EQ(files.Load(path).content.sheets[3].name, "Neu");
}

TEST_F(WorkbookFilesTest, RefusesFormatsAndPlacesItCannotWrite) {
    EXPECT_THAT(MessageOf<WorkbookFileError>([&] { files.Save(folder.Path("alt.xls"), Content()); }),
                HasSubstr("Das Dateiformat '.xls' wird nicht unterstützt"));
    const std::string missing = folder.Path("fehlt\\mappe.xlsx");
    EXPECT_THAT(MessageOf<WorkbookFileError>([&] { files.Save(missing, Content()); }),
                StartsWith("Die Datei '" + missing + "' konnte nicht gespeichert werden: "));
    EXPECT_TRUE(folder.FileNames().empty());

    const std::string macro = folder.Path("makro.xlsm");
    files.Save(macro, Content());
    EXPECT_THAT(test::ReadBytes(macro), HasSubstr("[Content_Types].xml"));
    EXPECT_EQ(files.Load(macro).content.sheets.size(), 4u);
}

// Damaged files, each with the reason its message must give.
struct BrokenFile {
    const char* fileName;
    std::string bytes;
    const char* reason;
};

std::vector<BrokenFile> BrokenFiles() {
    const std::string valid = test::MakePackage(test::MinimalWorkbookParts());
    std::vector<BrokenFile> broken;
    broken.push_back({"kein_zip.xlsx", "Das ist Text und kein Archiv.", "kein ZIP-Archiv"});
    broken.push_back({"abgeschnitten.xlsx", valid.substr(0, valid.size() / 2), "ZIP-Archiv"});
    broken.push_back({"leer.xlsx", "", "kein ZIP-Archiv"});

    test::Parts parts = test::MinimalWorkbookParts();
    test::RemovePart(parts, "xl/workbook.xml");
    broken.push_back({"ohne_mappe.xlsx", test::MakePackage(parts), "Der Teil 'xl/workbook.xml' fehlt"});

    parts = test::MinimalWorkbookParts();
    test::PartText(parts, "xl/workbook.xml") = "<workbook><sheets><sheet name=\"Tabelle1\" r:id=\"rId1\"></workbook>";
    broken.push_back({"kaputtes_xml.xlsx", test::MakePackage(parts), "enthält kein gültiges XML"});

    parts = test::MinimalWorkbookParts();
    test::RemovePart(parts, "xl/worksheets/sheet2.xml");
    broken.push_back({"fehlender_teil.xlsx", test::MakePackage(parts), "Der Teil 'xl/worksheets/sheet2.xml' fehlt"});

    parts = test::MinimalWorkbookParts();
    test::PartText(parts, "xl/_rels/workbook.xml.rels") = "<Relationships/>";
    broken.push_back({"ohne_beziehung.xlsx", test::MakePackage(parts), "verweist auf keinen Teil"});

    parts = test::MinimalWorkbookParts();
    test::PartText(parts, "_rels/.rels").replace(test::PartText(parts, "_rels/.rels").find("xl/workbook.xml"), 15,
                                                 "word/document.xml");
    parts.push_back({"word/document.xml", "<document/>"});
    broken.push_back({"textdokument.xlsx", test::MakePackage(parts), "ist keine Arbeitsmappe"});

    // Still well-formed XML, but not what was stored: the checksum tells.
    std::string changed = test::MakePackage(test::MinimalWorkbookParts(), true);
    changed[changed.find("Tabelle1")] = 'F';
    broken.push_back({"pruefsumme.xlsx", changed, "Der Eintrag 'xl/workbook.xml' im ZIP-Archiv ist beschädigt"});

    parts = test::MinimalWorkbookParts();
    test::PartText(parts, "xl/workbook.xml").insert(0, "<!DOCTYPE workbook [<!ENTITY a \"aaaaaaaa\">]>");
    broken.push_back({"mit_dtd.xlsx", test::MakePackage(parts), "enthält kein gültiges XML"});
    return broken;
}

TEST_F(WorkbookFilesTest, DamagedFilesAreRefusedWithTheirNameAndReason) {
    for (const BrokenFile& file : BrokenFiles()) {
        SCOPED_TRACE(file.fileName);
        const std::string path = folder.Path(file.fileName);
        test::WriteBytes(path, file.bytes);
        const std::string message = MessageOf<WorkbookFileError>([&] { files.Load(path); });
        EXPECT_THAT(message, StartsWith("Die Datei '" + path + "' konnte nicht gelesen werden: "));
        EXPECT_THAT(message, HasSubstr(file.reason));
    }
    const std::string missing = folder.Path("gibt_es_nicht.xlsx");
    EXPECT_THAT(MessageOf<WorkbookFileError>([&] { files.Load(missing); }), HasSubstr("nicht gefunden"));
}

class HostWithFilesTest : public ::testing::Test {
protected:
    HostWithFilesTest() {
        files_ = std::make_shared<XlsxWorkbookFiles>();
        excel.SetFiles(files_);
        excel.SetDefaultFilePath(folder.Folder());
    }
    test::TempFolder folder;
    embedded::EmbeddedExcel excel;
    std::shared_ptr<XlsxWorkbookFiles> files_;
};

TEST_F(HostWithFilesTest, OpeningADamagedFileChangesNothing) {
    const WorkbookPtr before = excel.CreateWorkbook("Mappe1");
    const std::int32_t count = excel.App()->Workbooks()->Count();
    const std::size_t recent = excel.RecentFilePaths().size();
    for (const BrokenFile& file : BrokenFiles()) {
        SCOPED_TRACE(file.fileName);
        const std::string path = folder.Path(file.fileName);
        test::WriteBytes(path, file.bytes);
        try {
            excel.App()->Workbooks()->Open(path);
            ADD_FAILURE() << "opened";
        } catch (const AutomationError& error) {
            EXPECT_EQ(error.Number(), err::kHost);
            EXPECT_THAT(error.Description(), HasSubstr(file.fileName));
        }
        EXPECT_EQ(excel.App()->Workbooks()->Count(), count);
        EXPECT_EQ(excel.App()->ActiveWorkbook()->Name(), before->Name());
        EXPECT_EQ(excel.RecentFilePaths().size(), recent);
    }
}

TEST_F(HostWithFilesTest, OpensARealFileReadOnly) {
    const std::string path = folder.Path("Übersicht.xlsx");
    files_->Save(path, Content());
    const std::string bytes = test::ReadBytes(path);

    const WorkbookPtr wb = excel.App()->Workbooks()->Open(path);
    EXPECT_EQ(wb->Name(), "Übersicht.xlsx");
    EXPECT_EQ(wb->Sheets()->Count(), 4);
    EXPECT_EQ(wb->Worksheets()->Count(), 3);  // the chart sheet is no worksheet
    EXPECT_EQ(wb->Sheets()->Item(3)->Tab()->ColorIndex(), 50);
    EXPECT_TRUE(wb->Sheets()->Item(3)->ProtectContents());
    EXPECT_EQ(wb->Names()->Count(), 2);
    EXPECT_EQ(excel.Snapshot(wb).sheets[3].visible, false);

    // Read-only: Save is refused and the file stays as it was.
    EXPECT_THROW(wb->Save(), AutomationError);
    EXPECT_EQ(test::ReadBytes(path), bytes);
}

TEST_F(HostWithFilesTest, PasswordFromAFileIsAskedForAndNoAnswerFits) {
    const std::string path = folder.Path("geschützt.xlsx");
    WorkbookContent content = Content();
    content.sheets[0].protectedContents = true;
    content.sheets[0].password = "geheim";
    files_->Save(path, content);

    const SheetPtr sheet = excel.App()->Workbooks()->Open(path)->Sheets()->Item(1);
    ASSERT_TRUE(sheet->ProtectContents());
    excel.User().passwordAnswers.push(std::string("geheim"));
    try {
        sheet->Unprotect(std::nullopt);
        ADD_FAILURE() << "unprotected";
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.Number(), err::kHost);
    }
    EXPECT_EQ(excel.User().CountAsked(embedded::QuestionKind::Password), 1u);
    EXPECT_TRUE(sheet->ProtectContents());
}

TEST_F(HostWithFilesTest, SavesNewWorkbooksAndNeverOverAnOpenedFile) {
    const WorkbookPtr wb = excel.App()->Workbooks()->Add();
    excel.AddName(wb, "Ziel", "=Tabelle2!$A$1");
    wb->Save();  // never saved: into the default folder under its own name
    const std::string saved = folder.Path(wb->Name());
    EXPECT_EQ(wb->Name(), "Mappe1.xlsx");
    EXPECT_EQ(files_->Load(saved).content.names.at(0).refersTo, "=Tabelle2!$A$1");

    const std::string original = folder.Path("original.xlsx");
    files_->Save(original, Content());
    const WorkbookPtr opened = excel.App()->Workbooks()->Open(original);
    const std::string bytes = test::ReadBytes(original);
    // Save As onto the opened file's name is refused by the host (same
    // name open); onto another existing file by the store.
    const std::string other = folder.Path("anderes.xlsx");
    test::WriteBytes(other, "fremd");
    excel.User().saveAsAnswers.push(other);
    try {
        excel.App()->Dialogs()->Item(5)->Show();
        ADD_FAILURE() << "saved over an existing file";
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.Number(), err::kHost);
    }
    EXPECT_EQ(test::ReadBytes(other), "fremd");
    EXPECT_EQ(test::ReadBytes(original), bytes);

    // Save As under a new name works and the copy is no longer read-only.
    excel.User().saveAsAnswers.push(folder.Path("Kopie 売上.xlsx"));
    EXPECT_TRUE(excel.App()->Dialogs()->Item(5)->Show());
    EXPECT_EQ(opened->Name(), "Kopie 売上.xlsx");
    EXPECT_EQ(files_->Load(folder.Path("Kopie 売上.xlsx")).content.sheets.size(), 4u);
}

}  // namespace
}  // namespace brackwell::win::xlsx
