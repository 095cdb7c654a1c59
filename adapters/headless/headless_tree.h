#pragma once
// The pane's tree control without a screen: the node rules of TreeModel and
// the node objects of ModelTreeNodes, a simple row geometry for HitTest,
// scrolling, painting counted instead of drawn, and presses that a test
// scripts the way a user would do them. Coordinates are twips relative to the
// tree's top-left corner; every shown row is kRowHeight high and as wide as
// the tree.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "adapters/headless/headless_data_object.h"
#include "adapters/headless/headless_items.h"
#include "adapters/shared/model_tree_nodes.h"
#include "adapters/shared/sink_list.h"
#include "adapters/shared/tree_model.h"
#include "adapters/shared/tree_type_ahead.h"
#include "adapters/shared/unicode_case.h"
#include "host/tree_view.h"

namespace brackwell::headless {

using shared::ModelTreeNodes;
using shared::SinkList;
using shared::TreeModel;
using shared::TreeModelDisplay;

class HeadlessTree final : public TreeView, private TreeModelDisplay {
public:
    static constexpr std::int32_t kRowHeight = 240;            // twips: 16 pixels
    static constexpr std::int32_t kUnmovedSize = 1'000'000;    // before Move: room for every row

    // One shown row, top to bottom.
    struct Row {
        std::string key;
        std::string text;
        std::int32_t depth = 0;
        std::int32_t image = 0;
        Color foreColor = kSystemWindowText;
        bool bold = false;
        bool hasChildren = false;
        bool expanded = false;  // open: children shown below
        bool selected = false;
        bool dropHighlighted = false;
    };
    struct Point {
        float x = 0;
        float y = 0;
    };
    struct Bounds {
        std::int32_t left = 0;
        std::int32_t top = 0;
        std::int32_t width = kUnmovedSize;
        std::int32_t height = kUnmovedSize;
    };
    // The look and behaviour properties, starting with the control's defaults.
    struct Look {
        std::int32_t appearance = 1;  // 3D
        std::int32_t borderStyle = 0;
        bool singleSel = false;
        std::int32_t labelEdit = 0;   // automatic
        bool hideSelection = true;
        std::int32_t lineStyle = 0;   // tree lines
        std::int32_t oleDragMode = 0; // manual: no drag starts by itself
        std::int32_t oleDropMode = 0; // none: not a drop target
    };

    HeadlessTree();
    ~HeadlessTree() override;
    HeadlessTree(const HeadlessTree&) = delete;
    HeadlessTree& operator=(const HeadlessTree&) = delete;

    // TreeView
    TreeNodes& Nodes() override;
    TreeNodePtr SelectedItem() override;
    // Selecting a node expands its ancestors and scrolls it into view, as
    // the common control does.
    void SetSelectedItem(const TreeNodePtr& node) override;
    TreeNodePtr HitTest(float x, float y) override;
    TreeNodePtr DropHighlight() override;
    void SetDropHighlight(const TreeNodePtr& node) override;
    void SetAppearance(std::int32_t appearance) override { look_.appearance = appearance; }
    void SetBorderStyle(std::int32_t style) override { look_.borderStyle = style; }
    void SetSingleSel(bool single) override { look_.singleSel = single; }
    void SetLabelEdit(std::int32_t mode) override { look_.labelEdit = mode; }
    void SetHideSelection(bool hide) override { look_.hideSelection = hide; }
    void SetLineStyle(std::int32_t style) override { look_.lineStyle = style; }
    void SetOLEDragMode(std::int32_t mode) override { look_.oleDragMode = mode; }
    void SetOLEDropMode(std::int32_t mode) override { look_.oleDropMode = mode; }
    void Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override;
    void BeginUpdate() override;
    void EndUpdate() override;
    std::unique_ptr<EventConnection> Advise(TreeEvents& sink) override;

    // What a user would see.
    const TreeModel& Model() const { return model_; }
    std::vector<Row> Rows() const;
    // The rows as indented text, one line each, for failure messages.
    std::string Dump() const;
    std::int32_t FirstVisibleRow() const { return firstVisibleRow_; }
    std::int32_t VisibleRowCount() const;  // rows that fit the height entirely
    bool IsInView(const std::string& key) const;
    const std::string& LastEnsuredVisible() const { return lastEnsuredVisible_; }
    std::int32_t UpdateDepth() const { return updateDepth_; }
    std::int32_t PaintCount() const { return paintCount_; }
    const Bounds& Position() const { return bounds_; }
    const Look& Properties() const { return look_; }

    // Scripting. Each fails with ScriptError where a user could not do it.
    // Mid-height of the node's row, near its label; the row must be in view.
    Point PointOf(const std::string& key) const;
    // A point inside the tree below its last row, where there is no node.
    Point EmptyPoint() const;
    void Press(const std::string& key, std::int16_t button, std::int16_t shift = 0);
    void PressAt(Point at, std::int16_t button, std::int16_t shift = 0);

    // Drag and drop as the control carries it out. StartDrag presses the left
    // button on the node (which selects it) and, with automatic drag mode,
    // lets the handlers fill a new data object; DragOver and Drop need the
    // manual drop mode. State: 0 entering, 2 over, 1 leaving.
    std::shared_ptr<HeadlessDataObject> StartDrag(const std::string& key);
    void DragOver(DataObject& data, Point at, std::int16_t state);
    void Drop(DataObject& data, Point at);
    // The whole drag from one node onto another (looked up after the start,
    // which may have rebuilt the tree).
    void DragAndDrop(const std::string& sourceKey, const std::string& targetKey);

    // Characters typed into the focused tree at `ms` (a scripted clock);
    // U'\b' is Backspace. The search by typing selects as the arrow keys do,
    // raising no event; a search that finds nothing beeps.
    void TypeKeys(std::u32string_view keys, std::uint32_t ms);
    std::int32_t BeepCount() const { return beeps_; }

    // Items as a real control keeps them, once asked for: brought up to
    // date at the end of each update, as the Windows tree's are, and before
    // they are read after changes outside one.
    void KeepItems() { keepItems_ = true; itemsStale_ = true; }
    std::vector<HeadlessItems::Row> ItemRows();
    void RefuseItemInserts(std::function<bool(const TreeModel::Node&)> refuse) {
        items_.RefuseInserts(std::move(refuse));
    }

    // Wiring by the form that holds the tree: whether the window around it
    // is frozen (LockWindowUpdate), and the notice that it was unfrozen.
    void SetPaintGate(std::function<bool()> frozen);
    void WindowUnfrozen();

private:
    // TreeModelDisplay: every change of the nodes counts as a paint.
    void NodeAdded(const TreeModel::NodePtr&) override { Changed(); }
    void NodesRemoved(const std::vector<TreeModel::NodePtr>& removed) override;
    void ClearingNodes() override;
    void TextChanged(const TreeModel::NodePtr&) override { Changed(); }
    void ForeColorChanged(const TreeModel::NodePtr&) override { Changed(); }
    void BoldChanged(const TreeModel::NodePtr&) override { Changed(); }
    void ExpandedChanged(const TreeModel::NodePtr& node) override;
    void SelectNode(const TreeModel::NodePtr& node) override;
    void EnsureNodeVisible(const TreeModel::NodePtr& node) override;

    void Changed();
    bool ScrollIntoView(const TreeModel::Node& node);  // the least scrolling that shows it whole
    void ClampScroll();  // no empty rows below the last one while scrolled

    std::optional<std::int32_t> RowOf(const TreeModel::Node& node) const;  // among shown rows

    TreeModel model_;
    ModelTreeNodes nodes_;  // after the model it refers to
    SinkList<TreeEvents> sinks_;

    Look look_;
    Bounds bounds_;
    std::int32_t firstVisibleRow_ = 0;
    std::string lastEnsuredVisible_;

    std::int32_t updateDepth_ = 0;
    std::int32_t paintCount_ = 0;
    bool dirty_ = false;
    std::function<bool()> frozen_;
    shared::TreeTypeAhead typeAhead_{shared::UpperCaseText};  // the portable case table
    HeadlessItems items_;
    bool keepItems_ = false;
    bool itemsStale_ = false;
    std::int32_t beeps_ = 0;
};

}  // namespace brackwell::headless
