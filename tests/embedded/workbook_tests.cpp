// Workbooks through the ports: names, the collection, open, save and close
// with the questions the host asks.

#include "tests/embedded/host_test_support.h"

namespace brackwell::embedded::testing {
namespace {

using WorkbookTest = HostTest;

TEST_F(WorkbookTest, NewWorkbooksCountOnAndNeverReuseANumber) {
    auto first = app->Workbooks()->Add();
    auto second = app->Workbooks()->Add();
    EXPECT_EQ(first->Name(), "Mappe1");
    EXPECT_EQ(SheetNames(second), (Names{"Tabelle1", "Tabelle2", "Tabelle3"}));
    EXPECT_EQ(second->FullName() + "|" + second->Path(), "Mappe2|");
    second->Close(std::nullopt);
    EXPECT_EQ(app->Workbooks()->Add()->Name(), "Mappe3");

    host.SetSheetsInNewWorkbook(1);
    EXPECT_EQ(SheetNames(app->Workbooks()->Add()), (Names{"Tabelle1"}));
    // A set-up workbook named like a new one moves the counter past it.
    host.CreateWorkbook("Mappe7");
    EXPECT_EQ(app->Workbooks()->Add()->Name(), "Mappe8");
}

TEST_F(WorkbookTest, AddinsAndHiddenWindowsStayOutOfTheWay) {
    auto personal = host.CreateWorkbook("PERSONAL.XLSB", {"Tabelle1"}, "C:\\XLSTART");
    host.SetWindowVisible(personal, false);
    host.AddAddin("Analyse.xlam", "C:\\AddIns");
    EXPECT_EQ(app->ActiveWorkbook(), nullptr);  // only a hidden window is open
    EXPECT_EQ(app->ActiveSheet(), nullptr);

    auto books = app->Workbooks();
    EXPECT_EQ(books->Count(), 1);  // the hidden workbook counts, the add-in does not
    auto addin = books->ItemByName("analyse.xlam");
    EXPECT_TRUE(addin->IsAddin());
    EXPECT_EQ(DescriptionOf([&] { books->Item(2); }), "Index außerhalb des gültigen Bereichs");
    EXPECT_FALSE(addin->Windows()->Item(1)->Visible());

    addin->Activate();
    personal->Activate();
    EXPECT_EQ(app->ActiveWorkbook(), nullptr);
    auto wb = books->Add();
    EXPECT_EQ(app->ActiveWorkbook(), wb);
    EXPECT_EQ(ErrorOf([&] { personal->Worksheets()->Item(1)->Activate(); }), err::kHost);
}

TEST_F(WorkbookTest, OpenLoadsFromTheFileStoreAndActivatesAnOpenFileInstead) {
    WorkbookContent content;
    content.sheets = {SheetOf("Übersicht"), SheetOf("Daten", SheetKind::Worksheet, false),
                      SheetOf("Diagramm1", SheetKind::Chart)};
    content.names = {{"Summe", "Übersicht!$B$9", std::nullopt}, {"Bereich", "=Daten!$A:$A", "Daten"}};
    host.MemoryFiles().Put("C:\\Daten\\Umsatz.xlsx", content);
    auto other = host.CreateWorkbook("Kosten.xlsx", {}, "C:\\Daten");

    auto wb = app->Workbooks()->Open("C:\\Daten\\Umsatz.xlsx");
    EXPECT_EQ(wb->Name() + "|" + wb->Path(), "Umsatz.xlsx|C:\\Daten");
    EXPECT_EQ(SheetNames(wb), (Names{"Übersicht", "Daten", "Diagramm1"}));
    EXPECT_EQ(NameList(wb), (Names{"Daten!Bereich =Daten!$A:$A", "Summe =Übersicht!$B$9"}));
    EXPECT_EQ(app->ActiveWorkbook(), wb);
    EXPECT_EQ(host.RecentFilePaths().front(), "C:\\Daten\\Umsatz.xlsx");

    other->Activate();
    EXPECT_EQ(app->Workbooks()->Open("c:\\daten\\UMSATZ.xlsx"), wb);
    EXPECT_EQ(app->Workbooks()->Count(), 2);
    EXPECT_EQ(app->ActiveWorkbook(), wb);
}

TEST_F(WorkbookTest, SaveWritesTheStructureAndPutsANewWorkbookIntoTheDefaultFolder) {
    RecordingSink sink;
    auto connection = app->Advise(sink);
    auto wb = app->Workbooks()->Add();
    wb->Worksheets()->Item(1)->SetName("Übersicht");
    EXPECT_FALSE(host.Saved(wb));

    sink.events.clear();
    wb->Save();
    EXPECT_EQ(sink.events, (Names{"WorkbookBeforeSave(Mappe1)"}));
    EXPECT_EQ(wb->Name(), "Mappe1.xlsx");
    EXPECT_EQ(wb->FullName(), "C:\\Users\\Benutzer\\Dokumente\\Mappe1.xlsx");
    EXPECT_TRUE(host.Saved(wb));
    EXPECT_EQ(host.MemoryFiles().Get(wb->FullName()).sheets.front().name, "Übersicht");
    EXPECT_EQ(host.RecentFilePaths().front(), wb->FullName());

    // A sink that cancels stops the save.
    sink.cancelSaves = true;
    wb->Worksheets()->Add();
    wb->Save();
    EXPECT_FALSE(host.Saved(wb));
    EXPECT_EQ(host.MemoryFiles().Get(wb->FullName()).sheets.size(), 3u);

    // A read-only file and one that cannot be written fail, naming the file.
    sink.cancelSaves = false;
    host.MemoryFiles().Put("C:\\Daten\\Plan.xlsx", FileWith({"Tabelle1"}), true);
    auto plan = app->Workbooks()->Open("C:\\Daten\\Plan.xlsx");
    EXPECT_EQ(ErrorOf([&] { plan->Save(); }), err::kHost);
    auto other = host.CreateWorkbook("Kosten.xlsx", {}, "C:\\Daten");
    host.MemoryFiles().MakeUnwritable("C:\\Daten\\Kosten.xlsx");
    EXPECT_NE(DescriptionOf([&] { other->Save(); }).find("Kosten.xlsx"), std::string::npos);
}

TEST_F(WorkbookTest, SaveDialogsAskTheUserAndActOnTheActiveWorkbook) {
    RecordingSink sink;
    auto connection = app->Advise(sink);
    auto wb = app->Workbooks()->Add();
    sink.events.clear();

    EXPECT_FALSE(app->Dialogs()->Item(xl::kDialogSaveWorkbook)->Show());  // the user cancels
    EXPECT_EQ(wb->Path(), "");
    host.User().saveAsAnswers.push("D:\\Ablage\\Bericht");
    EXPECT_TRUE(app->Dialogs()->Item(xl::kDialogSaveWorkbook)->Show());
    EXPECT_EQ(wb->FullName(), "D:\\Ablage\\Bericht.xlsx");
    EXPECT_EQ(sink.events, (Names{"WorkbookBeforeSave(Mappe1,ui)", "WorkbookBeforeSave(Mappe1,ui)"}));

    // 145 on a saved workbook saves in place; 5 always asks.
    sink.events.clear();
    EXPECT_TRUE(app->Dialogs()->Item(xl::kDialogSaveWorkbook)->Show());
    EXPECT_EQ(sink.events, (Names{"WorkbookBeforeSave(Bericht.xlsx)"}));
    host.User().saveAsAnswers.push("D:\\Ablage\\Kopie.xlsx");
    EXPECT_TRUE(app->Dialogs()->Item(xl::kDialogSaveAs)->Show());
    EXPECT_EQ(wb->Name(), "Kopie.xlsx");
    EXPECT_EQ(host.User().CountAsked(QuestionKind::SaveAs), 3u);
    EXPECT_EQ(host.RecentFilePaths(), (Names{"D:\\Ablage\\Kopie.xlsx", "D:\\Ablage\\Bericht.xlsx"}));
}

TEST_F(WorkbookTest, CloseAsksAboutUnsavedChangesOnlyWhenSaveChangesIsOmitted) {
    auto wb = host.CreateWorkbook("Umsatz.xlsx", {"Tabelle1"}, "C:\\Daten");
    host.SetSaved(wb, false);

    host.User().closeAnswers.push(CloseAnswer::Cancel);
    EXPECT_EQ(DescriptionOf([&] { wb->Close(std::nullopt); }),
              "Die Methode 'Close' für das Objekt '_Workbook' ist fehlgeschlagen.");
    EXPECT_EQ(app->Workbooks()->Count(), 1);

    host.User().closeAnswers.push(CloseAnswer::Yes);
    wb->Close(std::nullopt);
    EXPECT_EQ(app->Workbooks()->Count(), 0);
    EXPECT_EQ(host.MemoryFiles().SaveCount(), 1);
    ASSERT_EQ(host.User().CountAsked(QuestionKind::SaveChanges), 2u);
    EXPECT_EQ(host.User().asked[1].workbook, "Umsatz.xlsx");

    // True and False never ask; a workbook without changes is never saved.
    auto discard = host.CreateWorkbook("A.xlsx", {}, "C:\\Daten");
    host.SetSaved(discard, false);
    discard->Close(false);
    auto clean = host.CreateWorkbook("B.xlsx", {}, "C:\\Daten");
    clean->Close(true);
    EXPECT_EQ(host.MemoryFiles().SaveCount(), 1);
    EXPECT_EQ(host.User().asked.size(), 2u);

    // A never-saved workbook closed with SaveChanges asks for a path.
    auto fresh = app->Workbooks()->Add();
    fresh->Worksheets()->Add();
    EXPECT_EQ(ErrorOf([&] { fresh->Close(true); }), err::kHost);  // the user cancels the dialog
    host.User().saveAsAnswers.push("C:\\Daten\\Neu.xlsx");
    fresh->Close(true);
    EXPECT_EQ(app->Workbooks()->Count(), 0);
    EXPECT_EQ(host.MemoryFiles().Get("C:\\Daten\\Neu.xlsx").sheets.size(), 4u);
}

TEST_F(WorkbookTest, ObjectsOfAClosedWorkbookAreDisconnected) {
    auto wb = app->Workbooks()->Add();
    auto sheets = wb->Worksheets();
    auto sheet = sheets->Item(1);
    auto tab = sheet->Tab();
    auto window = wb->Windows()->Item(1);
    auto name = host.AddName(wb, "Daten", "=Tabelle1!$A$1");
    wb->Close(false);

    for (const auto& call : std::vector<std::function<void()>>{
             [&] { wb->Name(); }, [&] { wb->Save(); }, [&] { sheets->Count(); }, [&] { sheet->Name(); },
             [&] { tab->ColorIndex(); }, [&] { window->Visible(); }, [&] { name->RefersTo(); },
             [&] { wb->Close(false); }}) {
        EXPECT_EQ(ErrorOf(call), err::kDisconnected);
    }
}

TEST_F(WorkbookTest, GetOpenFilenameAnswersAsTheUserChoseAndAsTheCallerAsked) {
    EXPECT_EQ(std::get<bool>(app->GetOpenFilename(true)), false);
    host.User().openFileAnswers.push(std::string("C:\\a.xlsx"));
    host.User().openFileAnswers.push(Names{"C:\\b.xlsx", "C:\\c.xlsx"});
    EXPECT_EQ(std::get<std::vector<std::string>>(app->GetOpenFilename(true)),
              (Names{"C:\\a.xlsx"}));
    EXPECT_EQ(std::get<std::string>(app->GetOpenFilename(false)), "C:\\b.xlsx");
    EXPECT_EQ(host.User().CountAsked(QuestionKind::OpenFile), 3u);
}

}  // namespace
}  // namespace brackwell::embedded::testing
