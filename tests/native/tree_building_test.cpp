// The tree as the user sees it after a rebuild: keys, texts, pictures,
// colours, the active workbook and sheet, and the error box.

#include <gtest/gtest.h>

#include "tests/native/navigator_fixture.h"
#include "tree/palette.h"

namespace brackwell::testing {
namespace {

using ::testing::ElementsAre;

class TreeBuildingTest : public NavigatorTest {};

TEST_F(TreeBuildingTest, ListsWorkbooksThenTheirWorksheetsThenTheirNames) {
    auto umsatz = excel.CreateWorkbook("Umsatz.xlsx", {"Übersicht", "売上"}, "C:\\Daten");
    excel.AddName(umsatz, "Daten", "=Übersicht!$A$1:$B$9");
    excel.AddName(umsatz, "Bereich", "=売上!$C$3");
    excel.CreateWorkbook("Mappe1", {"Tabelle1"});
    excel.ActivateSilently(umsatz, umsatz->Worksheets()->Item(2));

    ShowPane();

    // Names come in the host's collection order (sorted), after all sheets.
    EXPECT_THAT(Lines(), ElementsAre("wb1=Umsatz.xlsx", "  wb1|1=Übersicht", "  wb1|2=売上",
                                     "  wb1#1=Bereich (売上!$C$3)", "  wb1#2=Daten (Übersicht!$A$1:$B$9)",
                                     "wb2=Mappe1"));
    EXPECT_EQ(Row("wb1").image, 1);
    EXPECT_EQ(Row("wb1|1").image, 2);
    EXPECT_EQ(Row("wb1#1").image, 3);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(TreeBuildingTest, MarksTheActiveWorkbookAndSheetAndCollapsesTheOthers) {
    auto first = excel.CreateWorkbook("Mappe1", {"Tabelle1", "Tabelle2"});
    auto second = excel.CreateWorkbook("Mappe2", {"Tabelle1", "Tabelle2"});
    excel.ActivateSilently(second, second->Worksheets()->Item(2));
    (void)first;

    ShowPane();

    EXPECT_FALSE(Row("wb1").bold);
    EXPECT_FALSE(Row("wb1").expanded);
    EXPECT_TRUE(Row("wb2").bold);
    EXPECT_TRUE(Row("wb2").expanded);
    EXPECT_TRUE(Row("wb2|2").bold);
    EXPECT_TRUE(Row("wb2|2").selected);
    EXPECT_FALSE(Row("wb2|1").selected);
    EXPECT_EQ(Tree().LastEnsuredVisible(), "wb2|2");
    // The same sheet name in the inactive workbook is not marked.
    EXPECT_THROW(Row("wb1|2"), std::runtime_error);  // collapsed: not shown
    EXPECT_EQ(Tree().SelectedItem()->Key(), "wb2|2");
}

TEST_F(TreeBuildingTest, ExpandsInactiveWorkbooksWhenTheUserAsksForIt) {
    StoreSetting("MapExpand", "True");
    excel.CreateWorkbook("Mappe1", {"Tabelle1"});
    excel.CreateWorkbook("Mappe2", {"Tabelle1"});
    ShowPane();
    EXPECT_TRUE(Row("wb1").expanded);
    EXPECT_NO_THROW(Row("wb1|1"));  // its sheets are shown
}

TEST_F(TreeBuildingTest, SkipsHiddenWorkbooksAndKeepsTheOthersPositions) {
    excel.CreateWorkbook("Mappe1", {"Tabelle1"});
    auto personal = excel.CreateWorkbook("PERSONAL.XLSB", {"Tabelle1"});
    excel.SetWindowVisible(personal, false);
    auto third = excel.CreateWorkbook("Mappe3", {"Tabelle1"});
    excel.AddAddin("Werkzeuge.xlam");
    excel.ActivateSilently(third);

    ShowPane();

    EXPECT_THAT(Keys(), ElementsAre("wb1", "wb1|1", "wb3", "wb3|1"));
}

TEST_F(TreeBuildingTest, ShowsProtectionAndHidesItAgainAfterUnprotecting) {
    auto wb = excel.CreateWorkbook("Mappe1", {"Tabelle1", "Tabelle2"});
    auto sheet = wb->Worksheets()->Item(1);
    sheet->Protect(std::nullopt);
    ShowPane();
    EXPECT_EQ(Row("wb1|1").text, "Tabelle1 (geschützt)");
    EXPECT_EQ(Row("wb1|2").text, "Tabelle2");

    sheet->Unprotect(std::nullopt);
    nav->UpdateTree();
    EXPECT_EQ(Row("wb1|1").text, "Tabelle1");
}

TEST_F(TreeBuildingTest, CountsOnlyWorksheetsAndSelectsNothingWhenAChartIsActive) {
    auto wb = excel.CreateWorkbook("Mappe1", {"Tabelle1", "Tabelle2"});
    auto chart = excel.AddChartSheet(wb, "Diagramm1", 1);
    excel.ActivateSilently(wb, chart);

    ShowPane();

    EXPECT_THAT(Keys(), ElementsAre("wb1", "wb1|1", "wb1|2"));
    EXPECT_EQ(Row("wb1|1").text, "Tabelle1");
    EXPECT_EQ(Tree().SelectedItem(), nullptr);
}

TEST_F(TreeBuildingTest, ShowsHiddenSheetsSheetLevelAndBrokenNames) {
    auto wb = excel.CreateWorkbook("Mappe1", {"Tabelle1", "Geheim"});
    excel.SetSheetVisible(wb->Worksheets()->Item(2), false);
    excel.AddName(wb, "Daten", "=Tabelle1!$A$1", wb->Worksheets()->Item(1));
    excel.AddName(wb, "Kaputt", "=#REF!");

    ShowPane();

    EXPECT_THAT(Lines(), ElementsAre("wb1=Mappe1", "  wb1|1=Tabelle1", "  wb1|2=Geheim", "  wb1#1=Kaputt (#REF!)",
                                     "  wb1#2=Tabelle1!Daten (Tabelle1!$A$1)"));
}

TEST_F(TreeBuildingTest, ColoursNodesFromTheSettings) {
    StoreSetting("WBFore", "16711680");
    StoreSetting("SHFore", "32768");
    StoreSetting("NameFore", "128");
    auto wb = excel.CreateWorkbook("Mappe1", {"Tabelle1"});
    excel.SetTabColor(wb->Worksheets()->Item(1), 3);  // ignored while tab colours are off
    excel.AddName(wb, "Daten", "=Tabelle1!$A$1");

    ShowPane();

    EXPECT_EQ(Row("wb1").foreColor, 16711680u);
    EXPECT_EQ(Row("wb1|1").foreColor, 32768u);
    EXPECT_EQ(Row("wb1#1").foreColor, 128u);
}

TEST_F(TreeBuildingTest, TabColoursFollowTheHostVersion) {
    StoreSetting("SetForeReg", "True");
    StoreSetting("SHFore", "8421504");
    auto wb = excel.CreateWorkbook("Mappe1", {"Rot", "Ohne"});
    excel.SetTabColor(wb->Worksheets()->Item(1), 3);

    excel.SetVersion("11.0");
    ShowPane();
    EXPECT_EQ(Row("wb1|1").foreColor, 255u);  // index 3 is pure red
    EXPECT_EQ(Row("wb1|2").foreColor, 8421504u);

    excel.SetVersion("9.0");
    nav->set_mExcel(excel.App());
    nav->UpdateTree();
    EXPECT_EQ(Row("wb1|1").foreColor, kSystemWindowText);
    EXPECT_EQ(Row("wb1|2").foreColor, kSystemWindowText);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(TreeBuildingTest, ClearOnlyEmptiesTheTree) {
    excel.CreateWorkbook("Mappe1", {"Tabelle1"});
    ShowPane();
    ASSERT_FALSE(Keys().empty());

    nav->UpdateTree(true);

    EXPECT_TRUE(Keys().empty());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(TreeBuildingTest, StaysEmptyAndQuietWithoutWorkbooks) {
    ShowPane();
    EXPECT_TRUE(Keys().empty());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(TreeBuildingTest, DoesNothingBeforeAHostIsAttached) {
    Wayfinder navigator(component);
    navigator.UpdateTree();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(platform.HeadlessUi().DoEventsCount(), 0);
}

TEST_F(TreeBuildingTest, AHostFailureShowsTheErrorBoxAndKeepsTheNodesBuiltSoFar) {
    auto wb = excel.CreateWorkbook("Mappe1", {"Tabelle1", "Tabelle2", "Tabelle3"});
    ShowPane();
    ASSERT_TRUE(Messages().empty());

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
    (void)wb;
}

TEST_F(TreeBuildingTest, ATreeThatIsNotHookedYetIsReported) {
    excel.CreateWorkbook("Mappe1", {"Tabelle1"});
    Attach();  // no pane: no tree

    nav->UpdateTree();

    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].prompt,
              "Number: 91\r\nDescription: Objektvariable oder With-Blockvariable nicht festgelegt\r\nZeile: 6");
}

TEST_F(TreeBuildingTest, AWorkbookThatVanishesDuringTheRebuildIsReported) {
    excel.CreateWorkbook("Mappe1", {"Tabelle1"});
    excel.CreateWorkbook("Mappe2", {"Tabelle1"});
    ShowPane();
    excel.FailAlways("Workbooks.Item", 9, "Index außerhalb des gültigen Bereichs");

    nav->UpdateTree();

    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].prompt, "Number: 9\r\nDescription: Index außerhalb des gültigen Bereichs\r\nZeile: 81");
    EXPECT_TRUE(Keys().empty());
}

TEST_F(TreeBuildingTest, ARebuildPaintsTheTreeOnce) {
    for (int i = 0; i < 5; ++i) excel.CreateWorkbook("Mappe" + std::to_string(i + 1), {"A", "B", "C"});
    ShowPane();
    const auto paintsBefore = Tree().PaintCount();
    const auto locksBefore = platform.HeadlessWindows().LockCalls();

    nav->UpdateTree();

    EXPECT_EQ(Tree().PaintCount() - paintsBefore, 1);
    EXPECT_EQ(platform.HeadlessWindows().LockCalls() - locksBefore, 1);
    EXPECT_EQ(platform.HeadlessWindows().LockedWindow(), 0);
}

TEST_F(TreeBuildingTest, ReadsTheActiveNamesOncePerRebuild) {
    auto wb = excel.CreateWorkbook("Mappe1", {"A", "B", "C", "D"});
    excel.AddName(wb, "Daten", "=A!$A$1");
    ShowPane();
    excel.ResetCalls();

    nav->UpdateTree();

    EXPECT_EQ(excel.Calls("Application.ActiveWorkbook"), 1);
    EXPECT_EQ(excel.Calls("Application.ActiveSheet"), 1);
    // Item, Name and ProtectContents for each sheet; Item, Name, RefersTo per name.
    EXPECT_EQ(excel.Calls("Sheets.Item"), 4);
    EXPECT_EQ(excel.Calls("Sheet.Name"), 4 + 1);  // and the active sheet's
    EXPECT_EQ(excel.Calls("DefinedName.RefersTo"), 1);
}

}  // namespace
}  // namespace brackwell::testing
