// Defined names through the ports: their text, order, renaming and deleting.

#include "tests/embedded/host_test_support.h"

namespace brackwell::embedded::testing {
namespace {

using NameTest = HostTest;

TEST_F(NameTest, CollectionIsSortedIgnoringCaseAndShowsTheScopeOfSheetLevelNames) {
    auto wb = host.CreateWorkbook("Mappe1", {"Tabelle1", "Mein Blatt"});
    host.AddName(wb, "zinsen", "=Tabelle1!$C$1");
    host.AddName(wb, "Daten", "Tabelle1!$A$1:$B$9");  // the "=" is added
    host.AddName(wb, "Kopf", "=Tabelle1!$A$1", wb->Worksheets()->Item(1));
    host.AddName(wb, "Kopf", "='Mein Blatt'!$A$1", wb->Worksheets()->Item(2));
    host.AddName(wb, "Alt", "=#REF!");
    EXPECT_EQ(NameList(wb), (Names{"Alt =#REF!", "Daten =Tabelle1!$A$1:$B$9",
                                   "'Mein Blatt'!Kopf ='Mein Blatt'!$A$1", "Tabelle1!Kopf =Tabelle1!$A$1",
                                   "zinsen =Tabelle1!$C$1"}));
    EXPECT_EQ(ErrorOf([&] { wb->Names()->Item(6); }), err::kSubscriptOutOfRange);
}

TEST_F(NameTest, RenameChecksTheRulesAndUniquenessWithinTheScopeAndDeletedNamesDisconnect) {
    auto wb = host.CreateWorkbook("Mappe1", {"Tabelle1"});
    auto daten = host.AddName(wb, "Daten", "=Tabelle1!$A$1");
    auto werte = host.AddName(wb, "Werte", "=Tabelle1!$B$1");
    auto local = host.AddName(wb, "Werte", "=Tabelle1!$C$1", wb->Worksheets()->Item(1));

    EXPECT_EQ(DescriptionOf([&] { daten->SetName("R1C1"); }).rfind("Der eingegebene Name ist ungültig.", 0), 0u);
    EXPECT_EQ(DescriptionOf([&] { daten->SetName("WERTE"); }),
              "Der eingegebene Name ist bereits vorhanden. Geben Sie einen eindeutigen Namen ein.");
    daten->SetName("Übersicht_2024.Q1");
    daten->SetName("übersicht_2024.q1");  // its own name in other case
    EXPECT_EQ(daten->Name(), "übersicht_2024.q1");
    EXPECT_FALSE(host.Saved(wb));

    // A sheet-level name keeps its scope; its own prefix may be given.
    local->SetName("Tabelle1!Spalte");
    EXPECT_EQ(local->Name(), "Tabelle1!Spalte");
    local->SetName("Zeile");
    EXPECT_EQ(local->Name(), "Tabelle1!Zeile");
    EXPECT_EQ(ErrorOf([&] { local->SetName("Tabelle2!Zeile"); }), err::kHost);

    werte->Delete();
    EXPECT_EQ(NameList(wb), (Names{"Tabelle1!Zeile =Tabelle1!$C$1", "übersicht_2024.q1 =Tabelle1!$A$1"}));
    EXPECT_EQ(ErrorOf([&] { werte->Name(); }), err::kDisconnected);
    EXPECT_EQ(ErrorOf([&] { werte->Delete(); }), err::kDisconnected);
}

// Excel's own names read in English with their sheet's prefix, quoted where
// the sheet needs it, a hidden one reads Visible False; a file keeps them all
// as they were, and a copied sheet takes its own along.
TEST_F(NameTest, ExcelsOwnAndHiddenNamesReadAsExcelGivesThemAndGoThroughAFileUnchanged) {
    host.MemoryFiles().Put("C:\\Daten\\Umsatz.xlsx", FileWith({"Tabelle1", "Q1 2024"}));
    auto wb = app->Workbooks()->Open("C:\\Daten\\Umsatz.xlsx");
    auto q1 = wb->Worksheets()->Item(2);
    auto area = host.AddName(wb, "_xlnm.Print_Area", "='Q1 2024'!$A$1:$C$20", q1);
    host.AddName(wb, "_xlnm.Print_Titles", "='Q1 2024'!$A:$A,'Q1 2024'!$1:$1", q1);
    host.SetNameVisible(host.AddName(wb, "_xlnm._FilterDatabase", "='Q1 2024'!$A$1:$D$50", q1), false);
    host.SetNameVisible(host.AddName(wb, "Intern", "=Tabelle1!$Z$1"), false);
    const Names expected{"Intern =Tabelle1!$Z$1", "'Q1 2024'!_FilterDatabase ='Q1 2024'!$A$1:$D$50",
                         "'Q1 2024'!Print_Area ='Q1 2024'!$A$1:$C$20",
                         "'Q1 2024'!Print_Titles ='Q1 2024'!$A:$A,'Q1 2024'!$1:$1"};
    const auto visibility = [&](const WorkbookPtr& book) {
        std::string flags;
        const DefinedNamesPtr names = book->Names();
        for (std::int32_t i = 1; i <= names->Count(); ++i) flags += names->Item(i)->Visible() ? "1" : "0";
        return flags;
    };
    EXPECT_EQ(NameList(wb), expected);
    EXPECT_EQ(visibility(wb), "0011");
    EXPECT_EQ(ErrorOf([&] { area->SetName("Druck"); }), err::kHost);

    wb->Save();
    EXPECT_EQ(host.MemoryFiles().Get(wb->FullName()).names[2].name, "_xlnm.Print_Area");
    wb->Close(false);
    wb = app->Workbooks()->Open("C:\\Daten\\Umsatz.xlsx");
    EXPECT_EQ(NameList(wb), expected);
    EXPECT_EQ(visibility(wb), "0011");

    wb->Worksheets()->Item(2)->Copy(nullptr, wb->Worksheets()->Item(2));
    EXPECT_EQ(NameList(wb)[1], "'Q1 2024 (2)'!_FilterDatabase ='Q1 2024 (2)'!$A$1:$D$50");
    EXPECT_EQ(visibility(wb), "0011011");
}

// The cells of a name, in any open workbook; a constant, a broken
// reference, a closed workbook or a chart sheet has none.
TEST_F(NameTest, RefersToRangeGivesTheCellsOfAnOpenWorkbookOrFails) {
    auto wb = host.CreateWorkbook("Mappe1", {"Tabelle1"});
    auto other = host.CreateWorkbook("Mappe2.xlsx", {"Tabelle1"});
    host.AddChartSheet(other, "Diagramm1");
    EXPECT_NE(host.AddName(wb, "Fremd", "=[Mappe2.xlsx]Tabelle1!$B$2")->RefersToRange(), nullptr);
    for (const char* refersTo : {"=0.19", "=#REF!", "=Tabelle1!#REF!", "='C:\\Daten\\[Alt.xlsx]Blatt1'!$A$1",
                                 "=[Mappe2.xlsx]Diagramm1!$A$1", "=SUM(Tabelle1!$A$1:$A$9)"}) {
        auto name = host.AddName(wb, "Wert" + std::to_string(wb->Names()->Count()), refersTo);
        EXPECT_EQ(ErrorOf([&] { name->RefersToRange(); }), err::kHost) << refersTo;
    }
}

}  // namespace
}  // namespace brackwell::embedded::testing
