// Dragging sheet nodes onto workbook and sheet nodes: copy, move or ask, the
// drop highlight while hovering, and the beep for drops that cannot work.

#include <gtest/gtest.h>

#include "tests/native/navigator_fixture.h"

namespace brackwell::testing {
namespace {

using ::testing::ElementsAre;
using Names = std::vector<std::string>;

class SheetDragDropTest : public NavigatorTest {
protected:
    void Start(const std::string& drag) {
        StoreSetting("Drag", drag);
        plan = excel.CreateWorkbook("Plan.xlsx", {"Januar", "Februar", "März"}, "C:\\Daten");
        excel.AddName(plan, "Daten", "=Januar!$A$1");
        ziel = excel.CreateWorkbook("Ziel.xlsx", {"Eins", "Zwei"}, "C:\\Daten");
        // One sheet and no name: a workbook node with a single child.
        excel.CreateWorkbook("Notiz.xlsx", {"Nur"}, "C:\\Daten");
        excel.ActivateSilently(plan);
        ShowPane();
    }

    int Beeps() { return platform.HeadlessUi().BeepCount(); }

    WorkbookPtr plan;
    WorkbookPtr ziel;
};

// Copies, then moves: to the end of a workbook, or directly behind the
// target sheet; every workbook stands open after a drop.
TEST_F(SheetDragDropTest, CopiesOrMovesBehindTheLastSheetOrTheTargetSheetAndOpensEveryWorkbook) {
    Start("2");
    ASSERT_FALSE(Row("wb2").expanded);
    Tree().DragAndDrop("wb1|1", "wb1");
    EXPECT_EQ(SheetNames(plan), (Names{"Januar", "Februar", "März", "Januar (2)"}));
    EXPECT_TRUE(Row("wb2").expanded);
    Tree().DragAndDrop("wb1|2", "wb2|1");
    EXPECT_EQ(SheetNames(ziel), (Names{"Eins", "Februar", "Zwei"}));

    component.settings.Drag = 3;
    Tree().DragAndDrop("wb1|1", "wb1|2");
    EXPECT_EQ(SheetNames(plan), (Names{"Februar", "Januar", "März", "Januar (2)"}));
    Tree().DragAndDrop("wb1|4", "wb2");
    EXPECT_EQ(SheetNames(plan), (Names{"Februar", "Januar", "März"}));
    EXPECT_EQ(SheetNames(ziel), (Names{"Eins", "Februar", "Zwei", "Januar (2)"}));
    EXPECT_TRUE(Row("wb3").expanded);
    EXPECT_EQ(Beeps(), 0);
}

TEST_F(SheetDragDropTest, AsksWhenSetSoAndRefreshesEvenWhenNothingWasChosen) {
    Start("1");
    Menu().ChooseNextByCaption("Kopieren ..");
    Tree().DragAndDrop("wb1|1", "wb2");
    const auto& asked = Menu().LastShown();
    EXPECT_THAT(asked.Captions(), ElementsAre("Kopieren ..", "Verschieben ..", "-", "Abbrechen"));
    EXPECT_EQ(SheetNames(ziel).back(), "Januar");

    // "Abbrechen", or the menu dismissed: nothing changes, but the tree is
    // rebuilt (the stale protection shows) and every workbook opened.
    plan->Worksheets()->Item(1)->Activate();
    ASSERT_FALSE(Row("wb2").expanded);
    excel.SetSheetProtection(plan->Worksheets()->Item(2), true);  // no event: the tree is stale
    Menu().ChooseNextByCaption("Abbrechen");
    Tree().DragAndDrop("wb1|1", "wb1|2");
    EXPECT_EQ(Row("wb1|2").text, "Februar (geschützt)");
    Menu().DismissNext();
    Tree().DragAndDrop("wb1|1", "wb1|2");
    EXPECT_EQ(SheetNames(plan), (Names{"Januar", "Februar", "März"}));
    EXPECT_TRUE(Row("wb2").expanded);
    EXPECT_EQ(Menu().History().size(), 3u);
}

TEST_F(SheetDragDropTest, DropsThatCannotWorkDoNothingOrBeep) {
    Start("2");
    const auto unchanged = [&] {
        EXPECT_EQ(SheetNames(plan), (Names{"Januar", "Februar", "März"}));
        EXPECT_EQ(SheetNames(ziel), (Names{"Eins", "Zwei"}));
    };

    auto data = Tree().StartDrag("wb1|1");
    const int calls = excel.TotalCalls();
    Tree().Drop(*data, Tree().PointOf("wb1|1"));  // on itself: nothing at all, not even a rebuild
    EXPECT_EQ(excel.TotalCalls(), calls);
    Tree().DragAndDrop("wb1|1", "wb1#1");  // on a name: nothing, but every workbook opened up
    EXPECT_TRUE(Row("wb2").expanded);
    Tree().DragAndDrop("wb1", "wb2");  // workbook and name nodes carry nothing
    Tree().DragAndDrop("wb1#1", "wb2");
    unchanged();
    EXPECT_EQ(Beeps(), 0);

    data = Tree().StartDrag("wb1|1");
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
    Tree().DragOver(*data, Tree().PointOf("wb3"), 0);
    EXPECT_TRUE(Row("wb3").expanded);
}

}  // namespace
}  // namespace brackwell::testing
