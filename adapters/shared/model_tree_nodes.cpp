#include "adapters/shared/model_tree_nodes.h"

#include <utility>

namespace brackwell::shared {

// ---- the node objects ----
// Reads answer from the node, so a removed node (or one outliving its tree)
// keeps its last values; writes go to the model while the node is in it, and
// what they change is shown by the model's display.

namespace {

// A node's live tree, when something shows it.
TreeModel* ShownTree(const TreeModel::Node& node) {
    TreeModel* tree = node.LiveTree();
    return tree && tree->Display() ? tree : nullptr;
}

}  // namespace

std::string TreeModel::NodeObject::Key() { return node_.Key(); }
std::string TreeModel::NodeObject::Text() { return std::string(node_.Text()); }
std::int32_t TreeModel::NodeObject::Children() { return node_.ChildCount(); }
std::int32_t TreeModel::NodeObject::Index() { return node_.Index(); }
Color TreeModel::NodeObject::ForeColor() { return node_.ForeColor(); }
bool TreeModel::NodeObject::Bold() { return node_.Bold(); }
bool TreeModel::NodeObject::Expanded() { return node_.ExpandedFlag(); }
bool TreeModel::NodeObject::Selected() { return node_.Selected(); }

TreeNodePtr TreeModel::NodeObject::Parent() {
    const NodePtr parent = node_.Parent();
    return parent ? parent->Object() : nullptr;
}

// Each write first asks the node whether it changes anything, so an
// unchanged value costs no reference to the node.

void TreeModel::NodeObject::SetText(const std::string& text) {
    TreeModel* tree = ShownTree(node_);
    if (!tree || node_.Text() == text) return;
    const NodePtr self = node_.shared_from_this();
    if (tree->SetText(self, text)) tree->Display()->TextChanged(self);
}

void TreeModel::NodeObject::SetForeColor(Color color) {
    TreeModel* tree = ShownTree(node_);
    if (!tree || node_.ForeColor() == color) return;
    const NodePtr self = node_.shared_from_this();
    if (tree->SetForeColor(self, color)) tree->Display()->ForeColorChanged(self);
}

void TreeModel::NodeObject::SetBold(bool bold) {
    TreeModel* tree = ShownTree(node_);
    if (!tree || node_.Bold() == bold) return;
    const NodePtr self = node_.shared_from_this();
    if (tree->SetBold(self, bold)) tree->Display()->BoldChanged(self);
}

void TreeModel::NodeObject::SetExpanded(bool expanded) {
    TreeModel* tree = ShownTree(node_);
    if (!tree || node_.ExpandedFlag() == expanded) return;
    const NodePtr self = node_.shared_from_this();
    if (tree->SetExpanded(self, expanded)) tree->Display()->ExpandedChanged(self);
}

void TreeModel::NodeObject::SetSelected(bool selected) {
    TreeModel* tree = ShownTree(node_);
    if (!tree) return;
    if (selected) {
        tree->Display()->SelectNode(node_.shared_from_this());
    } else if (node_.Selected()) {
        tree->Display()->SelectNode(nullptr);
    }
}

void TreeModel::NodeObject::EnsureVisible() {
    if (TreeModel* tree = ShownTree(node_)) tree->Display()->EnsureNodeVisible(node_.shared_from_this());
}

// ---- the collection ----

ModelTreeNodes::ModelTreeNodes(TreeModel& model, TreeModelDisplay& display) : model_(model), display_(display) {
    model_.SetDisplay(&display_);
}

ModelTreeNodes::~ModelTreeNodes() { model_.SetDisplay(nullptr); }

void ModelTreeNodes::Clear() {
    display_.ClearingNodes();
    model_.Clear();
}

TreeNodePtr ModelTreeNodes::Add(const std::string& relative, TreeRelationship relationship, const std::string& key,
                                const std::string& text, std::int32_t image) {
    const TreeModel::NodePtr node = model_.Add(relative, relationship, key, text, image);
    display_.NodeAdded(node);
    return node->Object();
}

void ModelTreeNodes::Remove(std::int32_t index) { display_.NodesRemoved(model_.Remove(index)); }

TreeNodePtr ModelTreeNodes::Item(const std::string& key) { return Wrap(model_.Item(key)); }

std::int32_t ModelTreeNodes::Count() { return model_.Count(); }

std::vector<TreeNodePtr> ModelTreeNodes::Enumerate() {
    std::vector<TreeNodePtr> nodes;
    nodes.reserve(model_.Collection().size());
    for (const auto& node : model_.Collection()) nodes.push_back(node->Object());
    return nodes;
}

TreeNodePtr ModelTreeNodes::Wrap(const TreeModel::NodePtr& node) const { return node ? node->Object() : nullptr; }

TreeModel::NodePtr ModelTreeNodes::Unwrap(const TreeNodePtr& node) const {
    const auto* ours = dynamic_cast<const TreeModel::NodeObject*>(node.get());
    if (!ours) return nullptr;
    TreeModel::NodePtr record = ours->Record().shared_from_this();
    return model_.Contains(record) ? record : nullptr;
}

void ModelTreeNodes::SelectItem(const TreeNodePtr& node) {
    if (!node) {
        display_.SelectNode(nullptr);
    } else if (const TreeModel::NodePtr record = Unwrap(node)) {
        display_.SelectNode(record);
    }
}

}  // namespace brackwell::shared
