#pragma once
// The node collection and node objects of a tree control that keeps its nodes
// in a TreeModel: every read answers from the model, every write goes to the
// model first, and what a change shows on screen is left to the control
// through TreeModelDisplay. The headless tree and the adapter of the real
// control share it, so both hand out nodes that behave alike.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "adapters/shared/tree_model.h"
#include "host/tree_view.h"

namespace brackwell::shared {

// The control's side. Each notice comes after the model took the change.
class TreeModelDisplay {
public:
    virtual void NodeAdded(const TreeModel::NodePtr& node) = 0;
    virtual void NodesRemoved(const std::vector<TreeModel::NodePtr>& removed) = 0;  // parents first
    // Before the model lets go of every node, while they are still there.
    virtual void ClearingNodes() = 0;
    virtual void TextChanged(const TreeModel::NodePtr& node) = 0;
    virtual void ForeColorChanged(const TreeModel::NodePtr& node) = 0;
    virtual void BoldChanged(const TreeModel::NodePtr& node) = 0;
    virtual void ExpandedChanged(const TreeModel::NodePtr& node) = 0;
    // Requests rather than notices: the control selects (empty clears the
    // selection) or scrolls to a node of its model the way it does that.
    virtual void SelectNode(const TreeModel::NodePtr& node) = 0;
    virtual void EnsureNodeVisible(const TreeModel::NodePtr& node) = 0;

protected:
    ~TreeModelDisplay() = default;
};

class ModelTreeNodes final : public TreeNodes {
public:
    // Makes `display` the model's display for as long as this collection
    // lives: node objects that outlive it keep answering and show nowhere.
    ModelTreeNodes(TreeModel& model, TreeModelDisplay& display);
    ~ModelTreeNodes() override;
    ModelTreeNodes(const ModelTreeNodes&) = delete;
    ModelTreeNodes& operator=(const ModelTreeNodes&) = delete;

    // TreeNodes
    void Clear() override;
    TreeNodePtr Add(const std::string& relative, TreeRelationship relationship, const std::string& key,
                    const std::string& text, std::int32_t image) override;
    void Remove(std::int32_t index) override;
    TreeNodePtr Item(const std::string& key) override;
    std::int32_t Count() override;
    std::vector<TreeNodePtr> Enumerate() override;

    // The one object for a model node (empty for an empty pointer), so that
    // callers comparing nodes see the same.
    TreeNodePtr Wrap(const TreeModel::NodePtr& node) const;
    // The model node behind one of these objects; empty for a removed node or
    // a node of another tree.
    TreeModel::NodePtr Unwrap(const TreeNodePtr& node) const;
    // SelectedItem's write: empty clears the selection; a removed node or a
    // node of another tree changes nothing.
    void SelectItem(const TreeNodePtr& node);

private:
    TreeModel& model_;
    TreeModelDisplay& display_;
};

}  // namespace brackwell::shared
