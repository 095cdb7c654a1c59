#pragma once
// A rebuild's reconciliation applied to the common controls' tree view: a
// new node takes over an item by its slot alone, and the control hears only
// of what it shows differently. A row whose colour or boldness changed is
// only drawn again (custom draw reads both from the node); before rows come,
// go, open or show another text or picture, the control is held back
// (`holdBack`), to be drawn whole at the end.

#include <functional>
#include <string>

#include "adapters/shared/item_reconciler.h"
#include "adapters/windows/controls/tree_items.h"

namespace brackwell::win {

class TreeItemSink final : public shared::ItemSink {
public:
    // `text` is scratch space the caller keeps between calls.
    TreeItemSink(const TreeControl& tree, std::wstring& text, std::function<void()> holdBack)
        : tree_(tree), text_(text), holdBack_(std::move(holdBack)) {}

    void Keep(std::intptr_t handle, shared::TreeModel::Node& node, const shared::ItemChanges& changes) override;
    void Delete(std::intptr_t handle) override;
    void Insert(shared::TreeModel::Node& node, std::intptr_t parent, std::intptr_t after, bool last) override;
    bool IsOpen(std::intptr_t handle) override;
    void SetOpen(std::intptr_t handle, bool open) override;
    // Changing a shown row's text makes the control measure every shown row
    // again at once, held back or not; rows made or deleted while it is held
    // back wait for the one measuring at the end.
    bool RemakesChangedLeaves() const override { return true; }

private:
    static HTREEITEM Item(std::intptr_t handle) { return reinterpret_cast<TreeItemSlot*>(handle)->item; }

    const TreeControl& tree_;
    std::wstring& text_;
    std::function<void()> holdBack_;
};

}  // namespace brackwell::win
