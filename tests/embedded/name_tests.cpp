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

}  // namespace
}  // namespace brackwell::embedded::testing
