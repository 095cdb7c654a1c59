#include "adapters/shared/model_tree_nodes.h"

#include <utility>

namespace brackwell::shared {
namespace {

// One node as callers hold it. It answers from the model's record, so a node
// removed from the tree (or outliving the tree) keeps its last values; its
// writes reach the tree only while the node is in it.
class ModelTreeNode final : public TreeNode {
public:
    ModelTreeNode(TreeModel* model, TreeModelDisplay* display, std::weak_ptr<const bool> alive,
                  TreeModel::NodePtr node)
        : model_(model), display_(display), alive_(std::move(alive)), node_(std::move(node)) {}

    // The one object for `node`. Reaches the model only while the tree
    // lives (for its pool), so it is safe after the tree is gone.
    static TreeNodePtr For(TreeModel* model, TreeModelDisplay* display, const std::weak_ptr<const bool>& alive,
                           const TreeModel::NodePtr& node) {
        if (!node) return nullptr;
        if (TreeNodePtr existing = node->facade.lock()) return existing;
        auto created = alive.expired() ? std::make_shared<ModelTreeNode>(model, display, alive, node)
                                       : MakePooled<ModelTreeNode>(model->Pool(), model, display, alive, node);
        node->facade = created;
        return created;
    }

    const TreeModel::NodePtr& Record() const { return node_; }

    std::string Key() override { return node_->Key(); }
    std::string Text() override { return std::string(node_->Text()); }
    void SetText(const std::string& text) override {
        if (Live() && model_->SetText(node_, text)) display_->TextChanged(node_);
    }
    TreeNodePtr Parent() override { return For(model_, display_, alive_, node_->Parent()); }
    std::int32_t Children() override { return node_->ChildCount(); }
    std::int32_t Index() override { return node_->Index(); }
    Color ForeColor() override { return node_->ForeColor(); }
    void SetForeColor(Color color) override {
        if (Live() && model_->SetForeColor(node_, color)) display_->ForeColorChanged(node_);
    }
    bool Bold() override { return node_->Bold(); }
    void SetBold(bool bold) override {
        if (Live() && model_->SetBold(node_, bold)) display_->BoldChanged(node_);
    }
    bool Expanded() override { return node_->ExpandedFlag(); }
    void SetExpanded(bool expanded) override {
        if (Live() && model_->SetExpanded(node_, expanded)) display_->ExpandedChanged(node_);
    }
    bool Selected() override { return node_->Selected(); }
    void SetSelected(bool selected) override {
        if (!Live()) return;
        if (selected) {
            display_->SelectNode(node_);
        } else if (node_->Selected()) {
            display_->SelectNode(nullptr);
        }
    }
    void EnsureVisible() override {
        if (Live()) display_->EnsureNodeVisible(node_);
    }

private:
    bool Live() const { return !alive_.expired() && node_->InTree(); }

    TreeModel* model_;
    TreeModelDisplay* display_;
    std::weak_ptr<const bool> alive_;
    TreeModel::NodePtr node_;
};

}  // namespace

ModelTreeNodes::ModelTreeNodes(TreeModel& model, TreeModelDisplay& display, std::weak_ptr<const bool> alive)
    : model_(model), display_(display), alive_(std::move(alive)) {}

void ModelTreeNodes::Clear() {
    display_.ClearingNodes();
    model_.Clear();
}

TreeNodePtr ModelTreeNodes::Add(const std::string& relative, TreeRelationship relationship, const std::string& key,
                                const std::string& text, std::int32_t image) {
    const TreeModel::NodePtr node = model_.Add(relative, relationship, key, text, image);
    display_.NodeAdded(node);
    return Wrap(node);
}

void ModelTreeNodes::Remove(std::int32_t index) { display_.NodesRemoved(model_.Remove(index)); }

TreeNodePtr ModelTreeNodes::Item(const std::string& key) { return Wrap(model_.Item(key)); }

std::int32_t ModelTreeNodes::Count() { return model_.Count(); }

std::vector<TreeNodePtr> ModelTreeNodes::Enumerate() {
    std::vector<TreeNodePtr> nodes;
    nodes.reserve(model_.Collection().size());
    for (const auto& node : model_.Collection()) nodes.push_back(Wrap(node));
    return nodes;
}

TreeNodePtr ModelTreeNodes::Wrap(const TreeModel::NodePtr& node) const {
    return ModelTreeNode::For(&model_, &display_, alive_, node);
}

TreeModel::NodePtr ModelTreeNodes::Unwrap(const TreeNodePtr& node) const {
    const auto* ours = dynamic_cast<const ModelTreeNode*>(node.get());
    if (!ours || !model_.Contains(ours->Record())) return nullptr;
    return ours->Record();
}

void ModelTreeNodes::SelectItem(const TreeNodePtr& node) {
    if (!node) {
        display_.SelectNode(nullptr);
    } else if (const TreeModel::NodePtr record = Unwrap(node)) {
        display_.SelectNode(record);
    }
}

}  // namespace brackwell::shared
