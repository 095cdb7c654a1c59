#include "adapters/windows/controls/tree_items.h"

#include <vector>

#include "adapters/windows/common/utf.h"

namespace brackwell::win {
namespace {

using shared::TreeModel;

void Expand(const TreeControl& tree, HTREEITEM item) {
    tree.Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

// Inserts the children of `parentItem` that have no item yet. Behind the
// last child the control already holds, the new ones are simply appended.
// Returns whether the control held none of them before.
bool InsertMissingChildren(const TreeControl& tree, HTREEITEM parentItem, const std::vector<TreeModel::NodePtr>& children,
                           std::wstring& text) {
    std::size_t appendFrom = children.size();
    while (appendFrom > 0 && children[appendFrom - 1]->platformItem == 0) --appendFrom;
    const bool noneBefore = appendFrom == 0;
    HTREEITEM previous = TVI_FIRST;
    for (std::size_t i = 0; i < children.size(); ++i) {
        TreeModel::Node& child = *children[i];
        if (child.platformItem == 0) InsertTreeItem(tree, child, parentItem, i >= appendFrom ? TVI_LAST : previous, text);
        previous = ItemOf(child);
    }
    return noneBefore;
}

}  // namespace

HTREEITEM InsertTreeItem(const TreeControl& tree, TreeModel::Node& node, HTREEITEM parent, HTREEITEM after, std::wstring& text) {
    Utf8ToWide(node.Text(), text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
    insert.item.pszText = text.data();
    insert.item.iImage = insert.item.iSelectedImage = TreeImageIndex(node.Image());
    TreeItemSlot& slot = tree.slots->Take(node);
    insert.item.lParam = reinterpret_cast<LPARAM>(&slot);
    // Every label is measured in bold, so that a node custom draw shows in
    // bold fits its label; the others are drawn in the plain font.
    insert.item.stateMask = TVIS_BOLD;
    insert.item.state = TVIS_BOLD;
    slot.item = reinterpret_cast<HTREEITEM>(tree.Send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    if (!slot.item) {
        tree.slots->Give(&slot);
        return nullptr;
    }
    node.platformItem = reinterpret_cast<std::intptr_t>(&slot);
    return slot.item;
}

TreeItemSlot& TreeItemSlots::Take(TreeModel::Node& node) {
    TreeItemSlot* slot = nullptr;
    if (free_.empty()) {
        slot = &slots_.emplace_back();
    } else {
        slot = free_.back();
        free_.pop_back();
    }
    slot->node = &node;
    return *slot;
}

void TreeItemSlots::Give(TreeItemSlot* slot) {
    if (!slot) return;
    *slot = TreeItemSlot{};
    free_.push_back(slot);
}

void InsertPendingItems(const TreeControl& tree, const TreeModel& model, std::wstring& text) {
    InsertMissingChildren(tree, TVI_ROOT, model.Roots(), text);
    std::vector<TreeModel::Node*> level, below, toOpen;
    for (const auto& root : model.Roots()) {
        if (!root->Children().empty()) level.push_back(root.get());
    }
    while (!level.empty()) {
        below.clear();
        for (TreeModel::Node* parent : level) {
            // Under a parent the control refused an item, none: they would stand at the top level.
            if (!parent->platformItem) continue;
            if (InsertMissingChildren(tree, ItemOf(*parent), parent->Children(), text) && parent->ExpandedFlag())
                toOpen.push_back(parent);
            for (const auto& child : parent->Children()) {
                if (!child->Children().empty()) below.push_back(child.get());
            }
        }
        level.swap(below);
    }
    // Deepest first, each once all its children are in.
    for (auto open = toOpen.rbegin(); open != toOpen.rend(); ++open) Expand(tree, ItemOf(**open));
}

void PendingItems::Added(TreeModel::Node& node, TreeModel::Node* parent, bool last) {
    any_ = true;
    if (!last) asTheyCame_ = false;
    if (!asTheyCame_) return;
    if (!parent) {
        roots_.push_back(&node);
        return;
    }
    others_.emplace_back(&node, parent);
    if (parent->Children().size() == 1) firstChildren_.push_back(parent);
}

void PendingItems::Reset() {
    roots_.clear();
    others_.clear();
    firstChildren_.clear();
    asTheyCame_ = true;
    any_ = false;
}

void PendingItems::Insert(const TreeControl& tree, const TreeModel& model, std::wstring& text) {
    if (!any_) return;
    if (!asTheyCame_) {
        InsertPendingItems(tree, model, text);
    } else {
        for (TreeModel::Node* root : roots_) InsertTreeItem(tree, *root, TVI_ROOT, TVI_LAST, text);
        for (const auto& [node, parent] : others_) {
            if (parent->platformItem) InsertTreeItem(tree, *node, ItemOf(*parent), TVI_LAST, text);
        }
        // Later parents first: a branch inside another opens before it.
        for (auto open = firstChildren_.rbegin(); open != firstChildren_.rend(); ++open) {
            if ((*open)->ExpandedFlag() && (*open)->platformItem) Expand(tree, ItemOf(**open));
        }
    }
    Reset();
}

}  // namespace brackwell::win
