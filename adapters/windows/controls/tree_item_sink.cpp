#include "adapters/windows/controls/tree_item_sink.h"

#include <cstring>

#include "adapters/windows/common/utf.h"

namespace brackwell::win {

using shared::TreeModel;

void TreeItemSink::Keep(std::intptr_t handle, TreeModel::Node& node, const shared::ItemChanges& changes) {
    auto* slot = reinterpret_cast<TreeItemSlot*>(handle);
    slot->node = &node;
    node.platformItem = handle;
    if (changes.color || changes.bold) {
        // Custom draw takes the colour and the boldness from the node: the
        // row is drawn again, and the control measures nothing.
        RECT row{};
        std::memcpy(&row, &slot->item, sizeof(slot->item));  // TVM_GETITEMRECT finds the item there
        if (tree_.Send(TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&row))) ::InvalidateRect(tree_.hwnd, &row, TRUE);
    }
    if (!changes.text && !changes.image) return;
    // The control lays out every row again after each such change while it draws.
    holdBack_();
    TVITEMW tv{};
    tv.hItem = slot->item;
    if (changes.text) {
        Utf8ToWide(node.Text(), text_);
        tv.mask |= TVIF_TEXT;
        tv.pszText = text_.data();
    }
    if (changes.image) {
        tv.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        tv.iImage = tv.iSelectedImage = TreeImageIndex(node.Image());
    }
    tree_.Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
}

void TreeItemSink::Delete(std::intptr_t handle) {
    holdBack_();
    // The control gives the slots of the branch back as it deletes each item.
    tree_.Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Item(handle)));
}

void TreeItemSink::Insert(TreeModel::Node& node, std::intptr_t parent, std::intptr_t after, bool last) {
    holdBack_();
    InsertTreeItem(tree_, node, parent ? Item(parent) : TVI_ROOT, last ? TVI_LAST : after ? Item(after) : TVI_FIRST,
                   text_);
}

bool TreeItemSink::IsOpen(std::intptr_t handle) {
    return (tree_.Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(Item(handle)), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void TreeItemSink::SetOpen(std::intptr_t handle, bool open) {
    holdBack_();
    const HTREEITEM item = Item(handle);
    tree_.Send(TVM_EXPAND, open ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(item));
    if (!open && IsOpen(handle)) {
        // An item whose children are all gone keeps its state in the
        // control, which a collapse does not change.
        TVITEMW tv{};
        tv.mask = TVIF_STATE;
        tv.hItem = item;
        tv.stateMask = TVIS_EXPANDED;
        tree_.Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    }
}

}  // namespace brackwell::win
