#include "adapters/shared/item_reconciler.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace brackwell::shared {
namespace {

using Item = ShownItems::Item;
using NodePtr = TreeModel::NodePtr;

// Positions of old entries, and the nodes that replace them, for one list of siblings.
using Positions = std::vector<std::int32_t>;

bool ShowsSame(const Item& old, const TreeModel::Node& node) {
    return old.image == node.Image() && std::string_view(old.text) == node.Text();
}

// The longest run of matches whose old positions increase with the new
// ones: those items keep their order; every other match would be a move.
void KeepLongestIncreasing(Positions& match, std::size_t from, std::size_t to) {
    std::vector<std::size_t> tails;        // per run length, the new position ending the best run so far
    std::vector<std::size_t> before(to);   // the new position before each one in its run
    for (std::size_t j = from; j < to; ++j) {
        if (match[j] < 0) continue;
        const auto at = std::lower_bound(tails.begin(), tails.end(), match[j],
                                         [&](std::size_t t, std::int32_t o) { return match[t] < o; });
        before[j] = at == tails.begin() ? to : *(at - 1);
        if (at == tails.end()) {
            tails.push_back(j);
        } else {
            *at = j;
        }
    }
    std::vector<bool> kept(to, false);
    for (std::size_t j = tails.empty() ? to : tails.back(); j != to; j = before[j]) kept[j] = true;
    for (std::size_t j = from; j < to; ++j) {
        if (!kept[j]) match[j] = -1;
    }
}

class Reconciler {
public:
    Reconciler(const ShownItems& before, ItemSink& control) : old_(before.Items()), control_(control) {
        // The children of each old entry, as one list of positions.
        firstChild_.assign(old_.size() + 2, 0);
        for (const Item& item : old_) ++firstChild_[static_cast<std::size_t>(item.parent + 1) + 1];
        for (std::size_t i = 1; i < firstChild_.size(); ++i) firstChild_[i] += firstChild_[i - 1];
        children_.resize(old_.size());
        std::vector<std::int32_t> next(firstChild_.begin(), firstChild_.end() - 1);
        for (std::size_t i = 0; i < old_.size(); ++i) {
            children_[static_cast<std::size_t>(next[static_cast<std::size_t>(old_[i].parent + 1)]++)] =
                static_cast<std::int32_t>(i);
        }
    }

    void Siblings(std::int32_t oldParent, const std::vector<NodePtr>& nodes, std::intptr_t parentItem) {
        const std::size_t slot = static_cast<std::size_t>(oldParent + 1);
        const Positions olds(children_.begin() + firstChild_[slot], children_.begin() + firstChild_[slot + 1]);
        Positions match = Match(olds, nodes);

        if (control_.RemakesChangedLeaves()) {
            for (std::size_t j = 0; j < nodes.size(); ++j) {
                if (match[j] < 0 || !nodes[j]->Children().empty()) continue;
                const std::int32_t entry = olds[static_cast<std::size_t>(match[j])];
                const Item& old = old_[static_cast<std::size_t>(entry)];
                if (!ShowsSame(old, *nodes[j]) && !HasChildren(entry)) match[j] = -1;
            }
        }
        std::vector<bool> taken(olds.size(), false);
        std::size_t lastKept = 0;  // one past the last new node that keeps an item
        for (std::size_t j = 0; j < nodes.size(); ++j) {
            if (match[j] >= 0) {
                taken[static_cast<std::size_t>(match[j])] = true;
                lastKept = j + 1;
            }
        }
        // Deleting first leaves only the kept items for the new ones to go beside.
        for (std::size_t o = 0; o < olds.size(); ++o) {
            if (taken[o]) continue;
            control_.Delete(old_[static_cast<std::size_t>(olds[o])].handle);
        }

        std::intptr_t previous = 0;
        for (std::size_t j = 0; j < nodes.size(); ++j) {
            TreeModel::Node& node = *nodes[j];
            if (match[j] >= 0) {
                const std::int32_t entry = olds[static_cast<std::size_t>(match[j])];
                Reuse(entry, node);
                Siblings(entry, node.Children(), node.platformItem);
                SetOpen(node, HasChildren(entry));
            } else {
                control_.Insert(node, parentItem, previous, j >= lastKept);
                Fresh(node);
            }
            if (node.platformItem) previous = node.platformItem;
        }
    }

private:
    // Which old entry (position in `olds`) each node takes over; -1: none.
    Positions Match(const Positions& olds, const std::vector<NodePtr>& nodes) const {
        const std::size_t a = olds.size();
        const std::size_t b = nodes.size();
        Positions match(b, -1);
        const auto same = [&](std::size_t o, std::size_t j) {
            return ShowsSame(old_[static_cast<std::size_t>(olds[o])], *nodes[j]);
        };
        // Nearly always all of them: the same rows before and after.
        std::size_t head = 0;
        while (head < a && head < b && same(head, head)) {
            match[head] = static_cast<std::int32_t>(head);
            ++head;
        }
        std::size_t tail = 0;
        while (tail < a - head && tail < b - head && same(a - 1 - tail, b - 1 - tail)) {
            match[b - 1 - tail] = static_cast<std::int32_t>(a - 1 - tail);
            ++tail;
        }
        const std::size_t oldEnd = a - tail;
        const std::size_t newEnd = b - tail;
        if (head < oldEnd && head < newEnd) {
            // The rows in between: the same text and picture, in order where possible.
            std::unordered_map<std::string_view, std::vector<std::int32_t>> byText;
            for (std::size_t o = oldEnd; o-- > head;) {
                byText[old_[static_cast<std::size_t>(olds[o])].text].push_back(static_cast<std::int32_t>(o));
            }
            for (std::size_t j = head; j < newEnd; ++j) {
                const auto found = byText.find(nodes[j]->Text());
                if (found == byText.end()) continue;
                auto& candidates = found->second;  // earliest position last: taken from the back
                const auto pick = std::find_if(candidates.rbegin(), candidates.rend(), [&](std::int32_t o) {
                    return old_[static_cast<std::size_t>(olds[static_cast<std::size_t>(o)])].image == nodes[j]->Image();
                });
                if (pick == candidates.rend()) continue;
                match[j] = *pick;
                candidates.erase(std::next(pick).base());
            }
            KeepLongestIncreasing(match, head, newEnd);
            PairBetweenKept(match, head, newEnd, head, oldEnd);
        }
        return match;
    }

    // Between two kept rows, the old and new rows left over are paired in
    // order: such an item keeps its place and only shows something else.
    static void PairBetweenKept(Positions& match, std::size_t from, std::size_t to, std::size_t oldFrom,
                                std::size_t oldTo) {
        std::size_t oldNext = oldFrom;  // first old position after the last kept row
        std::size_t j = from;
        while (j <= to) {
            std::size_t gapEnd = j;
            while (gapEnd < to && match[gapEnd] < 0) ++gapEnd;
            const std::size_t oldGapEnd = gapEnd < to ? static_cast<std::size_t>(match[gapEnd]) : oldTo;
            for (std::size_t k = j, o = oldNext; k < gapEnd && o < oldGapEnd; ++k, ++o) {
                match[k] = static_cast<std::int32_t>(o);
            }
            oldNext = oldGapEnd + 1;
            j = gapEnd + 1;
        }
    }

    void Reuse(std::int32_t entry, TreeModel::Node& node) {
        const Item& old = old_[static_cast<std::size_t>(entry)];
        ItemChanges changes;
        changes.text = std::string_view(old.text) != node.Text();
        changes.image = old.image != node.Image();
        changes.bold = old.bold != node.Bold();
        changes.color = old.color != node.ForeColor();
        control_.Keep(old.handle, node, changes);
    }

    // A new item's children are all new, and it starts closed. A node the
    // control refused an item has none below it either: its children would
    // land at the top level.
    void Fresh(TreeModel::Node& node) {
        if (!node.platformItem) return;
        for (const NodePtr& child : node.Children()) {
            control_.Insert(*child, node.platformItem, 0, true);
            Fresh(*child);
        }
        if (node.Open()) control_.SetOpen(node.platformItem, true);
    }

    // Only an item that has or had children can show as open.
    void SetOpen(const TreeModel::Node& node, bool hadChildren) {
        if (!hadChildren && node.Children().empty()) return;
        if (control_.IsOpen(node.platformItem) != node.Open()) control_.SetOpen(node.platformItem, node.Open());
    }

    bool HasChildren(std::int32_t entry) const {
        const std::size_t slot = static_cast<std::size_t>(entry + 1);
        return firstChild_[slot + 1] > firstChild_[slot];
    }

    const std::vector<Item>& old_;
    ItemSink& control_;
    std::vector<std::int32_t> firstChild_;  // per entry + 1 (0: the top level), where its children start in children_
    std::vector<std::int32_t> children_;
};

}  // namespace

void ShownItems::Capture(const TreeModel& model) {
    items_.clear();
    items_.reserve(static_cast<std::size_t>(model.Count()));
    const auto add = [&](const auto& self, const NodePtr& node, std::int32_t parent) -> void {
        if (node->platformItem == 0) return;  // nothing shows it, nor anything below it
        const auto at = static_cast<std::int32_t>(items_.size());
        items_.push_back(
            {node->platformItem, parent, node->Image(), node->ForeColor(), node->Bold(), std::string(node->Text())});
        for (const NodePtr& child : node->Children()) self(self, child, at);
    };
    for (const NodePtr& root : model.Roots()) add(add, root, -1);
}

void ReconcileItems(const ShownItems& before, const TreeModel& model, ItemSink& control) {
    Reconciler(before, control).Siblings(-1, model.Roots(), 0);
}

}  // namespace brackwell::shared
