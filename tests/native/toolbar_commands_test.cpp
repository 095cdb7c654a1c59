// The pane toolbar: its buttons and drop-down items act on the tree's
// selected node; closing all goes through every open workbook.

#include <gtest/gtest.h>

#include "tests/native/navigator_fixture.h"

namespace brackwell::testing {
namespace {

using ::testing::ElementsAre;

class ToolbarCommandsTest : public NavigatorTest {
protected:
    void SetUp() override {
        bericht = excel.CreateWorkbook("Bericht.xlsx", {"Januar", "Februar"}, "C:\\Daten");
        excel.AddName(bericht, "Daten", "=Januar!$A$1");
        neu = excel.CreateWorkbook("Mappe2", {"Tabelle1"});
        excel.ActivateSilently(neu);
        MapExpandAndShow();
    }
    void MapExpandAndShow() {
        StoreSetting("MapExpand", "True");
        ShowPane();
    }

    headless::HeadlessToolbar& Bar() { return platform.NavForm()->BarControl(); }
    void Select(const std::string& key) { Tree().SetSelectedItem(Tree().Nodes().Item(key)); }
    int Count() { return excel.App()->Workbooks()->Count(); }

    WorkbookPtr bericht;
    WorkbookPtr neu;
};

TEST_F(ToolbarCommandsTest, WithoutSelectionOnlyTheGlobalCommandsAct) {
    Tree().SetSelectedItem(nullptr);
    excel.SetSaved(bericht, false);
    Bar().Click("mnuSave");
    Bar().Click("mnuMapClose");
    Bar().Click("mnuTabDel");
    Bar().ChooseMenuItem("mnuNew", "newTab");
    Bar().Click("mnuNew");  // the button itself creates nothing
    EXPECT_EQ(Count(), 2);
    EXPECT_FALSE(excel.Saved(bericht));
    EXPECT_EQ(bericht->Worksheets()->Count(), 2);

    Bar().ChooseMenuItem("mnuNew", "newMap");
    EXPECT_EQ(Count(), 3);
    excel.User().openFileAnswers.push(false);
    Bar().Click("mnuOpen");
    EXPECT_EQ(excel.User().CountAsked(embedded::QuestionKind::OpenFile), 1u);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ToolbarCommandsTest, SheetAndNameSelectionsActOnTheirWorkbook) {
    excel.SetSaved(bericht, false);
    Select("wb1|2");  // not the active workbook
    Bar().Click("mnuSave");
    EXPECT_TRUE(excel.Saved(bericht));
    Bar().ChooseMenuItem("mnuNew", "newTab");
    EXPECT_EQ(bericht->Worksheets()->Count(), 3);

    Select("wb1#1");
    Bar().Click("mnuTabDel");  // a name is no sheet: nothing is deleted
    EXPECT_EQ(bericht->Worksheets()->Count(), 3);

    Select("wb1|3");
    Bar().Click("mnuTabDel");
    EXPECT_EQ(bericht->Worksheets()->Count(), 2);
    EXPECT_EQ(excel.User().CountAsked(embedded::QuestionKind::DeleteSheet), 1u);

    Select("wb1#1");
    Bar().Click("mnuMapClose");
    EXPECT_EQ(Count(), 1);
    EXPECT_THAT(Keys(), ElementsAre("wb1", "wb1|1"));
}

TEST_F(ToolbarCommandsTest, AFailedSaveStillRebuildsTheTree) {
    excel.SetSheetProtection(bericht->Worksheets()->Item(1), true);  // no event: stale
    excel.FailOn("Workbook.Save", 1, 1004, "Speichern fehlgeschlagen");
    Select("wb1");
    Bar().Click("mnuSave");
    EXPECT_EQ(Row("wb1|1").text, "Januar (geschützt)");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ToolbarCommandsTest, ClosingAllWithoutSavingTakesHiddenWorkbooksAndAsksNothing) {
    auto personal = excel.CreateWorkbook("PERSONAL.XLSB", {"Tabelle1"}, "C:\\Start");
    excel.SetWindowVisible(personal, false);
    excel.SetSaved(bericht, false);
    Bar().ChooseMenuItem("mnuMapClose", "closeAllSaveNo");
    EXPECT_EQ(Count(), 0);
    EXPECT_TRUE(excel.User().asked.empty());
    EXPECT_TRUE(Keys().empty());
}

TEST_F(ToolbarCommandsTest, ClosingAllWithQuestionsSkipsTheOneTheUserKeeps) {
    excel.SetSaved(bericht, false);
    excel.SetSaved(neu, false);
    auto dritte = excel.CreateWorkbook("Dritte.xlsx", {"Tabelle1"}, "C:\\Daten");
    excel.SetSaved(dritte, false);
    excel.User().closeAnswers.push(embedded::CloseAnswer::No);
    excel.User().closeAnswers.push(embedded::CloseAnswer::Cancel);  // Mappe2 stays open
    excel.User().closeAnswers.push(embedded::CloseAnswer::Yes);
    Bar().ChooseMenuItem("mnuMapClose", "closeAll");
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(excel.App()->Workbooks()->Item(1)->Name(), "Mappe2");
    EXPECT_TRUE(excel.Saved(dritte));
    EXPECT_EQ(excel.User().CountAsked(embedded::QuestionKind::SaveChanges), 3u);
}

TEST_F(ToolbarCommandsTest, ClosingAllWithSavingSavesEachAndAsksWhereForTheNewOne) {
    excel.SetSaved(bericht, false);
    excel.SetSaved(neu, false);
    excel.User().saveAsAnswers.push(std::string("C:\\Daten\\Neu.xlsx"));
    Bar().ChooseMenuItem("mnuMapClose", "closeAllSaveYes");
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(excel.User().CountAsked(embedded::QuestionKind::SaveAs), 1u);
    EXPECT_TRUE(excel.MemoryFiles().Exists("C:\\Daten\\Neu.xlsx"));
}

}  // namespace
}  // namespace brackwell::testing
