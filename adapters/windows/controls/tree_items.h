#pragma once
// Items of the common controls' tree view made from the nodes of a TreeModel:
// one at a time, or all nodes that have none yet in one pass. Each item
// carries its node (item data) and takes text, picture and bold from it; the
// node keeps the item's handle (platformItem, 0 while it has none).

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "adapters/shared/tree_model.h"

namespace brackwell::win {

// The image list holds pictures 1 to kTreePictureCount at positions 0 to kTreePictureCount - 1.
inline constexpr int kTreePictureCount = 3;

inline HTREEITEM ItemOf(const shared::TreeModel::Node& node) {
    return reinterpret_cast<HTREEITEM>(node.platformItem);
}

// Inserts the item of `node` under `parent` (TVI_ROOT at the top level)
// after `after` (an item or TVI_FIRST, TVI_LAST) and records it in the
// node. `text` is scratch space the caller keeps between calls.
HTREEITEM InsertTreeItem(HWND tree, shared::TreeModel::Node& node, HTREEITEM parent, HTREEITEM after,
                         std::wstring& text);

// Gives every node of `model` without an item its item, in its place among
// its siblings: the whole top level first, then the level below, and so on,
// so that a parent is always among the first items of the control (Wine's
// tree looks up a parent by walking its items in the order they were made).
// A parent marked expanded whose children all arrived here is opened after
// they are in. Each insert and opening notifies the control's parent.
void InsertPendingItems(HWND tree, const shared::TreeModel& model, std::wstring& text);

}  // namespace brackwell::win
