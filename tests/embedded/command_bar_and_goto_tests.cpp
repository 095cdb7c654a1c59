// Goto and the command bars. (The recent-file list is read where the pane
// menu shows it.)

#include "tests/embedded/host_test_support.h"

namespace brackwell::embedded::testing {
namespace {

// Goto takes what Excel documents: a Range of any open workbook, or an R1C1
// text; besides, the text of a name of the active workbook, as recorded
// macros give it. An A1 text, a name with a workbook part or anything that
// is no range of a visible worksheet fails.
TEST_F(HostTest, GotoTakesARangeAnR1C1TextOrAnActiveWorkbooksNameAndNothingElse) {
    auto wb = host.CreateWorkbook("Umsatz.xlsx", {"Tabelle1", "Mein Blatt", "Tabelle3"}, "C:\\Daten");
    host.AddName(wb, "Daten", "='Mein Blatt'!$A$1:$B$9");
    host.AddName(wb, "Kopf", "=Tabelle3!$A$1", wb->Worksheets()->Item(3));
    host.AddName(wb, "Kopf", "=Tabelle1!$C$1,Tabelle1!$E$1", wb->Worksheets()->Item(1));
    auto kosten = host.CreateWorkbook("Kosten 2.xlsx", {"Tabelle1"}, "C:\\Daten");
    auto summe = host.AddName(kosten, "Summe", "=Tabelle1!$D$4");
    wb->Activate();
    const auto where = [&] {
        const Selection s = host.CurrentSelection();
        return s.workbook + "|" + s.sheet + "|" + s.range;
    };
    RecordingSink sink;
    auto connection = app->Advise(sink);

    app->Goto("Daten");
    EXPECT_EQ(where(), "Umsatz.xlsx|Mein Blatt|$A$1:$B$9");
    EXPECT_EQ(sink.events, (Names{"SheetActivate(Mein Blatt)"}));
    app->Goto("Tabelle3!Kopf");
    EXPECT_EQ(where(), "Umsatz.xlsx|Tabelle3|$A$1");
    app->Goto("Tabelle1!Kopf");
    app->Goto("Kopf");  // the active sheet's own name first
    EXPECT_EQ(where(), "Umsatz.xlsx|Tabelle1|$C$1,$E$1");
    app->Goto("r2c2:R3C4");
    EXPECT_EQ(where(), "Umsatz.xlsx|Tabelle1|$B$2:$D$3");
    app->Goto("'[Kosten 2.xlsx]Tabelle1'!R1C1");
    EXPECT_EQ(where(), "Kosten 2.xlsx|Tabelle1|$A$1");
    wb->Activate();
    app->Goto(summe->RefersToRange());  // another workbook's name
    EXPECT_EQ(where(), "Kosten 2.xlsx|Tabelle1|$D$4");

    wb->Activate();
    auto halb = host.AddName(wb, "Halb", "=Tabelle3!$A$1");
    const RangePtr gone = halb->RefersToRange();
    host.AddChartSheet(wb, "Diagramm1");
    wb->Worksheets()->Item(3)->Delete();  // Halb reads "=#REF!$A$1" now
    const auto go = [&](const std::string& reference) { return [this, reference] { app->Goto(reference); }; };
    EXPECT_EQ(DescriptionOf(go("Halb")), "Die Methode 'Goto' für das Objekt '_Application' ist fehlgeschlagen.");
    // A1, a name with a workbook part, an unknown name, a chart, a missing
    // sheet, an unquoted blank, a closed workbook.
    for (const char* target : {"B2", "Tabelle1!$A$1", "Kosten 2.xlsx!Summe", "'[Kosten 2.xlsx]Tabelle1'!Summe",
                               "Fehlt", "Diagramm1!R1C1", "Tabelle9!R1C1", "Mein Blatt!R1C1",
                               "'C:\\Daten\\[Alt.xlsx]Blatt1'!R1C1"})
        EXPECT_EQ(ErrorOf(go(target)), err::kHost) << target;
    EXPECT_EQ(ErrorOf([&] { app->Goto(gone); }), err::kDisconnected);
    EmbeddedExcel another;
    EXPECT_EQ(ErrorOf([&] { app->Goto(another.AddName(another.CreateWorkbook("Mappe1"), "X", "=Tabelle1!$A$1")
                                          ->RefersToRange()); }),
              err::kTypeMismatch);
    EXPECT_EQ(where(), "Umsatz.xlsx|Tabelle1|$B$2:$D$3");
}

// The bar's look is checked where the component builds it; here, the rules.
TEST_F(HostTest, CommandBarNamesAreUniqueAndOnlyAnEnabledButtonRunsItsKnownMacro) {
    auto bars = app->CommandBars();
    auto bar = bars->Add("BrackwellBar", xl::kBarLeft, false, true);
    for (const char* taken : {"brackwellbar", "Standard"})  // its own in other case, and a built-in one
        EXPECT_EQ(ErrorOf([&] { bars->Add(taken, xl::kBarLeft, false, true); }), err::kInvalidCall) << taken;
    auto button = bar->Controls()->Add(xl::kControlButton);
    button->SetOnAction("UpdateNav");
    int runs = 0;
    EXPECT_FALSE(host.PressCommandBarButton("BrackwellBar", 1));  // no such macro yet
    host.RegisterMacro("UpdateNav", [&] { ++runs; });
    EXPECT_TRUE(host.PressCommandBarButton("BrackwellBar", 1));
    button->SetEnabled(false);
    EXPECT_FALSE(host.PressCommandBarButton("BrackwellBar", 1));
    EXPECT_EQ(runs, 1);

    bar->Delete();
    EXPECT_EQ(ErrorOf([&] { button->SetCaption("x"); }), err::kDisconnected);
    EXPECT_NO_THROW(bars->Add("BrackwellBar", xl::kBarLeft, false, true)) << "the name is free again";
}

}  // namespace
}  // namespace brackwell::embedded::testing
