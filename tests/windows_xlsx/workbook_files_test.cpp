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
    embedded::EmbeddedExcel excel{"12.0"};
};

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

// Which damage is refused is the damage fuzzer's matter; here, how a refusal reaches the host.
TEST_F(WorkbookFilesTest, DamagedFilesAreRefusedWithTheirNameAndReasonAndChangeNothingInTheHost) {
    excel.CreateWorkbook("Mappe1");
    const std::string path = folder.Path("kein_zip.xlsx");
    test::WriteBytes(path, "Das ist Text und kein Archiv.");
    EXPECT_THAT([&] { files.Load(path); },
                ThrowsMessage<WorkbookFileError>(AllOf(
                    StartsWith("Die Datei '" + path + "' konnte nicht gelesen werden: "), HasSubstr("kein ZIP-Archiv"))));
    EXPECT_EQ(HostError([&] { excel.App()->Workbooks()->Open(path); }), err::kHost);
    EXPECT_EQ(excel.App()->Workbooks()->Count(), 1);
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
