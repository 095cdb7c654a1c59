// Dragging sheet nodes onto workbook and sheet nodes: copy, move or ask, the
// drop highlight while hovering, and the beep for drops that cannot work.

#include <gtest/gtest.h>

#include "tests/native/navigator_fixture.h"

namespace brackwell::testing {
namespace {

using ::testing::ElementsAre;

class SheetDragDropTest : public NavigatorTest {
protected:
    void Start(const std::string& drag) {
        StoreSetting("Drag", drag);
        plan = excel.CreateWorkbook("Plan.xlsx", {"Januar", "Februar"}, "C:\\Daten");
        excel.AddName(plan, "Daten", "=Januar!$A$1");
        ziel = excel.CreateWorkbook("Ziel.xlsx", {"Eins", "Zwei"}, "C:\\Daten");
        excel.ActivateSilently(plan);
        ShowPane();
    }

    std::vector<std::string> SheetNames(const WorkbookPtr& wb) {
        std::vector<std::string> names;
        const SheetsPtr sheets = wb->Sheets();
        for (int i = 1; i <= sheets->Count(); ++i) names.push_back(sheets->Item(i)->Name());
        return names;
    }
    headless::HeadlessPopupMenu& Menu() { return *platform.LastPopupMenu(); }
    int Beeps() { return platform.HeadlessUi().BeepCount(); }

    WorkbookPtr plan;
    WorkbookPtr ziel;
};

TEST_F(SheetDragDropTest, CopiesBehindTheLastSheetOrTheTargetSheetAndOpensEveryWorkbook) {
    Start("2");
    ASSERT_FALSE(Row("wb2").expanded);

    Tree().DragAndDrop("wb1|1", "wb1");  // its own workbook: to the end
    EXPECT_EQ(SheetNames(plan), (std::vector<std::string>{"Januar", "Februar", "Januar (2)"}));
    EXPECT_TRUE(Row("wb2").expanded);  // every workbook stands open after a drop

    Tree().DragAndDrop("wb1|2", "wb2|1");  // behind the target sheet of another workbook
    EXPECT_EQ(SheetNames(ziel), (std::vector<std::string>{"Eins", "Februar", "Zwei"}));
    EXPECT_EQ(SheetNames(plan).size(), 3u);
    EXPECT_EQ(Tree().DropHighlight(), nullptr);
    EXPECT_EQ(Beeps(), 0);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(SheetDragDropTest, MovesWithinAndBetweenWorkbooks) {
    Start("3");
    Tree().DragAndDrop("wb1|1", "wb1|2");
    EXPECT_EQ(SheetNames(plan), (std::vector<std::string>{"Februar", "Januar"}));

    Tree().DragAndDrop("wb1|2", "wb2");
    EXPECT_EQ(SheetNames(plan), (std::vector<std::string>{"Februar"}));
    EXPECT_EQ(SheetNames(ziel), (std::vector<std::string>{"Eins", "Zwei", "Januar"}));
    // The last visible sheet cannot leave its workbook: the host refuses, the pane beeps.
    Tree().DragAndDrop("wb1|1", "wb2");
    EXPECT_EQ(SheetNames(plan), (std::vector<std::string>{"Februar"}));
    EXPECT_EQ(Beeps(), 1);
}

TEST_F(SheetDragDropTest, AsksWhenSetSoAndRefreshesEvenWhenNothingWasChosen) {
    Start("1");
    Menu().ChooseNextByCaption("Kopieren ..");
    Tree().DragAndDrop("wb1|1", "wb2");
    const auto& asked = Menu().LastShown();
    EXPECT_THAT(asked.Captions(), ElementsAre("Kopieren ..", "Verschieben ..", "-", "Abbrechen"));
    EXPECT_EQ(asked.items[0].image, 6603);
    EXPECT_EQ(asked.items[1].image, 6606);
    EXPECT_EQ(SheetNames(ziel).back(), "Januar");

    // "Abbrechen", or the menu dismissed: nothing changes, but the tree is
    // rebuilt (the stale protection shows) and every workbook opened.
    plan->Worksheets()->Item(1)->Activate();
    nav->UpdateTree();
    ASSERT_FALSE(Row("wb2").expanded);
    excel.SetSheetProtection(plan->Worksheets()->Item(2), true);  // no event: the tree is stale
    Menu().ChooseNextByCaption("Abbrechen");
    Tree().DragAndDrop("wb1|1", "wb1|2");
    EXPECT_EQ(Row("wb1|2").text, "Februar (geschützt)");
    Menu().DismissNext();
    Tree().DragAndDrop("wb1|1", "wb1|2");
    EXPECT_EQ(SheetNames(plan), (std::vector<std::string>{"Januar", "Februar"}));
    EXPECT_TRUE(Row("wb2").expanded);
    EXPECT_EQ(Menu().History().size(), 3u);
}

TEST_F(SheetDragDropTest, DropsThatCannotWorkDoNothingOrBeep) {
    Start("2");
    const auto unchanged = [&] {
        EXPECT_EQ(SheetNames(plan), (std::vector<std::string>{"Januar", "Februar"}));
        EXPECT_EQ(SheetNames(ziel), (std::vector<std::string>{"Eins", "Zwei"}));
    };

    Tree().DragAndDrop("wb1|1", "wb1|1");  // on itself: nothing at all
    Tree().DragAndDrop("wb1|1", "wb1#1");  // on a name: nothing, but opened up
    Tree().DragAndDrop("wb1", "wb2");      // workbook and name nodes carry nothing
    Tree().DragAndDrop("wb1#1", "wb2");
    unchanged();
    EXPECT_EQ(Beeps(), 0);
    EXPECT_TRUE(Row("wb2").expanded);

    auto data = Tree().StartDrag("wb1|1");
    Tree().Drop(*data, Tree().EmptyPoint());  // where there is no node
    headless::HeadlessDataObject foreign("Hallo aus dem Editor");
    Tree().Drop(foreign, Tree().PointOf("wb2"));
    headless::HeadlessDataObject stale("wb1|9");
    Tree().Drop(stale, Tree().PointOf("wb2"));
    excel.FailOn("Sheet.Copy", 1, 1004, "Die Copy-Methode des Worksheet-Objektes ist fehlgeschlagen");
    Tree().DragAndDrop("wb1|1", "wb2");
    unchanged();
    EXPECT_EQ(Beeps(), 4);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Tree().DropHighlight(), nullptr);
}

TEST_F(SheetDragDropTest, HoveringHighlightsAndOpensWorkbooksLeavingClearsTheHighlight) {
    Start("2");
    auto data = Tree().StartDrag("wb1|2");
    EXPECT_EQ(data->Text(), "wb1|2");

    Tree().DragOver(*data, Tree().PointOf("wb2"), 0);
    EXPECT_TRUE(Row("wb2").expanded);
    EXPECT_TRUE(Row("wb2").dropHighlighted);
    Tree().DragOver(*data, Tree().PointOf("wb2|2"), 2);
    EXPECT_TRUE(Row("wb2|2").dropHighlighted);
    EXPECT_FALSE(Row("wb2").dropHighlighted);
    Tree().DragOver(*data, Tree().PointOf("wb2|2"), 1);
    EXPECT_EQ(Tree().DropHighlight(), nullptr);
}

}  // namespace
}  // namespace brackwell::testing
