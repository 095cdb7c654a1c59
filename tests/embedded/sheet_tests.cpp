// Sheets through the ports: the two collections, Add, rename, protection, tab
// colour, delete, copy and move.

#include "tests/embedded/host_test_support.h"

namespace brackwell::embedded::testing {
namespace {

using SheetTest = HostTest;

TEST_F(SheetTest, WorksheetsLeaveChartSheetsOutAndAddNamesTheNextNumberBeforeTheActiveSheet) {
    auto wb = app->Workbooks()->Add();
    host.AddChartSheet(wb, "Diagramm1", 2);
    EXPECT_EQ(SheetNames(wb, true), (Names{"Tabelle1", "Tabelle2", "Tabelle3"}));
    EXPECT_EQ(wb->Sheets()->ItemByName("diagramm1")->Name(), "Diagramm1");
    EXPECT_EQ(ErrorOf([&] { wb->Worksheets()->ItemByName("Diagramm1"); }), err::kSubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { wb->Worksheets()->Item(4); }), err::kSubscriptOutOfRange);

    wb->Worksheets()->Item(2)->Activate();
    auto added = wb->Worksheets()->Add();
    EXPECT_EQ(SheetNames(wb), (Names{"Tabelle1", "Diagramm1", "Tabelle4", "Tabelle2", "Tabelle3"}));
    EXPECT_EQ(app->ActiveSheet(), added);
    added->Delete();
    EXPECT_EQ(wb->Worksheets()->Add()->Name(), "Tabelle5");  // numbers are not handed out twice
    wb->Worksheets()->Item(1)->SetName("Tabelle6");
    EXPECT_EQ(wb->Sheets()->Add()->Name(), "Tabelle7");       // a taken name is skipped
}

TEST_F(SheetTest, RenameRefusesBadOrTakenNamesAndCarriesDefinedNamesAlongQuotingWhereNeeded) {
    auto wb = host.CreateWorkbook("Mappe1", {"Tabelle1", "Tabelle2"});
    auto other = host.CreateWorkbook("Mappe2", {"Tabelle1"});
    auto first = wb->Worksheets()->Item(1);
    auto second = wb->Worksheets()->Item(2);
    host.AddName(wb, "Daten", "=Tabelle1!$A$1:$B$9");
    host.AddName(wb, "Lokal", "=Tabelle1!$C$3+Tabelle2!$A$1", first);
    host.AddName(other, "Fremd", "=[Mappe1]Tabelle1!$A$1+Tabelle1!$B$2");
    second->SetName("売上");
    EXPECT_EQ(wb->Worksheets()->ItemByName("売上"), second);
    first->SetName("Mein Blatt");
    EXPECT_EQ(NameList(wb), (Names{"Daten ='Mein Blatt'!$A$1:$B$9",
                                   "'Mein Blatt'!Lokal ='Mein Blatt'!$C$3+売上!$A$1"}));
    EXPECT_EQ(NameList(other), (Names{"Fremd ='[Mappe1]Mein Blatt'!$A$1+Tabelle1!$B$2"}));

    EXPECT_EQ(DescriptionOf([&] { second->SetName("mein blatt"); }),
              "Dieser Name wird bereits verwendet. Versuchen Sie es mit einem anderen Namen.");
    EXPECT_NE(DescriptionOf([&] { second->SetName("'Plan"); }).find("ungültigen Namen"), std::string::npos);
    EXPECT_EQ(second->Name(), "売上");
    first->SetName("mein blatt");  // a change of case is allowed on the sheet itself
    EXPECT_EQ(host.Snapshot(wb).sheets[0].name, "mein blatt");
}

TEST_F(SheetTest, NamesDifferingInCaseAreOneNameInEveryScript) {
    auto wb = host.CreateWorkbook("Mappe1", {"ĀāĂăĄą აბგ ꭰꮿ 𐐨𐑏", "Tabelle2"});
    EXPECT_EQ(wb->Worksheets()->ItemByName("āĀăĂąĄ ᲐᲑᲒ ᎠᏯ 𐐀𐐧")->Name(), "ĀāĂăĄą აბგ ꭰꮿ 𐐨𐑏");
    EXPECT_EQ(ErrorOf([&] { wb->Worksheets()->Item(2)->SetName("ĀĀĂĂĄĄ ᲐᲑᲒ ᎠᏯ 𐐀𐐧"); }), err::kHost);
    EXPECT_EQ(ErrorOf([&] { wb->Worksheets()->ItemByName("ĀāĂăĄą აბგ ꭰꮿ 𐐨"); }), err::kSubscriptOutOfRange);
}

TEST_F(SheetTest, ProtectionWithAndWithoutPasswordAsksOnlyWhenItMust) {
    auto sheet = host.CreateWorkbook("Mappe1", {"Tabelle1"})->Worksheets()->Item(1);
    sheet->Protect(std::nullopt);
    EXPECT_TRUE(sheet->ProtectContents());
    sheet->Unprotect(std::nullopt);
    EXPECT_TRUE(host.User().asked.empty());

    sheet->Protect("Geheim");
    EXPECT_EQ(ErrorOf([&] { sheet->Unprotect(std::nullopt); }), err::kHost);  // the user cancels the prompt
    host.User().passwordAnswers.push("geheim");                              // wrong case
    EXPECT_NE(DescriptionOf([&] { sheet->Unprotect(std::nullopt); }).find("Kennwort ist ungültig"),
              std::string::npos);
    EXPECT_EQ(ErrorOf([&] { sheet->Unprotect("Falsch"); }), err::kHost);
    EXPECT_EQ(ErrorOf([&] { sheet->Protect(std::nullopt); }), err::kHost);  // re-protecting needs the password
    EXPECT_TRUE(sheet->ProtectContents());
    ASSERT_EQ(host.User().CountAsked(QuestionKind::Password), 2u);
    EXPECT_EQ(host.User().asked[0].sheet, "Tabelle1");

    host.User().passwordAnswers.push("Geheim");
    sheet->Unprotect(std::nullopt);
    EXPECT_FALSE(sheet->ProtectContents());
}

TEST_F(SheetTest, TabColourTakesThePaletteOrNoneAndNeedsExcel2002) {
    auto sheet = host.CreateWorkbook("Mappe1", {"Tabelle1"})->Worksheets()->Item(1);
    auto tab = sheet->Tab();
    tab->SetColorIndex(56);
    EXPECT_EQ(DescriptionOf([&] { tab->SetColorIndex(57); }),
              "Die ColorIndex-Eigenschaft des Tab-Objektes kann nicht festgelegt werden.");
    EXPECT_EQ(ErrorOf([&] { tab->SetColorIndex(0); }), err::kHost);
    EXPECT_EQ(tab->ColorIndex(), 56);
    tab->SetColorIndex(xl::kColorIndexNone);
    EXPECT_EQ(tab->ColorIndex(), xl::kColorIndexNone);

    host.SetVersion("9.0");
    EXPECT_EQ(ErrorOf([&] { sheet->Tab(); }), err::kNotSupported);
}

TEST_F(SheetTest, DeleteAsksKeepsTheLastVisibleSheetAndBreaksReferences) {
    auto wb = host.CreateWorkbook("Mappe1", {"Tabelle1", "Tabelle2", "Tabelle3"});
    auto sheets = wb->Worksheets();
    auto second = sheets->Item(2);
    host.AddName(wb, "Daten", "=Tabelle2!$A$1");
    host.AddName(wb, "Eigen", "=Tabelle2!$B$1", second);
    host.ActivateSilently(wb, second);

    host.User().deleteAnswers.push(false);
    second->Delete();  // declined: nothing happens, no error
    EXPECT_EQ(sheets->Count(), 3);

    second->Delete();
    EXPECT_EQ(SheetNames(wb), (Names{"Tabelle1", "Tabelle3"}));
    EXPECT_EQ(ActiveSheetName(), "Tabelle3");  // the next sheet to the right
    EXPECT_EQ(NameList(wb), (Names{"Daten =#REF!$A$1"}));
    EXPECT_EQ(ErrorOf([&] { second->Name(); }), err::kDisconnected);
    EXPECT_EQ(host.User().CountAsked(QuestionKind::DeleteSheet), 2u);

    host.SetSheetVisible(sheets->Item(2), false);
    EXPECT_EQ(DescriptionOf([&] { sheets->Item(1)->Delete(); }),
              "Eine Arbeitsmappe muss mindestens ein sichtbares Arbeitsblatt enthalten.");
    EXPECT_EQ(host.User().CountAsked(QuestionKind::DeleteSheet), 2u);  // refused before asking
    sheets->Item(2)->Delete();                                         // a hidden one may go
    EXPECT_EQ(SheetNames(wb), (Names{"Tabelle1"}));
}

TEST_F(SheetTest, CopyInTheSameWorkbookNumbersTheCopyAndTakesItsNamesAlong) {
    auto wb = host.CreateWorkbook("Mappe1", {"Tabelle1", "Tabelle2"});
    auto source = wb->Worksheets()->Item(1);
    host.AddName(wb, "Daten", "=Tabelle1!$A$1:$B$9");
    host.AddName(wb, "Kopf", "=Tabelle1!$A$1", source);
    source->Tab()->SetColorIndex(5);
    source->Protect("pw");

    source->Copy(nullptr, wb->Sheets()->Item(2));
    source->Copy(nullptr, wb->Sheets()->Item(3));
    EXPECT_EQ(SheetNames(wb), (Names{"Tabelle1", "Tabelle2", "Tabelle1 (2)", "Tabelle1 (3)"}));
    auto copy = wb->Worksheets()->Item(3);
    EXPECT_EQ(copy->Tab()->ColorIndex(), 5);
    EXPECT_TRUE(copy->ProtectContents());
    EXPECT_EQ(app->ActiveSheet()->Name(), "Tabelle1 (3)");
    EXPECT_EQ(NameList(wb), (Names{"Daten =Tabelle1!$A$1:$B$9",
                                   "'Tabelle1 (2)'!Daten ='Tabelle1 (2)'!$A$1:$B$9",
                                   "'Tabelle1 (2)'!Kopf ='Tabelle1 (2)'!$A$1",
                                   "'Tabelle1 (3)'!Daten ='Tabelle1 (3)'!$A$1:$B$9",
                                   "'Tabelle1 (3)'!Kopf ='Tabelle1 (3)'!$A$1",
                                   "Tabelle1!Kopf =Tabelle1!$A$1"}));

    wb->Worksheets()->Item(3)->Copy(wb->Sheets()->Item(1), nullptr);  // a copy of a copy counts on
    EXPECT_EQ(SheetNames(wb).front(), "Tabelle1 (4)");
    EXPECT_EQ(ErrorOf([&] { source->Copy(wb->Sheets()->Item(1), wb->Sheets()->Item(2)); }), err::kHost);

    // A move within the workbook keeps the object and places it at the anchor.
    source->Move(nullptr, wb->Sheets()->Item(5));
    EXPECT_EQ(SheetNames(wb), (Names{"Tabelle1 (4)", "Tabelle2", "Tabelle1 (2)", "Tabelle1 (3)", "Tabelle1"}));
    EXPECT_EQ(source->Name(), "Tabelle1");
    EXPECT_EQ(app->ActiveSheet(), source);

    // The longest name, 31 UTF-16 units with U+10000, the first character
    // beyond U+FFFF: the copy's number takes the room of whole characters.
    const std::string longest = std::string(26, 'L') + "\U00010000abc";
    source->SetName(longest);
    EXPECT_EQ(ErrorOf([&] { source->SetName(longest + "d"); }), err::kHost);
    source->Copy(nullptr, source);
    EXPECT_EQ(SheetNames(wb).back(), std::string(26, 'L') + " (2)");
}

TEST_F(SheetTest, CopyAndMoveIntoAnotherWorkbookKeepTheNameWhenFree) {
    auto from = host.CreateWorkbook("Quelle.xlsx", {"Umsatz", "Kosten"}, "C:\\Daten");
    auto to = host.CreateWorkbook("Ziel.xlsx", {"Tabelle1", "Umsatz"}, "C:\\Daten");
    host.AddName(from, "Summe", "=Umsatz!$B$9+Kosten!$B$9");
    auto umsatz = from->Worksheets()->Item(1);
    auto kosten = from->Worksheets()->Item(2);

    umsatz->Copy(nullptr, to->Worksheets()->Item(1));
    EXPECT_EQ(SheetNames(to), (Names{"Tabelle1", "Umsatz (2)", "Umsatz"}));
    EXPECT_EQ(NameList(to), (Names{"Summe ='Umsatz (2)'!$B$9+[Quelle.xlsx]Kosten!$B$9"}));

    kosten->Move(to->Worksheets()->Item(1), nullptr);
    EXPECT_EQ(SheetNames(from), (Names{"Umsatz"}));
    EXPECT_EQ(SheetNames(to), (Names{"Kosten", "Tabelle1", "Umsatz (2)", "Umsatz"}));
    EXPECT_EQ(NameList(from), (Names{"Summe =Umsatz!$B$9+[Ziel.xlsx]Kosten!$B$9"}));
    EXPECT_EQ(ErrorOf([&] { kosten->Name(); }), err::kDisconnected);  // the moved sheet is a new object
    EXPECT_EQ(app->ActiveSheet()->Name(), "Kosten");
    EXPECT_EQ(ActiveBookName(), "Ziel.xlsx");

    EXPECT_EQ(DescriptionOf([&] { umsatz->Move(nullptr, to->Worksheets()->Item(1)); }),
              "Eine Arbeitsmappe muss mindestens ein sichtbares Arbeitsblatt enthalten.");
}

TEST_F(SheetTest, WithoutAnchorTheSheetGoesIntoANewWorkbookThatTakesTheNextNumber) {
    app->Workbooks()->Add();  // Mappe1
    auto wb = host.CreateWorkbook("Umsatz.xlsx", {"Übersicht", "Daten"}, "C:\\Daten");
    host.AddName(wb, "Kopf", "=Daten!$A$1", wb->Worksheets()->Item(2));

    wb->Worksheets()->Item(1)->Copy(nullptr, nullptr);
    auto copyBook = app->ActiveWorkbook();
    EXPECT_EQ(copyBook->Name(), "Mappe2");
    EXPECT_EQ(SheetNames(copyBook), (Names{"Übersicht"}));
    EXPECT_FALSE(host.Saved(copyBook));

    wb->Worksheets()->Item(2)->Move(nullptr, nullptr);
    auto moveBook = app->ActiveWorkbook();
    EXPECT_EQ(moveBook->Name(), "Mappe3");
    EXPECT_EQ(NameList(moveBook), (Names{"Daten!Kopf =Daten!$A$1"}));
    EXPECT_TRUE(NameList(wb).empty());
    EXPECT_EQ(SheetNames(wb), (Names{"Übersicht"}));
    EXPECT_EQ(app->Workbooks()->Add()->Name(), "Mappe4");
}

}  // namespace
}  // namespace brackwell::embedded::testing
