#include "adapters/headless/headless_items.h"

#include <algorithm>

namespace brackwell::headless {

using shared::TreeModel;

void HeadlessItems::Sync(const TreeModel& model) {
    shared::ShownItems before;
    std::unordered_map<std::intptr_t, std::int32_t> entry;  // each item's place in `before`
    for (const Row& row : Rows()) {
        const Item& item = items_.at(row.handle);
        entry[row.handle] = static_cast<std::int32_t>(before.Items().size());
        before.Append({row.handle, item.parent ? entry.at(item.parent) : -1, item.image, item.color, item.bold, item.text});
    }
    shared::ReconcileItems(before, model, *this);
}

std::vector<HeadlessItems::Row> HeadlessItems::Rows() const {
    std::vector<Row> rows;
    const auto walk = [&](const auto& self, const std::vector<std::intptr_t>& handles, std::int32_t depth) -> void {
        for (const std::intptr_t handle : handles) {
            const Item& item = items_.at(handle);
            rows.push_back({handle, depth, item.text, item.image, item.color, item.bold, item.open});
            self(self, item.children, depth + 1);
        }
    };
    walk(walk, roots_, 0);
    return rows;
}

void HeadlessItems::Show(Item& item, const TreeModel::Node& node) {
    item.text = std::string(node.Text());
    item.image = node.Image();
    item.color = node.ForeColor();
    item.bold = node.Bold();
}

void HeadlessItems::Keep(std::intptr_t handle, TreeModel::Node& node, const shared::ItemChanges& changes) {
    Item& item = items_.at(handle);
    if (changes.text) item.text = std::string(node.Text());
    if (changes.image) item.image = node.Image();
    if (changes.color) item.color = node.ForeColor();
    if (changes.bold) item.bold = node.Bold();
    node.platformItem = handle;
}

void HeadlessItems::SetOpen(std::intptr_t handle, bool open) {
    // The control opens only an item with children (one whose children were
    // all refused stays closed); closing always takes.
    Item& item = items_.at(handle);
    if (!open || !item.children.empty()) item.open = open;
}

void HeadlessItems::Delete(std::intptr_t handle) {
    const Item& item = items_.at(handle);
    std::erase(ChildrenOf(item.parent), handle);
    std::vector<std::intptr_t> gone{handle};
    for (std::size_t i = 0; i < gone.size(); ++i) {
        const auto& children = items_.at(gone[i]).children;
        gone.insert(gone.end(), children.begin(), children.end());
    }
    for (const std::intptr_t g : gone) items_.erase(g);
}

void HeadlessItems::Insert(TreeModel::Node& node, std::intptr_t parent, std::intptr_t after, bool last) {
    if (refuse_ && refuse_(node)) return;
    const std::intptr_t handle = nextHandle_++;
    Item& item = items_[handle];
    item.parent = parent;
    Show(item, node);
    std::vector<std::intptr_t>& siblings = ChildrenOf(parent);
    const auto at = last ? siblings.end() : after ? std::find(siblings.begin(), siblings.end(), after) + 1 : siblings.begin();
    siblings.insert(at, handle);
    node.platformItem = handle;
}

}  // namespace brackwell::headless
