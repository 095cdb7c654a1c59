#pragma once
// The pane's tree control as the component uses it: a node collection with
// text keys, node properties, selection, hit test and drop highlight, and the
// mouse and drag events. Calls may fail with AutomationError (for example a
// key that is not unique, or no node with that key).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/color.h"
#include "host/excel.h"  // EventConnection

namespace brackwell {

class TreeNode;
using TreeNodePtr = std::shared_ptr<TreeNode>;

enum class TreeRelationship : std::int32_t { First = 0, Last = 1, Next = 2, Previous = 3, Child = 4 };

// One node. A node removed from its tree (by Remove or Clear) keeps answering
// its last values; writes to it change nothing visible.
class TreeNode {
public:
    virtual ~TreeNode() = default;
    virtual std::string Key() = 0;
    virtual std::string Text() = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual TreeNodePtr Parent() = 0;     // empty at the top level
    virtual std::int32_t Children() = 0;  // number of child nodes
    virtual std::int32_t Index() = 0;     // 1-based position in the node collection
    virtual Color ForeColor() = 0;        // the tree's default colour until set
    virtual void SetForeColor(Color color) = 0;
    virtual bool Bold() = 0;
    virtual void SetBold(bool bold) = 0;
    virtual bool Expanded() = 0;
    // Set before the node has children, the state takes effect once it has some.
    virtual void SetExpanded(bool expanded) = 0;
    virtual bool Selected() = 0;
    virtual void SetSelected(bool selected) = 0;
    virtual void EnsureVisible() = 0;  // expands the ancestors and scrolls the node into view
};

class TreeNodes {
public:
    virtual ~TreeNodes() = default;
    virtual void Clear() = 0;
    // `relative` empty: a top-level node at the end. Otherwise the key of the
    // node that `relationship` refers to (Child appends under it).
    virtual TreeNodePtr Add(const std::string& relative, TreeRelationship relationship,
                            const std::string& key, const std::string& text,
                            std::int32_t image) = 0;
    virtual void Remove(std::int32_t index) = 0;  // the node and all below it
    virtual TreeNodePtr Item(const std::string& key) = 0;
    virtual std::int32_t Count() = 0;
    virtual std::vector<TreeNodePtr> Enumerate() = 0;  // collection order
};

// The tree's data object during a drag; format 1 is text.
class DataObject {
public:
    virtual ~DataObject() = default;
    virtual void Clear() = 0;
    virtual void SetData(const std::string& value, std::int32_t format) = 0;
    virtual bool GetFormat(std::int32_t format) = 0;
    virtual std::string GetData(std::int32_t format) = 0;
};

namespace vb {
inline constexpr std::int16_t kLeftButton = 1;
inline constexpr std::int16_t kRightButton = 2;
inline constexpr std::int16_t kMiddleButton = 4;
inline constexpr std::int32_t kTextFormat = 1;  // vbCFText
inline constexpr std::int16_t kLeaveState = 1;  // vbLeave
}  // namespace vb

// Events of the tree; coordinates are in the tree's own units, to be handed
// back to HitTest unchanged.
class TreeEvents {
public:
    virtual void MouseDown(std::int16_t button, std::int16_t shift, float x, float y) = 0;
    virtual void OLEStartDrag(DataObject& data, std::int32_t& allowedEffects) = 0;
    virtual void OLEDragOver(DataObject& data, std::int32_t& effect, std::int16_t button,
                             std::int16_t shift, float x, float y, std::int16_t state) = 0;
    virtual void OLEDragDrop(DataObject& data, std::int32_t& effect, std::int16_t button,
                             std::int16_t shift, float x, float y) = 0;

protected:
    ~TreeEvents() = default;
};

class TreeView {
public:
    virtual ~TreeView() = default;

    virtual TreeNodes& Nodes() = 0;
    virtual TreeNodePtr SelectedItem() = 0;
    virtual void SetSelectedItem(const TreeNodePtr& node) = 0;  // empty clears the selection
    virtual TreeNodePtr HitTest(float x, float y) = 0;          // empty where there is no node
    virtual TreeNodePtr DropHighlight() = 0;
    virtual void SetDropHighlight(const TreeNodePtr& node) = 0;

    // Look and behaviour, set once when the pane loads.
    virtual void SetAppearance(std::int32_t appearance) = 0;    // 0 flat
    virtual void SetBorderStyle(std::int32_t style) = 0;        // 0 none
    virtual void SetSingleSel(bool single) = 0;
    virtual void SetLabelEdit(std::int32_t mode) = 0;           // 1 manual: never edited in place
    virtual void SetHideSelection(bool hide) = 0;
    virtual void SetLineStyle(std::int32_t style) = 0;          // 1 lines at the root
    virtual void SetOLEDragMode(std::int32_t mode) = 0;         // 1 automatic
    virtual void SetOLEDropMode(std::int32_t mode) = 0;         // 1 manual

    // Position inside its form, in twips.
    virtual void Move(std::int32_t left, std::int32_t top, std::int32_t width,
                      std::int32_t height) = 0;

    // Painting is frozen while a rebuild adds many nodes, so the control lays
    // itself out and draws once at the end.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;

    virtual std::unique_ptr<EventConnection> Advise(TreeEvents& sink) = 0;
};

}  // namespace brackwell
