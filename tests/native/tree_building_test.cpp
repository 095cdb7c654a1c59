// The tree as the user sees it after a rebuild: keys, texts, pictures,
// colours, the active workbook and sheet, and the error box.

#include <gtest/gtest.h>

#include "tests/native/navigator_fixture.h"
#include "tree/palette.h"

namespace brackwell::testing {
namespace {

using ::testing::ElementsAre;

class TreeBuildingTest : public NavigatorTest {};

// Hidden workbooks and add-ins are skipped, the others keep their positions;
// chart sheets are not counted, hidden worksheets are; names come in the
// host's (sorted) order after all sheets, hidden names skipped as the host's
// name dialogs skip them, Excel's own shown as names of their sheet. A chart
// active selects nothing.
TEST_F(TreeBuildingTest, ListsVisibleWorkbooksThenTheirWorksheetsThenTheirNames) {
    auto umsatz = excel.CreateWorkbook("Umsatz.xlsx", {"Übersicht", "売上", "Q1 Geheim"}, "C:\\Daten");
    umsatz->Worksheets()->Item(1)->Protect(std::nullopt);
    excel.SetSheetVisible(umsatz->Worksheets()->Item(3), false);
    auto chart = excel.AddChartSheet(umsatz, "Diagramm1", 1);
    excel.AddName(umsatz, "Daten", "=Übersicht!$A$1:$B$9", umsatz->Worksheets()->Item(1));
    excel.AddName(umsatz, "Bereich", "=売上!$C$3");
    excel.AddName(umsatz, "Kaputt", "=#REF!");
    excel.SetNameVisible(excel.AddName(umsatz, "Intern", "=売上!$Z$1"), false);
    excel.AddName(umsatz, "_xlnm.Print_Area", "='Q1 Geheim'!$A$1:$C$9", umsatz->Worksheets()->Item(3));
    excel.SetWindowVisible(excel.CreateWorkbook("PERSONAL.XLSB", {"Tabelle1"}), false);
    excel.CreateWorkbook("Mappe3", {"Tabelle1"});
    excel.AddAddin("Werkzeuge.xlam");
    excel.ActivateSilently(umsatz, chart);

    ShowPane();

    EXPECT_THAT(Lines(), ElementsAre("wb1=Umsatz.xlsx", "  wb1|1=Übersicht (geschützt)", "  wb1|2=売上",
                                     "  wb1|3=Q1 Geheim", "  wb1#1=Bereich (売上!$C$3)", "  wb1#3=Kaputt (#REF!)",
                                     "  wb1#4='Q1 Geheim'!Print_Area ('Q1 Geheim'!$A$1:$C$9)",
                                     "  wb1#5=Übersicht!Daten (Übersicht!$A$1:$B$9)", "wb3=Mappe3"));
    EXPECT_EQ(Row("wb1").image, 1);
    EXPECT_EQ(Row("wb1|1").image, 2);
    EXPECT_EQ(Row("wb1#1").image, 3);
    EXPECT_EQ(Tree().SelectedItem(), nullptr);
    EXPECT_TRUE(Messages().empty());

    umsatz->Worksheets()->Item(1)->Unprotect(std::nullopt);
    nav->UpdateTree();
    EXPECT_EQ(Row("wb1|1").text, "Übersicht");
}

TEST_F(TreeBuildingTest, MarksTheActiveWorkbookAndSheetAndCollapsesTheOthersUnlessAskedNotTo) {
    excel.CreateWorkbook("Mappe1", {"Tabelle1", "Tabelle2"});
    auto second = excel.CreateWorkbook("Mappe2", {"Tabelle1", "Tabelle2"});
    excel.ActivateSilently(second, second->Worksheets()->Item(2));

    ShowPane();

    EXPECT_FALSE(Row("wb1").bold);
    EXPECT_FALSE(Row("wb1").expanded);
    EXPECT_TRUE(Row("wb2").bold);
    EXPECT_TRUE(Row("wb2").expanded);
    EXPECT_TRUE(Row("wb2|2").bold);
    EXPECT_EQ(Tree().SelectedItem()->Key(), "wb2|2");
    EXPECT_EQ(Tree().LastEnsuredVisible(), "wb2|2");

    component.settings.MapExpand = true;
    nav->UpdateTree();
    EXPECT_TRUE(Row("wb1").expanded);
    EXPECT_FALSE(Row("wb1|2").bold) << "the same sheet name in the inactive workbook is not marked";
}

// Tab colours, when the user wants them, need a host above version 9.
TEST_F(TreeBuildingTest, ColoursNodesFromTheSettingsAndTheTabsAboveVersion9) {
    StoreSetting("WBFore", "16711680");
    StoreSetting("SHFore", "32768");
    StoreSetting("NameFore", "128");
    auto wb = excel.CreateWorkbook("Mappe1", {"Rot", "Ohne"});
    excel.SetTabColor(wb->Worksheets()->Item(1), 3);  // ignored while tab colours are off
    excel.AddName(wb, "Daten", "=Rot!$A$1");

    ShowPane();
    EXPECT_EQ(Row("wb1").foreColor, 16711680u);
    EXPECT_EQ(Row("wb1|1").foreColor, 32768u);
    EXPECT_EQ(Row("wb1#1").foreColor, 128u);

    component.settings.SetForeReg = true;
    for (const auto& [version, red, none] :
         {std::tuple{"10.0", Color{255}, Color{32768}}, {"9.0", kSystemWindowText, kSystemWindowText}}) {
        excel.SetVersion(version);
        nav->set_mExcel(excel.App());
        nav->UpdateTree();
        EXPECT_EQ(Row("wb1|1").foreColor, red) << version;  // index 3 is pure red
        EXPECT_EQ(Row("wb1|2").foreColor, none) << version;
    }
    EXPECT_TRUE(Messages().empty());
}

// Before a host, without workbooks, or asked only to empty the tree: no
// message, and nothing shown.
TEST_F(TreeBuildingTest, NothingToShowIsQuiet) {
    {
        Wayfinder navigator(component);
        navigator.UpdateTree();
    }
    EXPECT_EQ(platform.HeadlessUi().DoEventsCount(), 0);
    ShowPane();
    EXPECT_TRUE(Keys().empty());

    excel.CreateWorkbook("Mappe1", {"Tabelle1"});
    nav->UpdateTree();
    ASSERT_FALSE(Keys().empty());
    nav->UpdateTree(true);
    EXPECT_TRUE(Keys().empty());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(TreeBuildingTest, AHostFailureShowsTheErrorBoxAndKeepsTheNodesBuiltSoFar) {
    excel.CreateWorkbook("Mappe1", {"Tabelle1", "Tabelle2", "Tabelle3"});
    ShowPane();

    // The third worksheet's name cannot be read (the active sheet's name is
    // read once, after the first sheet's).
    excel.FailOn("Sheet.Name", 4, 1004, "Zugriff verweigert");
    nav->UpdateTree();

    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].prompt, "Number: 1004\r\nDescription: Zugriff verweigert\r\nZeile: 852");
    EXPECT_EQ(Messages()[0].title, "Fehler");
    EXPECT_EQ(Messages()[0].style, 0);
    EXPECT_THAT(Keys(), ElementsAre("wb1", "wb1|1", "wb1|2"));
    // Painting is unfrozen after the box.
    EXPECT_EQ(platform.HeadlessWindows().LockedWindow(), 0);
    EXPECT_EQ(Tree().UpdateDepth(), 0);
}

// A rebuild before the pane has hooked its tree, and a workbook gone between
// counting and reading it: the step's line in the box.
TEST_F(TreeBuildingTest, ATreeNotHookedYetAndAWorkbookThatVanishesAreReported) {
    excel.CreateWorkbook("Mappe1", {"Tabelle1"});
    excel.CreateWorkbook("Mappe2", {"Tabelle1"});
    Attach();
    nav->UpdateTree();
    CreateHostWindow();
    nav->CreateNavBar();
    excel.FailAlways("Workbooks.Item", 9, "Index außerhalb des gültigen Bereichs");
    nav->UpdateTree();

    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[0].prompt,
              "Number: 91\r\nDescription: Objektvariable oder With-Blockvariable nicht festgelegt\r\nZeile: 6");
    EXPECT_EQ(Messages()[1].prompt, "Number: 9\r\nDescription: Index außerhalb des gültigen Bereichs\r\nZeile: 81");
    EXPECT_TRUE(Keys().empty());
}

// Item, Name and ProtectContents for each sheet, Item and Visible for each
// name and Name and RefersTo for each one shown; the active workbook and
// sheet once.
TEST_F(TreeBuildingTest, ARebuildPaintsOnceAndReadsTheActiveNamesOnce) {
    auto wb = excel.CreateWorkbook("Mappe1", {"A", "B", "C", "D"});
    excel.AddName(wb, "Daten", "=A!$A$1");
    excel.SetNameVisible(excel.AddName(wb, "Intern", "=A!$B$1"), false);
    ShowPane();
    const auto paintsBefore = Tree().PaintCount();
    const auto locksBefore = platform.HeadlessWindows().LockCalls();
    excel.ResetCalls();

    nav->UpdateTree();

    EXPECT_EQ(Tree().PaintCount() - paintsBefore, 1);
    EXPECT_EQ(platform.HeadlessWindows().LockCalls() - locksBefore, 1);
    EXPECT_EQ(platform.HeadlessWindows().LockedWindow(), 0);
    EXPECT_EQ(excel.Calls("Application.ActiveWorkbook"), 1);
    EXPECT_EQ(excel.Calls("Application.ActiveSheet"), 1);
    EXPECT_EQ(excel.Calls("Sheets.Item"), 4);
    EXPECT_EQ(excel.Calls("Sheet.Name"), 4 + 1);  // and the active sheet's
    EXPECT_EQ(excel.Calls("DefinedName.RefersTo"), 1);
}

}  // namespace
}  // namespace brackwell::testing
