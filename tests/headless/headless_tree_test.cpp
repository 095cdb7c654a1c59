// The headless tree as a user and the component see it: rows and hit test,
// scrolling, painting, node objects, and scripted presses and drags.

#include "adapters/headless/headless_tree.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "adapters/headless/script_error.h"

namespace brackwell::headless {
namespace {

using Rel = TreeRelationship;
constexpr float kRow = HeadlessTree::kRowHeight;

// wb1 (open) with two sheets and a name; wb2 (closed) with one sheet.
void Fill(HeadlessTree& tree) {
    TreeNodes& nodes = tree.Nodes();
    nodes.Add("", Rel::Last, "wb1", "Mappe1", 1)->SetExpanded(true);
    nodes.Add("wb1", Rel::Child, "wb1|1", "Tabelle1", 2);
    nodes.Add("wb1", Rel::Child, "wb1|2", "Tabelle2", 2);
    nodes.Add("wb1", Rel::Child, "wb1#1", "Daten (Tabelle1!$A$1)", 3);
    nodes.Add("", Rel::Last, "wb2", "Mappe2", 1);
    nodes.Add("wb2", Rel::Child, "wb2|1", "売上", 2);
}

std::vector<std::string> RowKeys(const HeadlessTree& tree) {
    std::vector<std::string> keys;
    for (const auto& row : tree.Rows()) keys.push_back(row.key);
    return keys;
}

std::string KeyAt(HeadlessTree& tree, float x, float y) {
    const TreeNodePtr node = tree.HitTest(x, y);
    return node ? node->Key() : "(none)";
}

// Writes each event as text, naming the node under its point.
class RecordingSink final : public TreeEvents {
public:
    explicit RecordingSink(HeadlessTree& tree) : tree_(tree) {}

    void MouseDown(std::int16_t button, std::int16_t, float x, float y) override {
        log.push_back("MouseDown " + std::to_string(button) + " " + KeyAt(tree_, x, y));
        if (onMouseDown) onMouseDown();
    }
    void OLEStartDrag(DataObject& data, std::int32_t& allowedEffects) override {
        log.push_back("OLEStartDrag " + std::to_string(allowedEffects));
        if (const TreeNodePtr selected = tree_.SelectedItem()) data.SetData(selected->Key(), vb::kTextFormat);
    }
    void OLEDragOver(DataObject&, std::int32_t& effect, std::int16_t, std::int16_t, float x, float y,
                     std::int16_t state) override {
        log.push_back("OLEDragOver " + std::to_string(state) + " " + KeyAt(tree_, x, y));
        if (refuseDrop) effect = 0;
    }
    void OLEDragDrop(DataObject& data, std::int32_t& effect, std::int16_t, std::int16_t, float x,
                     float y) override {
        const std::string text = data.GetFormat(vb::kTextFormat) ? data.GetData(vb::kTextFormat) : "(empty)";
        log.push_back("OLEDragDrop " + text + " " + KeyAt(tree_, x, y) + " effect " + std::to_string(effect));
    }

    std::vector<std::string> log;
    std::function<void()> onMouseDown;
    bool refuseDrop = false;

private:
    HeadlessTree& tree_;
};

// A tree set up as the pane sets it up, with a sink that selects the
// pressed node as the component's handler does.
struct PaneTree : ::testing::Test {
    PaneTree() {
        tree.SetOLEDragMode(1);
        tree.SetOLEDropMode(1);
        Fill(tree);
        sink.onMouseDown = [this] {
            // The handler selects the node under the pointer, as the pane does.
            const std::string& entry = sink.log.back();
            const std::string key = entry.substr(entry.rfind(' ') + 1);
            tree.SetSelectedItem(key == "(none)" ? nullptr : tree.Nodes().Item(key));
        };
        connection = tree.Advise(sink);
    }

    HeadlessTree tree;
    RecordingSink sink{tree};
    std::unique_ptr<EventConnection> connection;
};

TEST(HeadlessTreeRows, RowsShowTheOpenBranchesWithTheirLook) {
    HeadlessTree tree;
    Fill(tree);
    tree.Nodes().Item("wb1")->SetBold(true);
    tree.Nodes().Item("wb1|2")->SetForeColor(0x0000FF);
    tree.Nodes().Item("wb1|2")->SetSelected(true);

    EXPECT_EQ(RowKeys(tree), (std::vector<std::string>{"wb1", "wb1|1", "wb1|2", "wb1#1", "wb2"}));
    const auto rows = tree.Rows();
    EXPECT_TRUE(rows[0].bold);
    EXPECT_TRUE(rows[0].expanded);
    EXPECT_EQ(rows[2].depth, 1);
    EXPECT_EQ(rows[2].foreColor, 0x0000FFu);
    EXPECT_TRUE(rows[2].selected);
    EXPECT_TRUE(rows[4].hasChildren);
    EXPECT_FALSE(rows[4].expanded);
    EXPECT_EQ(tree.Dump(),
              "- Mappe1 {wb1} bold\n"
              "    Tabelle1 {wb1|1}\n"
              "    Tabelle2 {wb1|2} selected color=0000FF\n"
              "    Daten (Tabelle1!$A$1) {wb1#1}\n"
              "+ Mappe2 {wb2}\n");
}

TEST(HeadlessTreeHitTest, EachRowIsOneRowHeightTallAndAsWideAsTheTree) {
    HeadlessTree tree;
    Fill(tree);
    tree.Move(50, 470, 3000, 20 * HeadlessTree::kRowHeight);

    EXPECT_EQ(KeyAt(tree, 10, 0), "wb1");
    EXPECT_EQ(KeyAt(tree, 2999, kRow - 1), "wb1");
    EXPECT_EQ(KeyAt(tree, 10, kRow), "wb1|1");
    EXPECT_EQ(KeyAt(tree, 10, 4 * kRow + 5), "wb2");
    EXPECT_EQ(KeyAt(tree, 10, 5 * kRow + 5), "(none)") << "below the last row";
    EXPECT_EQ(KeyAt(tree, 3000, 5), "(none)") << "right of the tree";
    EXPECT_EQ(KeyAt(tree, -1, 5), "(none)");
}

TEST(HeadlessTreeHitTest, ChildrenOfACollapsedNodeCannotBeHitOrPressed) {
    HeadlessTree tree;
    Fill(tree);
    tree.Nodes().Item("wb1")->SetExpanded(false);

    EXPECT_EQ(RowKeys(tree), (std::vector<std::string>{"wb1", "wb2"}));
    EXPECT_EQ(KeyAt(tree, 10, kRow + 5), "wb2");
    EXPECT_THROW(tree.PointOf("wb1|1"), ScriptError);
    EXPECT_THROW(tree.Press("wb1|1", vb::kLeftButton), ScriptError);
    EXPECT_THROW(tree.Press("wb7", vb::kLeftButton), ScriptError);
}

TEST(HeadlessTreeScrolling, EnsureVisibleExpandsTheAncestorsAndScrollsTheLeastNeeded) {
    HeadlessTree tree;
    Fill(tree);
    for (int j = 2; j <= 6; ++j) {
        tree.Nodes().Add("wb2", Rel::Child, "wb2|" + std::to_string(j), "Blatt" + std::to_string(j), 2);
    }
    tree.Move(0, 0, 3000, 3 * HeadlessTree::kRowHeight);  // three rows fit
    ASSERT_EQ(tree.VisibleRowCount(), 3);

    tree.Nodes().Item("wb2|4")->EnsureVisible();  // row 8 once wb2 is open

    EXPECT_TRUE(tree.Nodes().Item("wb2")->Expanded());
    EXPECT_EQ(tree.FirstVisibleRow(), 6) << "scrolled so that the node is the bottom row";
    EXPECT_EQ(tree.LastEnsuredVisible(), "wb2|4");
    EXPECT_TRUE(tree.IsInView("wb2|4"));
    EXPECT_FALSE(tree.IsInView("wb1"));
    EXPECT_EQ(KeyAt(tree, 10, 2 * kRow + 5), "wb2|4");
    EXPECT_THROW(tree.Press("wb1", vb::kLeftButton), ScriptError) << "scrolled out of view";

    tree.Nodes().Item("wb1|1")->EnsureVisible();
    EXPECT_EQ(tree.FirstVisibleRow(), 1) << "scrolled up until the node is the top row";
    EXPECT_EQ(KeyAt(tree, 10, 5), "wb1|1");
}

TEST(HeadlessTreeScrolling, SelectingAHiddenNodeRevealsItAndCollapsingScrollsBack) {
    HeadlessTree tree;
    Fill(tree);
    tree.Move(0, 0, 3000, 2 * HeadlessTree::kRowHeight);

    tree.SetSelectedItem(tree.Nodes().Item("wb2|1"));
    EXPECT_TRUE(tree.IsInView("wb2|1"));
    EXPECT_EQ(tree.FirstVisibleRow(), 4);

    tree.Nodes().Item("wb1")->SetExpanded(false);  // three rows left: wb1, wb2, wb2|1
    EXPECT_EQ(tree.FirstVisibleRow(), 1) << "no empty rows below the last one";
    tree.Nodes().Clear();
    EXPECT_EQ(tree.FirstVisibleRow(), 0);
}

TEST(HeadlessTreeNodes, EveryLookUpGivesTheSameNodeObject) {
    HeadlessTree tree;
    Fill(tree);
    const TreeNodePtr sheet = tree.Nodes().Item("wb1|2");
    sheet->SetSelected(true);

    EXPECT_EQ(tree.Nodes().Item("wb1|2"), sheet);
    EXPECT_EQ(tree.SelectedItem(), sheet);
    EXPECT_EQ(sheet->Parent(), tree.Nodes().Item("wb1"));
    EXPECT_EQ(tree.Nodes().Enumerate()[2], sheet);
    EXPECT_EQ(tree.Nodes().Count(), 6);
    EXPECT_EQ(sheet->Index(), 3);
    EXPECT_EQ(tree.Nodes().Item("wb1")->Children(), 3);
}

TEST(HeadlessTreeNodes, RemovedNodesKeepAnsweringAndTheirWritesShowNowhere) {
    HeadlessTree tree;
    Fill(tree);
    const TreeNodePtr name = tree.Nodes().Item("wb1#1");
    tree.Nodes().Remove(name->Index());

    name->SetText("geändert");
    name->SetBold(true);
    name->SetSelected(true);
    name->EnsureVisible();
    tree.SetSelectedItem(name);
    tree.SetDropHighlight(name);

    EXPECT_EQ(name->Text(), "Daten (Tabelle1!$A$1)");
    EXPECT_FALSE(name->Bold());
    EXPECT_EQ(name->Index(), 4);
    EXPECT_EQ(tree.SelectedItem(), nullptr);
    EXPECT_EQ(tree.DropHighlight(), nullptr);
    EXPECT_EQ(tree.LastEnsuredVisible(), "");
    EXPECT_EQ(RowKeys(tree), (std::vector<std::string>{"wb1", "wb1|1", "wb1|2", "wb2"}));
}

TEST(HeadlessTreeNodes, NodesOutlivingTheTreeStaySafe) {
    TreeNodePtr survivor;
    {
        HeadlessTree tree;
        Fill(tree);
        survivor = tree.Nodes().Item("wb2|1");
    }
    survivor->SetText("x");
    survivor->EnsureVisible();
    EXPECT_EQ(survivor->Text(), "売上");
    EXPECT_EQ(survivor->Parent()->Key(), "wb2");
}

TEST(HeadlessTreePainting, ARebuildInsideAnUpdatePaintsOnce) {
    HeadlessTree tree;
    tree.BeginUpdate();
    tree.BeginUpdate();
    Fill(tree);
    tree.Nodes().Item("wb1|1")->SetSelected(true);
    tree.EndUpdate();
    EXPECT_EQ(tree.PaintCount(), 0) << "still inside the outer update";
    EXPECT_EQ(tree.UpdateDepth(), 1);
    tree.EndUpdate();
    EXPECT_EQ(tree.PaintCount(), 1);
    tree.EndUpdate();  // one too many: ignored
    EXPECT_EQ(tree.UpdateDepth(), 0);

    tree.Nodes().Item("wb1|1")->SetText("Umsatz");
    tree.Nodes().Item("wb1|1")->SetText("Umsatz");  // unchanged: nothing to paint
    tree.Nodes().Item("wb1|2")->SetBold(true);
    EXPECT_EQ(tree.PaintCount(), 3) << "changes outside an update each paint";
}

TEST(HeadlessTreePainting, AFrozenWindowHoldsPaintingBackUntilItThaws) {
    HeadlessTree tree;
    bool frozen = true;
    tree.SetPaintGate([&] { return frozen; });
    tree.BeginUpdate();
    Fill(tree);
    tree.EndUpdate();
    EXPECT_EQ(tree.PaintCount(), 0);

    frozen = false;
    tree.WindowUnfrozen();
    tree.WindowUnfrozen();  // nothing new held back
    EXPECT_EQ(tree.PaintCount(), 1);
}

TEST_F(PaneTree, APressReportsAPointThatHitTestMapsBackToTheNode) {
    tree.Press("wb1|2", vb::kRightButton);
    tree.PressEmpty(vb::kLeftButton);

    EXPECT_EQ(sink.log, (std::vector<std::string>{"MouseDown 2 wb1|2", "MouseDown 1 (none)"}));
    EXPECT_EQ(tree.SelectedItem(), nullptr) << "the handler cleared the selection on the empty part";
}

TEST_F(PaneTree, DestroyingTheConnectionDetachesTheSink) {
    EXPECT_EQ(tree.SinkCount(), 1u);
    connection.reset();
    tree.Press("wb1", vb::kLeftButton);
    EXPECT_TRUE(sink.log.empty());
    EXPECT_EQ(tree.SinkCount(), 0u);
}

TEST_F(PaneTree, ASinkDetachedByAnEarlierHandlerHearsNoMore) {
    RecordingSink second(tree);
    auto secondConnection = tree.Advise(second);
    sink.onMouseDown = [&] { secondConnection.reset(); };

    tree.Press("wb1", vb::kLeftButton);

    EXPECT_EQ(sink.log.size(), 1u);
    EXPECT_TRUE(second.log.empty());
}

TEST_F(PaneTree, ADragPressesStartsHoversAndDropsInThatOrder) {
    EXPECT_TRUE(tree.Drag("wb1|1", "wb2"));

    EXPECT_EQ(sink.log, (std::vector<std::string>{"MouseDown 1 wb1|1", "OLEStartDrag 3", "OLEDragOver 0 wb2",
                                                  "OLEDragDrop wb1|1 wb2 effect 3"}));
    ASSERT_NE(tree.DragData(), nullptr);
    EXPECT_EQ(tree.DragData()->Text(), "wb1|1");
    EXPECT_FALSE(tree.Dragging());
}

TEST_F(PaneTree, TheDragStepsCanBeScriptedOneByOne) {
    ASSERT_TRUE(tree.StartDrag("wb1|2"));
    tree.DragOver("wb1|1");
    tree.DragOver("wb2");
    tree.DropOn("wb2");

    EXPECT_EQ(sink.log, (std::vector<std::string>{"MouseDown 1 wb1|2", "OLEStartDrag 3", "OLEDragOver 0 wb1|1",
                                                  "OLEDragOver 2 wb2", "OLEDragDrop wb1|2 wb2 effect 3"}));
    EXPECT_THROW(tree.DropOn("wb2"), ScriptError) << "the drag is over";
}

TEST_F(PaneTree, LeavingTheTreeEndsTheDragWithoutADrop) {
    ASSERT_TRUE(tree.StartDrag("wb1|2"));
    tree.DragOver("wb1");
    tree.DragLeave();

    EXPECT_EQ(sink.log.back(), "OLEDragOver 1 wb1");
    EXPECT_FALSE(tree.Dragging());
}

TEST_F(PaneTree, ATargetThatRefusesTheDropHearsThePointerLeave) {
    sink.refuseDrop = true;
    tree.Drag("wb1|1", "wb1|2");
    EXPECT_EQ(sink.log.back(), "OLEDragOver 1 wb1|2");
    for (const auto& entry : sink.log) EXPECT_EQ(entry.find("OLEDragDrop"), std::string::npos);
}

TEST_F(PaneTree, TextFromAnotherProgramIsDroppedWithoutPressOrStart) {
    tree.DragText("Hallo", "wb1");
    tree.DragText("wb1|1", "");  // onto the empty part below the rows

    EXPECT_EQ(sink.log, (std::vector<std::string>{"OLEDragOver 0 wb1", "OLEDragDrop Hallo wb1 effect 1",
                                                  "OLEDragOver 0 (none)", "OLEDragDrop wb1|1 (none) effect 1"}));
}

TEST_F(PaneTree, TheDropTargetIsFoundAfterAPressThatRebuiltTheTree) {
    // The press activates the sheet; the host's events rebuild the tree
    // before the drag starts, as the pane's handler can cause.
    sink.onMouseDown = [this] {
        tree.Nodes().Clear();
        Fill(tree);
        tree.Nodes().Item("wb2")->SetExpanded(true);
        tree.Nodes().Item("wb1|2")->SetSelected(true);
    };
    tree.Drag("wb1|1", "wb2|1");
    EXPECT_EQ(sink.log.back(), "OLEDragDrop wb1|2 wb2|1 effect 3");
}

TEST(HeadlessTreeDragModes, WithoutAutomaticDragOrManualDropNoDragHappens) {
    HeadlessTree tree;
    Fill(tree);
    RecordingSink sink(tree);
    const auto connection = tree.Advise(sink);

    EXPECT_FALSE(tree.Drag("wb1|1", "wb2")) << "manual drag mode starts no drag";
    EXPECT_EQ(sink.log, (std::vector<std::string>{"MouseDown 1 wb1|1"}));

    tree.SetOLEDragMode(1);  // drop mode still none: the tree is no drop target
    EXPECT_TRUE(tree.Drag("wb1|1", "wb2"));
    EXPECT_EQ(sink.log, (std::vector<std::string>{"MouseDown 1 wb1|1", "MouseDown 1 wb1|1", "OLEStartDrag 3"}));
}

TEST(HeadlessTreeLook, PropertiesStartAtTheControlsDefaultsAndKeepWhatWasSet) {
    HeadlessTree tree;
    EXPECT_TRUE(tree.Properties().hideSelection);
    EXPECT_EQ(tree.Properties().oleDropMode, 0);
    tree.SetAppearance(0);
    tree.SetHideSelection(false);
    tree.SetLabelEdit(1);
    tree.SetLineStyle(1);
    tree.Move(50, 470, 3000, 6000);
    EXPECT_EQ(tree.Properties().appearance, 0);
    EXPECT_FALSE(tree.Properties().hideSelection);
    EXPECT_EQ(tree.Properties().labelEdit, 1);
    EXPECT_EQ(tree.Properties().lineStyle, 1);
    EXPECT_EQ(tree.Position().top, 470);
    EXPECT_EQ(tree.Position().height, 6000);
}

}  // namespace
}  // namespace brackwell::headless
