#pragma once
// A rebuild's reconciliation applied to the common controls' tree view: a
// new node takes over an item by its slot alone, and the control hears only
// of what it shows differently.

#include <string>

#include "adapters/shared/item_reconciler.h"
#include "adapters/windows/controls/tree_items.h"

namespace brackwell::win {

class TreeItemSink final : public shared::ItemSink {
public:
    // `text` is scratch space the caller keeps between calls.
    TreeItemSink(const TreeControl& tree, std::wstring& text) : tree_(tree), text_(text) {}

    void Keep(std::intptr_t handle, shared::TreeModel::Node& node, bool text, bool image, bool bold) override;
    void Delete(std::intptr_t handle) override;
    void Insert(shared::TreeModel::Node& node, std::intptr_t parent, std::intptr_t after, bool last) override;
    bool IsOpen(std::intptr_t handle) override;
    void SetOpen(std::intptr_t handle, bool open) override;

private:
    static HTREEITEM Item(std::intptr_t handle) { return reinterpret_cast<TreeItemSlot*>(handle)->item; }

    const TreeControl& tree_;
    std::wstring& text_;
};

}  // namespace brackwell::win
