#include "adapters/shared/tree_model.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "host/automation_error.h"

namespace brackwell::shared {
namespace {

// The control reads a key made only of digits as a position, so it refuses
// such a key when a node is added.
bool OnlyDigits(const std::string& key) {
    return !key.empty() && std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
}

[[noreturn]] void RaiseIndexOutOfBounds() {
    Raise(kIndexOutOfBounds, StandardDescription(err::kSubscriptOutOfRange));
}

}  // namespace

TreeModel::Node::Node(Token, TreeModel* owner, const std::string& key, const std::string& text,
                      std::int32_t image)
    : owner_(owner), key_(key), text_(text, owner->allocator_.Resource()), image_(image) {}

std::int32_t TreeModel::Node::ChildCount() const {
    return inTree_ ? static_cast<std::int32_t>(children_.size()) : removedChildCount_;
}

std::int32_t TreeModel::Node::Depth() const {
    std::int32_t depth = 0;
    for (NodePtr up = Parent(); up; up = up->Parent()) ++depth;
    return depth;
}

TreeModel::~TreeModel() { Clear(); }

TreeModel::NodePtr TreeModel::Add(const std::string& relative, TreeRelationship relationship,
                                  const std::string& key, const std::string& text, std::int32_t image) {
    if (OnlyDigits(key)) Raise(err::kInvalidKey);
    // One look-up checks the key and holds its place in the index; a failure
    // further on gives the place back.
    decltype(byKey_)::iterator slot;
    if (!key.empty()) {
        bool fresh = false;
        std::tie(slot, fresh) = byKey_.try_emplace(key);
        if (!fresh) Raise(err::kKeyNotUnique);
    }
    struct Release {
        TreeModel* model;
        decltype(byKey_)::iterator slot;
        ~Release() {
            if (!model) return;
            model->lastRelative_ = nullptr;
            model->byKey_.erase(slot);
        }
    } release{key.empty() ? nullptr : this, slot};

    // The index's own entry (no copy). A rebuild adds hundreds of children
    // under one parent in a row: the last relative found is tried first.
    const NodePtr* anchor = nullptr;
    if (!relative.empty()) {
        if (!lastRelative_ || lastRelative_->first != relative) {
            const auto found = byKey_.find(relative);
            lastRelative_ = found == byKey_.end() ? nullptr : &*found;
        }
        if (!lastRelative_ || !lastRelative_->second) Raise(err::kElementNotFound);
        anchor = &lastRelative_->second;
    }

    NodePtr node = MakePooled<Node>(allocator_, Token{}, this, key, text, image);
    if (!anchor) {
        roots_.push_back(node);
    } else if (relationship == TreeRelationship::Child) {
        node->parent_ = *anchor;
        (*anchor)->children_.push_back(node);
    } else {
        node->parent_ = (*anchor)->parent_;
        std::vector<NodePtr>& siblings = SiblingsOf(**anchor);
        const auto at = std::find(siblings.begin(), siblings.end(), *anchor);
        switch (relationship) {
        case TreeRelationship::First: siblings.insert(siblings.begin(), node); break;
        case TreeRelationship::Last: siblings.push_back(node); break;
        case TreeRelationship::Next: siblings.insert(at + 1, node); break;
        case TreeRelationship::Previous: siblings.insert(at, node); break;
        default: Raise(err::kInvalidCall);
        }
    }

    collection_.push_back(node);
    node->index_ = Count();
    if (release.model) slot->second = node;
    release.model = nullptr;
    return node;
}

std::vector<TreeModel::NodePtr> TreeModel::Remove(std::int32_t index) {
    const NodePtr node = At(index);

    // Where the selection goes, worked out while the branch is still there.
    NodePtr newSelection = selection_;
    bool selectionRemoved = false;
    for (NodePtr up = selection_; up; up = up->Parent()) {
        if (up == node) selectionRemoved = true;
    }
    if (selectionRemoved) {
        const std::vector<NodePtr>& siblings = SiblingsOf(*node);
        const auto at = std::find(siblings.begin(), siblings.end(), node);
        if (at + 1 != siblings.end()) {
            newSelection = *(at + 1);
        } else if (NodePtr parent = node->Parent()) {
            newSelection = parent;
        } else if (at != siblings.begin()) {
            newSelection = *(at - 1);
        } else {
            newSelection = nullptr;
        }
    }

    std::vector<NodePtr>& siblings = SiblingsOf(*node);
    siblings.erase(std::find(siblings.begin(), siblings.end(), node));

    std::vector<NodePtr> removed;
    AppendDisplayOrder(node, false, removed);
    for (const auto& gone : removed) {
        gone->inTree_ = false;
        if (!gone->key_.empty()) byKey_.erase(gone->key_);
        lastRelative_ = nullptr;
        if (gone == dropHighlight_) dropHighlight_ = nullptr;
    }

    Detach(removed);

    // Removed nodes keep the Index they had; the others are renumbered.
    std::erase_if(collection_, [](const NodePtr& n) { return !n->inTree_; });
    for (std::size_t i = 0; i < collection_.size(); ++i) collection_[i]->index_ = static_cast<std::int32_t>(i + 1);

    if (selectionRemoved) {
        selection_ = newSelection;
        if (selection_) selection_->selected_ = true;
    }
    return removed;
}

void TreeModel::Clear() {
    selection_ = nullptr;
    dropHighlight_ = nullptr;
    for (const auto& node : collection_) {
        node->inTree_ = false;
        node->removedChildCount_ = static_cast<std::int32_t>(node->children_.size());
    }
    // Only a node someone still holds must go on answering with its parent
    // (and so must the parent, and its parent); every other node simply goes.
    // Held are the nodes with more owners than the tree's own three: the
    // collection, the list of their siblings and the key index.
    std::vector<Node*> held;
    for (const auto& node : collection_) {
        const long owners = 2 + (node->key_.empty() ? 0 : 1);
        if (node.use_count() > owners) held.push_back(node.get());
    }
    for (Node* node : held) KeepAnswering(*node);
    collection_.clear();
    roots_.clear();
    lastRelative_ = nullptr;
    byKey_.clear();
}

void TreeModel::KeepAnswering(Node& node) {
    // Each node on the way up holds its parent instead of its children, so no
    // removed branch keeps itself alive.
    for (Node* up = &node; up && !up->kept_; up = up->removedParent_.get()) {
        up->kept_ = true;
        up->removedParent_ = up->parent_.lock();
        up->children_.clear();
    }
}

TreeModel::NodePtr TreeModel::Find(const std::string& key) const {
    const NodePtr* found = FindInPlace(key);
    return found ? *found : nullptr;
}

const TreeModel::NodePtr* TreeModel::FindInPlace(const std::string& key) const {
    if (key.empty()) return nullptr;
    const auto found = byKey_.find(key);
    return found == byKey_.end() || !found->second ? nullptr : &found->second;
}

TreeModel::NodePtr TreeModel::Item(const std::string& key) const {
    NodePtr node = Find(key);
    if (!node) Raise(err::kElementNotFound);
    return node;
}

TreeModel::NodePtr TreeModel::At(std::int32_t index) const {
    if (index < 1 || index > Count()) RaiseIndexOutOfBounds();
    return collection_[static_cast<std::size_t>(index - 1)];
}

std::vector<TreeModel::NodePtr> TreeModel::DisplayOrder() const {
    std::vector<NodePtr> out;
    out.reserve(collection_.size());
    for (const auto& root : roots_) AppendDisplayOrder(root, false, out);
    return out;
}

std::vector<TreeModel::NodePtr> TreeModel::ShownNodes() const {
    std::vector<NodePtr> out;
    for (const auto& root : roots_) AppendDisplayOrder(root, true, out);
    return out;
}

void TreeModel::AppendDisplayOrder(const NodePtr& node, bool onlyShown, std::vector<NodePtr>& out) const {
    out.push_back(node);
    if (onlyShown && !node->Open()) return;
    for (const auto& child : node->children_) AppendDisplayOrder(child, onlyShown, out);
}

bool TreeModel::IsShown(const Node& node) const {
    if (node.owner_ != this || !node.inTree_) return false;
    for (NodePtr up = node.Parent(); up; up = up->Parent()) {
        if (!up->Open()) return false;
    }
    return true;
}

bool TreeModel::Contains(const NodePtr& node) const { return node && node->owner_ == this && node->inTree_; }

bool TreeModel::SetText(const NodePtr& node, const std::string& text) {
    if (!Contains(node) || std::string_view(node->text_) == text) return false;
    node->text_.assign(text.data(), text.size());
    return true;
}

bool TreeModel::SetForeColor(const NodePtr& node, Color color) {
    if (!Contains(node) || node->foreColor_ == color) return false;
    node->foreColor_ = color;
    return true;
}

bool TreeModel::SetBold(const NodePtr& node, bool bold) {
    if (!Contains(node) || node->bold_ == bold) return false;
    node->bold_ = bold;
    return true;
}

bool TreeModel::SetExpanded(const NodePtr& node, bool expanded) {
    if (!Contains(node) || node->expanded_ == expanded) return false;
    node->expanded_ = expanded;
    return true;
}

bool TreeModel::ExpandAncestors(const NodePtr& node) {
    if (!Contains(node)) return false;
    bool changed = false;
    for (NodePtr up = node->Parent(); up; up = up->Parent()) changed = SetExpanded(up, true) || changed;
    return changed;
}

bool TreeModel::Select(const NodePtr& node) {
    if (node && !Contains(node)) return false;
    if (node == selection_) return false;
    if (selection_) selection_->selected_ = false;
    selection_ = node;
    if (selection_) selection_->selected_ = true;
    return true;
}

bool TreeModel::SetDropHighlight(const NodePtr& node) {
    if (node && !Contains(node)) return false;
    if (node == dropHighlight_) return false;
    if (dropHighlight_) dropHighlight_->dropHighlighted_ = false;
    dropHighlight_ = node;
    if (dropHighlight_) dropHighlight_->dropHighlighted_ = true;
    return true;
}

void TreeModel::Detach(const std::vector<NodePtr>& removed) {
    // First every parent link, while the children lists still keep the
    // parents alive; then the lists, so no removed branch keeps itself alive.
    for (const auto& node : removed) {
        node->removedParent_ = node->parent_.lock();
        node->removedChildCount_ = static_cast<std::int32_t>(node->children_.size());
    }
    for (const auto& node : removed) node->children_.clear();
}

std::vector<TreeModel::NodePtr>& TreeModel::SiblingsOf(const Node& node) {
    if (NodePtr parent = node.Parent()) return parent->children_;
    return roots_;
}

}  // namespace brackwell::shared
