#pragma once
// Bringing a control's items from what they showed before a rebuild to what
// the rebuilt TreeModel says, changing only what differs. A rebuild empties
// the model and fills it again with new nodes, nearly all of them showing
// what the old ones showed; a control that deleted and re-made every item
// would pay for all of them. Here each new node takes over the item of an
// old node that showed the same (same picture and text, among the same
// parent's items, in the same order), or else the item of a differing old
// node between the same neighbours (a renamed sheet keeps its row); only
// the rows that appeared, disappeared or moved are inserted or deleted.
// Portable, so the headless tree can apply it to items of its own and tests
// can compare the result with a control filled from empty.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "adapters/shared/tree_model.h"

namespace brackwell::shared {

// What a control's items showed, taken from the model just before it lets
// go of its nodes: each node's item (its platformItem) and what that item
// shows, in display order. Nodes without an item are left out.
class ShownItems {
public:
    struct Item {
        std::intptr_t handle;
        std::int32_t parent;  // position of the parent's entry; -1 at the top level
        std::int32_t image;
        Color color;
        bool bold;
        std::string text;
    };

    void Capture(const TreeModel& model);
    // An entry after those already there (its parent among them).
    void Append(Item item) { items_.push_back(std::move(item)); }
    void Reset() { items_.clear(); }
    bool Empty() const { return items_.empty(); }
    const std::vector<Item>& Items() const { return items_; }

private:
    std::vector<Item> items_;
};

// What a kept item shows differently.
struct ItemChanges {
    bool text = false;
    bool image = false;
    bool bold = false;
    bool color = false;
};

// The control's side of a reconciliation. Handles are the items' platformItem values.
class ItemSink {
public:
    // `node` takes over the item `handle` (and records it as its platformItem).
    virtual void Keep(std::intptr_t handle, TreeModel::Node& node, const ItemChanges& changes) = 0;
    // Deletes an item with everything below it.
    virtual void Delete(std::intptr_t handle) = 0;
    // Makes the item of `node` (recorded as its platformItem) under `parent`
    // (0 at the top level) directly after the sibling item `after` (0: as the
    // first); `last` says it goes after every sibling item. A control that
    // refuses the item leaves platformItem 0: the node then has no item, and
    // neither have the nodes below it.
    virtual void Insert(TreeModel::Node& node, std::intptr_t parent, std::intptr_t after, bool last) = 0;
    // The item's expanded state as the control shows it, and changing it.
    virtual bool IsOpen(std::intptr_t handle) = 0;
    virtual void SetOpen(std::intptr_t handle, bool open) = 0;
    // Whether a row without children that shows another text or picture is
    // better deleted and made anew than changed in place (a control may lay
    // out every row again after each change in place).
    virtual bool RemakesChangedLeaves() const { return false; }

protected:
    ~ItemSink() = default;
};

// Brings the items of `before` to what `model` shows: afterwards every node
// of the model (but one the control refused, and those below it) has an
// item, each showing its node's text, picture and boldness, in the model's
// order, each open exactly when its node is open (expanded with children,
// deepest first as a control filled from empty opens them). Selection and
// scrolling are left to the caller.
void ReconcileItems(const ShownItems& before, const TreeModel& model, ItemSink& control);

}  // namespace brackwell::shared
