// The node collection rules that the headless tree and the Windows tree
// adapter share.

#include "adapters/shared/tree_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/headless/error_of.h"

namespace brackwell::shared {
namespace {

using Rel = TreeRelationship;
using Keys = std::vector<std::string>;
using test_support::ErrorOf;

Keys KeysOf(const std::vector<TreeModel::NodePtr>& nodes) {
    Keys keys;
    for (const auto& node : nodes) keys.push_back(node->Key());
    return keys;
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

TEST(TreeModelKeys, KeysAreUniqueExactNotDigitOnlyAndFailWithTheControlsErrors) {
    TreeModel model;
    model.Add("", Rel::Last, "wb1", "Mappe1", 1);

    EXPECT_EQ(ErrorOf([&] { model.Add("", Rel::Last, "wb1", "again", 1); }), err::kKeyNotUnique);
    EXPECT_EQ(test_support::DescriptionOf([&] { model.Add("", Rel::Last, "wb1", "again", 1); }),
              "Schlüssel ist in der Auflistung nicht eindeutig");
    EXPECT_EQ(ErrorOf([&] { model.Add("", Rel::Last, "123", "digits", 1); }), err::kInvalidKey);
    EXPECT_EQ(test_support::DescriptionOf([&] { model.Add("nowhere", Rel::Child, "x", "orphan", 1); }),
              "Element nicht gefunden");
    EXPECT_EQ(model.Count(), 1) << "failed additions must leave no node behind";

    // Digits beside letters, another case and empty keys are all fine.
    EXPECT_NO_THROW(model.Add("", Rel::Last, "1a", "mixed", 1));
    EXPECT_NO_THROW(model.Add("", Rel::Last, "WB1", "other case", 1));
    EXPECT_NO_THROW(model.Add("", Rel::Last, "", "first without key", 1));
    EXPECT_NO_THROW(model.Add("", Rel::Last, "", "second without key", 1));
    EXPECT_EQ(model.Item("WB1")->Text(), "other case");
    EXPECT_EQ(model.Find(""), nullptr) << "a node without key cannot be looked up";
    EXPECT_EQ(ErrorOf([&] { model.Item(""); }), err::kElementNotFound);
}

TEST(TreeModelAdd, EachRelationshipPlacesTheNodeBesideItsRelativeUnderTheSameParent) {
    TreeModel model;
    AddTwoWorkbooks(model);
    model.Add("wb1|2", Rel::Previous, "p", "vor Tabelle2", 2);
    model.Add("wb1|2", Rel::Next, "n", "nach Tabelle2", 2);
    model.Add("wb1|2", Rel::First, "f", "ganz vorn", 2);
    model.Add("wb1|2", Rel::Last, "l", "ganz hinten", 2);
    EXPECT_EQ(KeysOf(model.Item("wb1")->Children()), (Keys{"f", "wb1|1", "p", "wb1|2", "n", "wb1#1", "l"}));
    EXPECT_EQ(model.Item("p")->Parent(), model.Item("wb1"));
}

TEST(TreeModelRemove, RemovingTakesTheBranchRenumbersTheRestAndFreesTheKeys) {
    TreeModel model;
    AddTwoWorkbooks(model);
    model.Remove(model.Item("wb1#1")->Index());  // a leaf: parent and siblings stay
    EXPECT_EQ(model.Item("wb1")->Children().size(), 2u);
    EXPECT_EQ(model.Item("wb2")->Index(), 4);
    EXPECT_EQ(ErrorOf([&] { model.Remove(0); }), kIndexOutOfBounds);
    EXPECT_EQ(ErrorOf([&] { model.Remove(6); }), kIndexOutOfBounds);

    const auto wb1 = model.Item("wb1");
    const auto sheet = model.Item("wb1|2");
    const auto removed = model.Remove(wb1->Index());

    EXPECT_EQ(KeysOf(removed), (Keys{"wb1", "wb1|1", "wb1|2"}));
    EXPECT_EQ(KeysOf(model.Collection()), (Keys{"wb2", "wb2|1"}));
    EXPECT_EQ(model.Item("wb2|1")->Index(), 2);
    // The removed nodes answer with their last values and their keys are free again.
    EXPECT_FALSE(sheet->InTree());
    EXPECT_EQ(sheet->Index(), 3);
    EXPECT_EQ(sheet->Parent(), wb1);
    EXPECT_EQ(ErrorOf([&] { model.Item("wb1|2"); }), err::kElementNotFound);
    EXPECT_NO_THROW(model.Add("", Rel::Last, "wb1", "Mappe1 again", 1));

    // Writes to removed nodes change nothing.
    const auto other = model.Item("wb2|1");
    model.Clear();
    EXPECT_EQ(model.Count(), 0);
    EXPECT_FALSE(model.SetText(other, "neu"));
    EXPECT_FALSE(model.SetBold(other, true));
    EXPECT_FALSE(model.Select(other));
    EXPECT_FALSE(model.SetDropHighlight(other));
    EXPECT_EQ(other->Text(), "Übersicht");
    EXPECT_FALSE(other->Bold());
    EXPECT_EQ(model.Selection(), nullptr);
}

TEST(TreeModelSelection, RemovingTheSelectionMovesItLikeTheCommonControl) {
    TreeModel model;
    AddTwoWorkbooks(model);

    // Removing another branch keeps the selection and drops that branch's highlight.
    model.Select(model.Item("wb1|1"));
    model.SetDropHighlight(model.Item("wb2|1"));
    model.Remove(model.Item("wb2|1")->Index());
    EXPECT_EQ(model.Selection()->Key(), "wb1|1");
    EXPECT_EQ(model.DropHighlight(), nullptr);
    model.Add("wb2", Rel::Child, "wb2|1", "Übersicht", 2);

    model.Remove(model.Item("wb1|1")->Index());
    EXPECT_EQ(model.Selection()->Key(), "wb1|2") << "to the next sibling";
    const auto next = model.Selection();
    model.Select(model.Item("wb1#1"));
    EXPECT_FALSE(next->Selected()) << "one node is selected at a time";
    model.Remove(model.Item("wb1#1")->Index());
    EXPECT_EQ(model.Selection()->Key(), "wb1") << "without a next sibling, to the parent";

    model.Select(model.Item("wb2|1"));
    model.Remove(model.Item("wb2")->Index());
    EXPECT_EQ(model.Selection()->Key(), "wb1") << "a removed top-level branch: to the previous sibling";

    model.Remove(model.Item("wb1")->Index());
    EXPECT_EQ(model.Selection(), nullptr);
}

TEST(TreeModelLifetime, NodesOutlivingTheirTreeKeepTheirLastValuesAndParent) {
    TreeModel::NodePtr sheet;
    TreeModel::NodePtr workbook;
    TreeModel::NodePtr sibling;
    {
        TreeModel model;
        AddTwoWorkbooks(model);
        sheet = model.Item("wb2|1");
        workbook = model.Item("wb1");
        sibling = model.Item("wb1|2");
    }
    EXPECT_EQ(sibling->Parent(), workbook);
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
}  // namespace brackwell::shared
