#pragma once
// The node collection of a tree control as its callers see it: nodes with
// key, text and picture, parents and children, the collection order (Index)
// beside the display order, selection and drop highlight, and the rules and
// errors of the Windows common-controls tree. Portable, so the headless tree
// and the adapter of the real control apply the same rules; an adapter that
// shows the nodes in a real control mirrors each change the model reports.

#include <cstdint>
#include <memory>
#include <memory_resource>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "adapters/shared/pool_allocator.h"
#include "host/color.h"
#include "host/tree_view.h"

namespace brackwell::shared {

// Nodes.Remove with an index that names no node. Not among the shared error
// numbers because only the tree raises it.
inline constexpr std::int32_t kIndexOutOfBounds = 35600;

class TreeModelDisplay;  // model_tree_nodes.h

class TreeModel {
    struct Token {
        explicit Token() = default;
    };

public:
    class Node;
    using NodePtr = std::shared_ptr<Node>;

    // The object an adapter hands to its callers for a node (the TreeNode
    // port; its members are in model_tree_nodes.cpp). Part of the node, so
    // every look-up answers with the same object and handing it out costs no
    // allocation; holding it holds the node. It answers from the node, and
    // its writes reach the tree only while the node is in it.
    class NodeObject final : public TreeNode {
    public:
        explicit NodeObject(Node& node) noexcept : node_(node) {}
        NodeObject(const NodeObject&) = delete;
        NodeObject& operator=(const NodeObject&) = delete;

        Node& Record() const noexcept { return node_; }

        std::string Key() override;
        std::string Text() override;
        void SetText(const std::string& text) override;
        TreeNodePtr Parent() override;
        std::int32_t Children() override;
        std::int32_t Index() override;
        Color ForeColor() override;
        void SetForeColor(Color color) override;
        bool Bold() override;
        void SetBold(bool bold) override;
        bool Expanded() override;
        void SetExpanded(bool expanded) override;
        bool Selected() override;
        void SetSelected(bool selected) override;
        void EnsureVisible() override;

    private:
        Node& node_;
    };

    // One node. Once removed (by Remove or Clear) it keeps its last values,
    // and the model ignores writes to it.
    class Node : public std::enable_shared_from_this<Node> {
    public:
        Node(Token, TreeModel* owner, const std::string& key, const std::string& text, std::int32_t image);

        const std::string& Key() const { return key_; }
        std::string_view Text() const { return text_; }
        std::int32_t Image() const { return image_; }
        Color ForeColor() const { return foreColor_; }
        bool Bold() const { return bold_; }
        // The expanded state as last set. It shows only while the node has
        // children, so a state set before the children arrive takes effect
        // with the first child.
        bool ExpandedFlag() const { return expanded_; }
        bool Open() const { return expanded_ && !children_.empty(); }
        bool Selected() const { return selected_; }
        bool DropHighlighted() const { return dropHighlighted_; }
        bool InTree() const { return inTree_; }
        std::int32_t Index() const { return index_; }  // 1-based collection position
        NodePtr Parent() const { return inTree_ ? parent_.lock() : removedParent_; }
        // The children while in the tree; a removed node lists none but
        // keeps its last count.
        const std::vector<NodePtr>& Children() const { return children_; }
        std::int32_t ChildCount() const;
        std::int32_t Depth() const;  // 0 at the top level

        // The object that stands for the node, sharing its lifetime.
        TreeNodePtr Object() { return TreeNodePtr(shared_from_this(), &object_); }
        // The tree while the node is in it, else null.
        TreeModel* LiveTree() const { return inTree_ ? owner_ : nullptr; }

        // Left to the adapter that shows this node: the item handle of a
        // real control.
        std::intptr_t platformItem = 0;

    private:
        friend class TreeModel;

        TreeModel* owner_;
        NodeObject object_{*this};
        std::string key_;
        std::pmr::string text_;  // from the tree's pool
        std::int32_t image_;
        Color foreColor_ = kSystemWindowText;
        bool bold_ = false;
        bool expanded_ = false;
        bool selected_ = false;
        bool dropHighlighted_ = false;
        bool inTree_ = true;
        std::int32_t index_ = 0;
        std::weak_ptr<Node> parent_;  // weak: parents own their children
        std::vector<NodePtr> children_;
        // Once removed, a node holds its parent instead of its children, so
        // that it can still answer with its parent after the tree let go.
        NodePtr removedParent_;
        std::int32_t removedChildCount_ = 0;
        bool kept_ = false;  // holds its parent, once removed
    };

    TreeModel() = default;
    ~TreeModel();  // every node still in the tree becomes a removed node
    TreeModel(const TreeModel&) = delete;
    TreeModel& operator=(const TreeModel&) = delete;

    // Adds a node. An empty `relative` puts it at the end of the top level;
    // otherwise `relationship` places it beside `relative` (First, Last,
    // Next, Previous) or as its last child (Child). The key may be empty
    // (such a node cannot be looked up) but not made only of digits (35603)
    // and not in use by another node (35602); a relative that names no node
    // fails with 35601. The node is appended to the collection.
    NodePtr Add(const std::string& relative, TreeRelationship relationship, const std::string& key,
                const std::string& text, std::int32_t image);

    // Removes the node at 1-based `index` with everything below it; the
    // nodes after it in the collection move up. Returns the removed nodes,
    // parents before their children. An index naming no node fails (35600).
    // A selection inside the removed branch moves as the common control
    // moves it: to the next sibling, else the parent, else the previous
    // sibling.
    std::vector<NodePtr> Remove(std::int32_t index);
    void Clear();

    NodePtr Find(const std::string& key) const;  // empty when no node has that key
    const NodePtr* FindInPlace(const std::string& key) const;  // the same without a copy; null when none
    NodePtr Item(const std::string& key) const;  // fails with 35601 when none
    NodePtr At(std::int32_t index) const;         // 1-based; fails with 35600
    std::int32_t Count() const { return static_cast<std::int32_t>(collection_.size()); }
    const std::vector<NodePtr>& Collection() const { return collection_; }
    const std::vector<NodePtr>& Roots() const { return roots_; }

    // Every node in display order: each node followed by its children.
    std::vector<NodePtr> DisplayOrder() const;
    // The rows of the control: display order without the children of nodes
    // that are not open.
    std::vector<NodePtr> ShownNodes() const;
    // In this tree and every ancestor open.
    bool IsShown(const Node& node) const;
    // A node of this model that has not been removed.
    bool Contains(const NodePtr& node) const;

    // What shows the nodes and hears of every change made through their
    // objects (null: nothing does any more).
    TreeModelDisplay* Display() const { return display_; }
    void SetDisplay(TreeModelDisplay* display) { display_ = display; }

    // Writes; each returns whether anything changed. Writes to a removed
    // node or to a node of another tree change nothing.
    bool SetText(const NodePtr& node, const std::string& text);
    bool SetForeColor(const NodePtr& node, Color color);
    bool SetBold(const NodePtr& node, bool bold);
    bool SetExpanded(const NodePtr& node, bool expanded);
    // Sets every ancestor of `node` expanded, so that the node is shown.
    bool ExpandAncestors(const NodePtr& node);

    const NodePtr& Selection() const { return selection_; }
    bool Select(const NodePtr& node);  // empty clears the selection
    const NodePtr& DropHighlight() const { return dropHighlight_; }
    bool SetDropHighlight(const NodePtr& node);  // empty clears it

private:
    std::vector<NodePtr>& SiblingsOf(const Node& node);
    static void Detach(const std::vector<NodePtr>& removed);
    static void KeepAnswering(Node& node);  // a removed node someone holds
    void AppendDisplayOrder(const NodePtr& node, bool onlyShown, std::vector<NodePtr>& out) const;

    // Nodes, the node objects of ModelTreeNodes, the key index and long texts.
    PoolAllocator<Node> allocator_;  // before everything drawing on it
    std::vector<NodePtr> collection_;  // Index order
    std::vector<NodePtr> roots_;       // top-level nodes in display order
    std::pmr::unordered_map<std::string, NodePtr> byKey_{allocator_.Resource()};
    TreeModelDisplay* display_ = nullptr;
    // The index entry of the last relative Add looked up (entries keep their
    // place while others come and go); dropped whenever entries are removed.
    std::pair<const std::string, NodePtr>* lastRelative_ = nullptr;
    NodePtr selection_;
    NodePtr dropHighlight_;
};

}  // namespace brackwell::shared
