// The headless tree as a user and the component see it: rows and hit test,
// scrolling, painting and node objects.

#include "adapters/headless/headless_tree.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

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

TEST(HeadlessTreeRows, RowsShowTheOpenBranchesEachOneRowTallAndAsWideAsTheTree) {
    HeadlessTree tree;
    Fill(tree);
    tree.Move(50, 470, 3000, 20 * kRow);
    tree.Nodes().Item("wb1")->SetBold(true);
    tree.Nodes().Item("wb1|2")->SetForeColor(0x0000FF);
    tree.Nodes().Item("wb1|2")->SetSelected(true);
    EXPECT_EQ(tree.SelectedItem(), tree.Nodes().Item("wb1|2")) << "every look-up gives the same node object";
    EXPECT_EQ(tree.Dump(),
              "- Mappe1 {wb1} bold\n"
              "    Tabelle1 {wb1|1}\n"
              "    Tabelle2 {wb1|2} selected color=0000FF\n"
              "    Daten (Tabelle1!$A$1) {wb1#1}\n"
              "+ Mappe2 {wb2}\n");
    EXPECT_EQ(KeyAt(tree, 2999, kRow - 1), "wb1");
    EXPECT_EQ(KeyAt(tree, 10, kRow), "wb1|1");
    EXPECT_EQ(KeyAt(tree, 10, 5 * kRow + 5), "(none)") << "below the last row";
    EXPECT_EQ(KeyAt(tree, 3000, 5), "(none)") << "right of the tree";
    EXPECT_EQ(KeyAt(tree, -1, 5), "(none)");

    tree.Nodes().Item("wb1")->SetExpanded(false);
    EXPECT_EQ(RowKeys(tree), (std::vector<std::string>{"wb1", "wb2"}));
    EXPECT_EQ(KeyAt(tree, 10, kRow + 5), "wb2");
}

TEST(HeadlessTreeScrolling, RevealingANodeExpandsItsAncestorsAndScrollsTheLeastNeeded) {
    HeadlessTree tree;
    Fill(tree);
    for (int j = 2; j <= 6; ++j) {
        tree.Nodes().Add("wb2", Rel::Child, "wb2|" + std::to_string(j), "Blatt" + std::to_string(j), 2);
    }
    tree.Move(0, 0, 3000, 3 * kRow);  // three rows fit
    ASSERT_EQ(tree.VisibleRowCount(), 3);

    tree.Nodes().Item("wb2|4")->EnsureVisible();  // row 8 once wb2 is open
    EXPECT_TRUE(tree.Nodes().Item("wb2")->Expanded());
    EXPECT_EQ(tree.FirstVisibleRow(), 6) << "scrolled so that the node is the bottom row";
    EXPECT_EQ(tree.LastEnsuredVisible(), "wb2|4");
    EXPECT_EQ(KeyAt(tree, 10, 2 * kRow + 5), "wb2|4");
    tree.Nodes().Item("wb1|1")->EnsureVisible();
    EXPECT_EQ(tree.FirstVisibleRow(), 1) << "scrolled up until the node is the top row";

    // Selecting reveals too; collapsing leaves no empty rows below the last one.
    tree.SetSelectedItem(tree.Nodes().Item("wb2|6"));
    EXPECT_TRUE(tree.IsInView("wb2|6"));
    tree.Nodes().Item("wb2")->SetExpanded(false);
    EXPECT_EQ(tree.FirstVisibleRow(), 2);
    tree.Nodes().Clear();
    EXPECT_EQ(tree.FirstVisibleRow(), 0);
}

TEST(HeadlessTreePainting, ARebuildInsideAnUpdatePaintsOnce) {
    HeadlessTree tree;
    tree.BeginUpdate();
    tree.BeginUpdate();
    Fill(tree);
    tree.EndUpdate();
    EXPECT_EQ(tree.PaintCount(), 0) << "still inside the outer update";
    tree.EndUpdate();
    EXPECT_EQ(tree.PaintCount(), 1);
    tree.EndUpdate();  // one too many: ignored, or the changes below would be held back

    tree.Nodes().Item("wb1|1")->SetText("Umsatz");
    tree.Nodes().Item("wb1|1")->SetText("Umsatz");  // unchanged: nothing to paint
    tree.Nodes().Item("wb1|2")->SetBold(true);
    EXPECT_EQ(tree.PaintCount(), 3) << "changes outside an update each paint";
}

// A node whose item the control refused leaves the nodes below it without
// items too, wherever the item was to be made: from empty, or among kept
// ones. None of them lands at the top level, and a later rebuild gives them all.
TEST(HeadlessTreeItems, NothingBelowARefusedItemLandsAtTheTopLevel) {
    HeadlessTree tree;
    tree.KeepItems();
    const auto rebuild = [&](const std::function<void()>& more) {
        tree.BeginUpdate();
        tree.Nodes().Clear();
        Fill(tree);
        more();
        tree.EndUpdate();
    };
    const auto items = [&] {
        std::string shown;
        for (const auto& row : tree.ItemRows()) shown += std::string(2 * row.depth, ' ') + row.text + "\n";
        return shown;
    };
    const auto third = [&] {
        tree.Nodes().Add("", Rel::Last, "wb3", "Mappe3", 1)->SetExpanded(true);
        tree.Nodes().Add("wb3", Rel::Child, "wb3|1", "Neu", 2);
    };
    tree.RefuseItemInserts([](const TreeModel::Node& node) { return node.Text() == "Mappe1"; });
    rebuild([] {});
    EXPECT_EQ(items(), "Mappe2\n  売上\n");
    tree.RefuseItemInserts([](const TreeModel::Node& node) { return node.Text() == "Mappe3"; });
    rebuild(third);
    EXPECT_EQ(items(), "Mappe1\n  Tabelle1\n  Tabelle2\n  Daten (Tabelle1!$A$1)\nMappe2\n  売上\n");
    tree.RefuseItemInserts(nullptr);
    rebuild(third);
    EXPECT_EQ(items(), "Mappe1\n  Tabelle1\n  Tabelle2\n  Daten (Tabelle1!$A$1)\nMappe2\n  売上\nMappe3\n  Neu\n");
}

TEST(HeadlessTreeTyping, TypingSelectsTheNextNodeStartingWithTheLettersAcrossCollapsedWorkbooks) {
    struct PressCounter final : TreeEvents {
        void MouseDown(std::int16_t, std::int16_t, float, float) override { ++presses; }
        void OLEStartDrag(DataObject&, std::int32_t&) override {}
        void OLEDragOver(DataObject&, std::int32_t&, std::int16_t, std::int16_t, float, float, std::int16_t) override {}
        void OLEDragDrop(DataObject&, std::int32_t&, std::int16_t, std::int16_t, float, float) override {}
        int presses = 0;
    } sink;
    HeadlessTree tree;
    const auto connection = tree.Advise(sink);
    TreeNodes& nodes = tree.Nodes();
    nodes.Add("", Rel::Last, "wb1", "Mappe1", 1)->SetExpanded(true);
    nodes.Add("wb1", Rel::Child, "wb1|1", "Übersicht", 2);
    nodes.Add("wb1", Rel::Child, "wb1|2", "Umsatz", 2);
    nodes.Add("wb1", Rel::Child, "wb1|3", "売上", 2)->SetSelected(true);
    nodes.Add("", Rel::Last, "wb2", "Bericht", 1);  // collapsed
    nodes.Add("wb2", Rel::Child, "wb2|1", "Umsatz 2", 2);
    nodes.Add("wb2", Rel::Child, "wb2|2", "Zahlen", 2);
    const auto selected = [&] { return tree.SelectedItem() ? tree.SelectedItem()->Key() : "(none)"; };

    tree.TypeKeys(U"u", 0);  // the next U after the selection, in the collapsed workbook
    EXPECT_EQ(selected(), "wb2|1");
    EXPECT_TRUE(nodes.Item("wb2")->Expanded());
    tree.TypeKeys(U"msatz", 500);  // the selected node still starts so: it stays
    EXPECT_EQ(selected(), "wb2|1");
    tree.TypeKeys(U"x", 900);
    EXPECT_EQ(tree.BeepCount(), 1) << "nothing starts with \"umsatzx\"";
    EXPECT_EQ(selected(), "wb2|1");
    tree.TypeKeys(U"\b 2", 1000);  // Backspace takes the x back
    tree.TypeKeys(U"u", 2001);      // after the pause, the selected node's initial: on to the next, wrapping
    EXPECT_EQ(tree.BeepCount(), 1);
    EXPECT_EQ(selected(), "wb1|2");
    tree.TypeKeys(U"u", 2100);  // the same letter again: the next one
    EXPECT_EQ(selected(), "wb2|1");
    tree.TypeKeys(U"ü", 4000);
    EXPECT_EQ(selected(), "wb1|1") << "case ignored beyond ASCII";
    EXPECT_EQ(sink.presses, 0) << "typing only selects";

    nodes.Clear();  // typing while a rebuild has emptied the tree
    tree.TypeKeys(U"u", 4100);
    EXPECT_EQ(tree.BeepCount(), 2);
    EXPECT_EQ(selected(), "(none)");
}

}  // namespace
}  // namespace brackwell::headless
