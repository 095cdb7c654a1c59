#pragma once
// Items of the common controls' tree view made from the nodes of a TreeModel:
// one at a time, or all nodes that have none yet in one pass. Each item
// takes text and picture from its node; boldness is drawn (WinTreeView's
// custom draw), and every item is measured as bold. Item and node meet in a slot:
// the item's data points to it, and so does the node (platformItem, 0 while
// it has no item), so that a rebuild's new node can take over an item
// without telling the control.

#include <windows.h>

#include <commctrl.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "adapters/shared/tree_model.h"

namespace brackwell::win {

// The image list holds pictures 1 to kTreePictureCount at positions 0 to kTreePictureCount - 1.
inline constexpr int kTreePictureCount = 3;

// A node's picture number as the image list's index.
inline int TreeImageIndex(std::int32_t image) {
    return image >= 1 && image <= kTreePictureCount ? image - 1 : I_IMAGENONE;
}

struct TreeItemSlot {
    HTREEITEM item = nullptr;
    shared::TreeModel::Node* node = nullptr;  // null while no node of the tree shows through it
};

// Slots stay where they are until their item is deleted.
class TreeItemSlots {
public:
    TreeItemSlot& Take(shared::TreeModel::Node& node);
    void Give(TreeItemSlot* slot);  // the item is gone

private:
    std::deque<TreeItemSlot> slots_;
    std::vector<TreeItemSlot*> free_;
};

inline TreeItemSlot* SlotOf(const shared::TreeModel::Node& node) {
    return reinterpret_cast<TreeItemSlot*>(node.platformItem);
}

inline HTREEITEM ItemOf(const shared::TreeModel::Node& node) {
    const TreeItemSlot* slot = SlotOf(node);
    return slot ? slot->item : nullptr;
}

// The node an item shows, from its item data; null for none.
inline shared::TreeModel::Node* NodeOfItemData(LPARAM data) {
    const auto* slot = reinterpret_cast<const TreeItemSlot*>(data);
    return slot ? slot->node : nullptr;
}

// The control and its own window procedure, called straight: what the
// adapter that subclassed the control tells it need not pass the subclass,
// nor the window system's dispatch, again (a rebuild tells it every item).
struct TreeControl {
    HWND hwnd;
    WNDPROC procedure;
    TreeItemSlots* slots;

    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const {
        return ::CallWindowProcW(procedure, hwnd, message, wParam, lParam);
    }
};

// Inserts the item of `node` under `parent` (TVI_ROOT at the top level)
// after `after` (an item or TVI_FIRST, TVI_LAST) and records it in the
// node. `text` is scratch space the caller keeps between calls.
HTREEITEM InsertTreeItem(const TreeControl& tree, shared::TreeModel::Node& node, HTREEITEM parent, HTREEITEM after,
                         std::wstring& text);

// Gives every node of `model` without an item its item, in its place among
// its siblings: the whole top level first, then the level below, and so on,
// so that a parent is always among the first items of the control (Wine's
// tree looks up a parent by walking its items in the order they were made).
// A parent marked expanded whose children all arrived here is opened after
// they are in. Each insert and opening notifies the control's parent.
void InsertPendingItems(const TreeControl& tree, const shared::TreeModel& model, std::wstring& text);

// The nodes added while an update holds the control back, as they came. A
// rebuild only ever appends: then they go in as they came, the whole top
// level first and then the others (each after its parent), all at the end of
// their siblings, and a parent that got its first children opens after
// them. Anything else (a node placed before others, a node removed) leaves
// the placing to InsertPendingItems.
class PendingItems {
public:
    // `last`: the node came as the last of its siblings.
    void Added(shared::TreeModel::Node& node, shared::TreeModel::Node* parent, bool last);
    void Disturbed() { asTheyCame_ = false; }  // a node was removed
    void Reset();                               // the tree was emptied
    bool Any() const { return any_; }
    // Puts every node of `model` without an item into the control; then Reset.
    void Insert(const TreeControl& tree, const shared::TreeModel& model, std::wstring& text);

private:
    std::vector<shared::TreeModel::Node*> roots_;
    std::vector<std::pair<shared::TreeModel::Node*, shared::TreeModel::Node*>> others_;  // node, parent
    std::vector<shared::TreeModel::Node*> firstChildren_;  // parents that got their first child
    bool asTheyCame_ = true;
    bool any_ = false;
};

}  // namespace brackwell::win
