#pragma once
// Items of the headless tree as a real control keeps them: a row object per
// node that lives on until it is deleted, brought up to date by the same
// reconciliation that keeps the Windows tree view's items, and told of it as
// the Windows tree view is: a kept item changes only what the reconciliation
// says differs, and a changed row without children is made anew. So a test
// that compares the items with the nodes they should show sees a change the
// reconciliation missed. Inserts can be refused, as a control may refuse them.

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "adapters/shared/item_reconciler.h"
#include "adapters/shared/tree_model.h"

namespace brackwell::headless {

class HeadlessItems final : public shared::ItemSink {
public:
    // What one item shows, in display order.
    struct Row {
        std::intptr_t handle;
        std::int32_t depth;
        std::string text;
        std::int32_t image;
        Color color;
        bool bold;
        bool open;
    };

    // Brings the items to what `model` shows, from what they show now.
    void Sync(const shared::TreeModel& model);
    std::vector<Row> Rows() const;
    // Inserts of the nodes `refuse` says yes to fail from now on (null: none).
    void RefuseInserts(std::function<bool(const shared::TreeModel::Node&)> refuse) { refuse_ = std::move(refuse); }

    // ItemSink
    void Keep(std::intptr_t handle, shared::TreeModel::Node& node, const shared::ItemChanges& changes) override;
    void Delete(std::intptr_t handle) override;
    void Insert(shared::TreeModel::Node& node, std::intptr_t parent, std::intptr_t after, bool last) override;
    bool IsOpen(std::intptr_t handle) override { return items_.at(handle).open; }
    void SetOpen(std::intptr_t handle, bool open) override;
    bool RemakesChangedLeaves() const override { return true; }

private:
    struct Item {
        std::intptr_t parent = 0;
        std::vector<std::intptr_t> children;
        std::string text;
        std::int32_t image = 0;
        Color color = kSystemWindowText;
        bool bold = false;
        bool open = false;
    };

    std::vector<std::intptr_t>& ChildrenOf(std::intptr_t parent) { return parent ? items_.at(parent).children : roots_; }
    void Show(Item& item, const shared::TreeModel::Node& node);

    std::unordered_map<std::intptr_t, Item> items_;
    std::vector<std::intptr_t> roots_;
    std::intptr_t nextHandle_ = 1;
    std::function<bool(const shared::TreeModel::Node&)> refuse_;
};

}  // namespace brackwell::headless
