// The node collection rules that the headless tree and the Windows tree
// adapter share.

#include "adapters/headless/tree_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/automation_error.h"

namespace brackwell::headless {
namespace {

using Rel = TreeRelationship;

std::vector<std::string> Keys(const std::vector<TreeModel::NodePtr>& nodes) {
    std::vector<std::string> keys;
    for (const auto& node : nodes) keys.push_back(node->Key());
    return keys;
}

std::int32_t ErrorNumberOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const AutomationError& error) {
        return error.Number();
    }
    return 0;
}

// wb1 with sheets wb1|1, wb1|2 and name wb1#1; wb2 with sheet wb2|1.
void AddTwoWorkbooks(TreeModel& model) {
    model.Add("", Rel::Last, "wb1", "Mappe1", 1);
    model.Add("wb1", Rel::Child, "wb1|1", "Tabelle1", 2);
    model.Add("wb1", Rel::Child, "wb1|2", "Tabelle2", 2);
    model.Add("wb1", Rel::Child, "wb1#1", "Daten (Tabelle1!$A$1)", 3);
    model.Add("", Rel::Last, "wb2", "Mappe2", 1);
    model.Add("wb2", Rel::Child, "wb2|1", "Übersicht", 2);
}

TEST(TreeModelKeys, DuplicateDigitOnlyAndUnknownRelativeKeysFailWithTheControlsErrors) {
    TreeModel model;
    model.Add("", Rel::Last, "wb1", "Mappe1", 1);

    try {
        model.Add("", Rel::Last, "wb1", "again", 1);
        FAIL() << "a second node with key wb1 was accepted";
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.Number(), err::kKeyNotUnique);
        EXPECT_EQ(error.Description(), "Schlüssel ist in der Auflistung nicht eindeutig");
    }
    EXPECT_EQ(ErrorNumberOf([&] { model.Add("", Rel::Last, "123", "digits", 1); }), err::kInvalidKey);
    try {
        model.Add("nowhere", Rel::Child, "x", "orphan", 1);
        FAIL() << "a child of a missing relative was accepted";
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.Number(), err::kElementNotFound);
        EXPECT_EQ(error.Description(), "Element nicht gefunden");
    }
    // Keys that only start with a digit, or carry digits elsewhere, are fine.
    EXPECT_NO_THROW(model.Add("", Rel::Last, "1a", "mixed", 1));
    EXPECT_EQ(model.Count(), 2) << "failed additions must leave no node behind";
}

TEST(TreeModelKeys, KeysCompareExactlyAndEmptyKeysAreAllowedButNotFindable) {
    TreeModel model;
    model.Add("", Rel::Last, "wb1", "Mappe1", 1);
    EXPECT_NO_THROW(model.Add("", Rel::Last, "WB1", "other case", 1));
    EXPECT_NO_THROW(model.Add("", Rel::Last, "", "first without key", 1));
    EXPECT_NO_THROW(model.Add("", Rel::Last, "", "second without key", 1));

    EXPECT_EQ(model.Count(), 4);
    EXPECT_EQ(model.Item("WB1")->Text(), "other case");
    EXPECT_EQ(model.Find(""), nullptr);
    EXPECT_EQ(ErrorNumberOf([&] { model.Item(""); }), err::kElementNotFound);
    EXPECT_EQ(ErrorNumberOf([&] { model.Item("wb9"); }), err::kElementNotFound);
}

TEST(TreeModelOrder, RelationshipsPlaceNodesWhileIndexFollowsTheOrderOfAdding) {
    TreeModel model;
    model.Add("", Rel::Last, "b", "B", 0);
    model.Add("b", Rel::First, "a", "A", 0);     // before b
    model.Add("b", Rel::Last, "d", "D", 0);      // end of b's level
    model.Add("d", Rel::Previous, "c", "C", 0);  // between b and d
    model.Add("a", Rel::Next, "a2", "A2", 0);    // right after a
    model.Add("c", Rel::Child, "c1", "C1", 0);
    model.Add("c1", Rel::Last, "c2", "C2", 0);   // a sibling of c1 under c

    EXPECT_EQ(Keys(model.DisplayOrder()), (std::vector<std::string>{"a", "a2", "b", "c", "c1", "c2", "d"}));
    EXPECT_EQ(Keys(model.Collection()), (std::vector<std::string>{"b", "a", "d", "c", "a2", "c1", "c2"}));
    EXPECT_EQ(model.Item("b")->Index(), 1);
    EXPECT_EQ(model.Item("c2")->Index(), 7);
    EXPECT_EQ(model.Item("c2")->Parent(), model.Item("c"));
    EXPECT_EQ(model.Item("c2")->Depth(), 1);
    EXPECT_EQ(model.Item("a")->Parent(), nullptr);
}

TEST(TreeModelRemove, RemovingANodeTakesItsBranchAndRenumbersTheNodesAfterIt) {
    TreeModel model;
    AddTwoWorkbooks(model);
    const auto wb1 = model.Item("wb1");
    const auto sheet = model.Item("wb1|2");
    const auto wb2sheet = model.Item("wb2|1");

    const auto removed = model.Remove(wb1->Index());

    EXPECT_EQ(Keys(removed), (std::vector<std::string>{"wb1", "wb1|1", "wb1|2", "wb1#1"}));
    EXPECT_EQ(Keys(model.Collection()), (std::vector<std::string>{"wb2", "wb2|1"}));
    EXPECT_EQ(model.Item("wb2")->Index(), 1);
    EXPECT_EQ(wb2sheet->Index(), 2);
    // The removed nodes answer with their last values and their keys are free again.
    EXPECT_FALSE(sheet->InTree());
    EXPECT_EQ(sheet->Index(), 3);
    EXPECT_EQ(sheet->Text(), "Tabelle2");
    EXPECT_EQ(sheet->Parent(), wb1);
    EXPECT_EQ(ErrorNumberOf([&] { model.Item("wb1|2"); }), err::kElementNotFound);
    EXPECT_NO_THROW(model.Add("", Rel::Last, "wb1", "Mappe1 again", 1));
}

TEST(TreeModelRemove, RemovingALeafLeavesItsParentAndSiblings) {
    TreeModel model;
    AddTwoWorkbooks(model);
    model.Remove(model.Item("wb1#1")->Index());
    EXPECT_EQ(model.Count(), 5);
    EXPECT_EQ(model.Item("wb1")->Children().size(), 2u);
    EXPECT_EQ(model.Item("wb2")->Index(), 4);
    EXPECT_EQ(ErrorNumberOf([&] { model.Remove(0); }), kIndexOutOfBounds);
    EXPECT_EQ(ErrorNumberOf([&] { model.Remove(6); }), kIndexOutOfBounds);
}

TEST(TreeModelRemove, WritesToRemovedNodesChangeNothing) {
    TreeModel model;
    AddTwoWorkbooks(model);
    const auto sheet = model.Item("wb2|1");
    model.Clear();

    EXPECT_EQ(model.Count(), 0);
    EXPECT_FALSE(model.SetText(sheet, "neu"));
    EXPECT_FALSE(model.SetBold(sheet, true));
    EXPECT_FALSE(model.Select(sheet));
    EXPECT_FALSE(model.SetDropHighlight(sheet));
    EXPECT_EQ(sheet->Text(), "Übersicht");
    EXPECT_FALSE(sheet->Bold());
    EXPECT_EQ(model.Selection(), nullptr);
}

TEST(TreeModelExpansion, AnExpandedStateSetBeforeChildrenShowsOnceTheyArrive) {
    TreeModel model;
    const auto wb1 = model.Add("", Rel::Last, "wb1", "Mappe1", 1);
    EXPECT_TRUE(model.SetExpanded(wb1, true));
    EXPECT_TRUE(wb1->ExpandedFlag());
    EXPECT_FALSE(wb1->Open()) << "a node without children shows no open state";

    model.Add("wb1", Rel::Child, "wb1|1", "Tabelle1", 2);
    EXPECT_TRUE(wb1->Open());
    EXPECT_EQ(Keys(model.ShownNodes()), (std::vector<std::string>{"wb1", "wb1|1"}));

    model.Add("", Rel::Last, "wb2", "Mappe2", 1);
    model.Add("wb2", Rel::Child, "wb2|1", "Tabelle1", 2);
    EXPECT_EQ(Keys(model.ShownNodes()), (std::vector<std::string>{"wb1", "wb1|1", "wb2"}));
    EXPECT_FALSE(model.IsShown(*model.Item("wb2|1")));

    EXPECT_TRUE(model.ExpandAncestors(model.Item("wb2|1")));
    EXPECT_TRUE(model.IsShown(*model.Item("wb2|1")));
    EXPECT_FALSE(model.ExpandAncestors(model.Item("wb2|1"))) << "nothing left to change";
}

TEST(TreeModelDefaults, ANewNodeHasTheControlsDefaultLook) {
    TreeModel model;
    const auto node = model.Add("", Rel::Last, "wb1", "Mappe1", 1);
    EXPECT_EQ(node->ForeColor(), kSystemWindowText);
    EXPECT_FALSE(node->Bold());
    EXPECT_FALSE(node->ExpandedFlag());
    EXPECT_FALSE(node->Selected());
    EXPECT_EQ(node->Image(), 1);
    EXPECT_TRUE(model.SetForeColor(node, 0x0000FF));
    EXPECT_FALSE(model.SetForeColor(node, 0x0000FF)) << "the same colour again changes nothing";
    EXPECT_EQ(node->ForeColor(), 0x0000FFu);
}

TEST(TreeModelSelection, OneNodeIsSelectedAtATime) {
    TreeModel model;
    AddTwoWorkbooks(model);
    const auto first = model.Item("wb1|1");
    const auto second = model.Item("wb1|2");

    model.Select(first);
    model.Select(second);
    EXPECT_FALSE(first->Selected());
    EXPECT_TRUE(second->Selected());
    EXPECT_EQ(model.Selection(), second);

    model.Select(nullptr);
    EXPECT_FALSE(second->Selected());
    EXPECT_EQ(model.Selection(), nullptr);
}

TEST(TreeModelSelection, RemovingTheSelectionMovesItLikeTheCommonControl) {
    TreeModel model;
    AddTwoWorkbooks(model);

    model.Select(model.Item("wb1|1"));
    model.Remove(model.Item("wb1|1")->Index());
    EXPECT_EQ(model.Selection()->Key(), "wb1|2") << "to the next sibling";

    model.Select(model.Item("wb1#1"));
    model.Remove(model.Item("wb1#1")->Index());
    EXPECT_EQ(model.Selection()->Key(), "wb1") << "without a next sibling, to the parent";

    model.Select(model.Item("wb2|1"));
    model.Remove(model.Item("wb2")->Index());
    EXPECT_EQ(model.Selection()->Key(), "wb1") << "a removed top-level branch: to the previous sibling";

    model.Remove(model.Item("wb1")->Index());
    EXPECT_EQ(model.Selection(), nullptr);
}

TEST(TreeModelSelection, RemovingAnotherBranchKeepsSelectionAndDropsItsHighlight) {
    TreeModel model;
    AddTwoWorkbooks(model);
    model.Select(model.Item("wb2|1"));
    model.SetDropHighlight(model.Item("wb1|2"));

    model.Remove(model.Item("wb1")->Index());

    EXPECT_EQ(model.Selection()->Key(), "wb2|1");
    EXPECT_EQ(model.DropHighlight(), nullptr);
}

TEST(TreeModelForeignNodes, NodesOfAnotherTreeAreNotTakenForOwnOnes) {
    TreeModel model;
    TreeModel other;
    model.Add("", Rel::Last, "wb1", "Mappe1", 1);
    const auto stranger = other.Add("", Rel::Last, "wb1", "Mappe1", 1);

    EXPECT_FALSE(model.Contains(stranger));
    EXPECT_FALSE(model.Select(stranger));
    EXPECT_FALSE(model.SetText(stranger, "x"));
    EXPECT_EQ(stranger->Text(), "Mappe1");
}

TEST(TreeModelLifetime, NodesOutlivingTheirTreeKeepTheirLastValuesAndParent) {
    TreeModel::NodePtr sheet;
    TreeModel::NodePtr workbook;
    {
        TreeModel model;
        AddTwoWorkbooks(model);
        sheet = model.Item("wb2|1");
        workbook = model.Item("wb1");
    }
    EXPECT_FALSE(sheet->InTree());
    EXPECT_EQ(sheet->Text(), "Übersicht");
    EXPECT_EQ(sheet->Index(), 6);
    ASSERT_NE(sheet->Parent(), nullptr) << "the parent is kept although the tree let go of it";
    EXPECT_EQ(sheet->Parent()->Key(), "wb2");
    EXPECT_EQ(sheet->Depth(), 1);
    EXPECT_EQ(workbook->ChildCount(), 3);
    EXPECT_TRUE(workbook->Children().empty()) << "a removed node holds no children";
}

}  // namespace
}  // namespace brackwell::headless
