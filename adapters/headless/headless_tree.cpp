#include "adapters/headless/headless_tree.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "adapters/headless/script_error.h"

namespace brackwell::headless {

HeadlessTree::HeadlessTree() : alive_(std::make_shared<const bool>(true)), nodes_(model_, *this, alive_) {}

HeadlessTree::~HeadlessTree() = default;

TreeNodes& HeadlessTree::Nodes() { return nodes_; }

TreeNodePtr HeadlessTree::SelectedItem() { return nodes_.Wrap(model_.Selection()); }

void HeadlessTree::SetSelectedItem(const TreeNodePtr& node) { nodes_.SelectItem(node); }

TreeNodePtr HeadlessTree::HitTest(float x, float y) {
    if (x < 0 || y < 0 || x >= static_cast<float>(bounds_.width) || y >= static_cast<float>(bounds_.height))
        return nullptr;
    const auto row = static_cast<std::size_t>(firstVisibleRow_) + static_cast<std::size_t>(y / kRowHeight);
    const std::vector<TreeModel::NodePtr> shown = model_.ShownNodes();
    return row < shown.size() ? nodes_.Wrap(shown[row]) : nullptr;
}

TreeNodePtr HeadlessTree::DropHighlight() { return nodes_.Wrap(model_.DropHighlight()); }

void HeadlessTree::SetDropHighlight(const TreeNodePtr& node) {
    const TreeModel::NodePtr record = node ? nodes_.Unwrap(node) : nullptr;
    if (node && !record) return;
    if (model_.SetDropHighlight(record)) Changed();
}

void HeadlessTree::Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    bounds_ = Bounds{left, top, width, height};
    ClampScroll();
    Changed();
}

void HeadlessTree::BeginUpdate() { ++updateDepth_; }

void HeadlessTree::EndUpdate() {
    if (updateDepth_ == 0) return;
    if (--updateDepth_ > 0) return;
    if (frozen_ && frozen_()) {
        dirty_ = true;  // the window's unfreezing paints
        return;
    }
    ++paintCount_;
    dirty_ = false;
}

std::unique_ptr<EventConnection> HeadlessTree::Advise(TreeEvents& sink) { return sinks_.Advise(sink); }

std::vector<HeadlessTree::Row> HeadlessTree::Rows() const {
    std::vector<Row> rows;
    for (const auto& node : model_.ShownNodes()) {
        rows.push_back(Row{node->Key(), node->Text(), node->Depth(), node->Image(), node->ForeColor(), node->Bold(),
                           !node->Children().empty(), node->Open(), node->Selected(), node->DropHighlighted()});
    }
    return rows;
}

std::string HeadlessTree::Dump() const {
    std::string out;
    for (const Row& row : Rows()) {
        out.append(static_cast<std::size_t>(row.depth) * 2, ' ');
        out += !row.hasChildren ? "  " : row.expanded ? "- " : "+ ";
        out += row.text + " {" + row.key + "}";
        if (row.bold) out += " bold";
        if (row.selected) out += " selected";
        if (row.dropHighlighted) out += " drop";
        if (row.foreColor != kSystemWindowText) {
            char color[24];
            std::snprintf(color, sizeof color, " color=%06X", static_cast<unsigned>(row.foreColor));
            out += color;
        }
        out += '\n';
    }
    return out;
}

std::int32_t HeadlessTree::VisibleRowCount() const { return std::max(0, bounds_.height) / kRowHeight; }

bool HeadlessTree::IsInView(const std::string& key) const {
    const TreeModel::NodePtr node = model_.Find(key);
    if (!node) return false;
    const auto row = RowOf(*node);
    return row && *row >= firstVisibleRow_ && *row < firstVisibleRow_ + VisibleRowCount();
}

HeadlessTree::Point HeadlessTree::PointOf(const std::string& key) const {
    const TreeModel::NodePtr node = model_.Find(key);
    if (!node) throw ScriptError("no node with key \"" + key + "\" in the tree:\n" + Dump());
    const auto row = RowOf(*node);
    if (!row) throw ScriptError("node \"" + key + "\" is hidden under a collapsed node:\n" + Dump());
    const float y = static_cast<float>((*row - firstVisibleRow_) * kRowHeight + kRowHeight / 2);
    if (*row < firstVisibleRow_ || y >= static_cast<float>(bounds_.height))
        throw ScriptError("node \"" + key + "\" is scrolled out of view");
    if (bounds_.width <= 0) throw ScriptError("the tree has no width to press in");
    return Point{std::min(static_cast<float>(bounds_.width) / 2, 720.0f), y};
}

void HeadlessTree::Press(const std::string& key, std::int16_t button, std::int16_t shift) {
    const Point at = PointOf(key);
    sinks_.Fire([&](TreeEvents& sink) { sink.MouseDown(button, shift, at.x, at.y); });
}

void HeadlessTree::PressEmpty(std::int16_t button, std::int16_t shift) {
    const Point at = EmptyPoint();
    sinks_.Fire([&](TreeEvents& sink) { sink.MouseDown(button, shift, at.x, at.y); });
}

bool HeadlessTree::Drag(const std::string& fromKey, const std::string& toKey) {
    if (!StartDrag(fromKey)) return false;
    DropOn(toKey);
    return true;
}

void HeadlessTree::DragText(const std::string& text, const std::string& toKey) {
    if (dragging_) throw ScriptError("a drag is already under way");
    dragData_ = std::make_unique<HeadlessDataObject>(text);
    allowedEffects_ = kDropEffectCopy;  // another program offers its text for copying
    dragging_ = true;
    insideTree_ = false;
    DropOn(toKey);
}

bool HeadlessTree::StartDrag(const std::string& fromKey) {
    if (dragging_) throw ScriptError("a drag is already under way");
    const Point at = PointOf(fromKey);
    const std::weak_ptr<const bool> alive = alive_;

    sinks_.Fire([&](TreeEvents& sink) { sink.MouseDown(vb::kLeftButton, 0, at.x, at.y); });
    if (alive.expired()) return false;
    // In manual drag mode only the program starts drags; the tree starts none.
    if (look_.oleDragMode != 1) return false;

    dragData_ = std::make_unique<HeadlessDataObject>();
    std::int32_t allowed = kDropEffectCopy | kDropEffectMove;
    sinks_.Fire([&](TreeEvents& sink) { sink.OLEStartDrag(*dragData_, allowed); });
    if (alive.expired() || allowed == kDropEffectNone) return false;

    allowedEffects_ = allowed;
    dragging_ = true;
    insideTree_ = false;
    lastDragPoint_ = at;
    return true;
}

void HeadlessTree::DragOver(const std::string& key) {
    if (!dragging_) throw ScriptError("no drag is under way");
    FireDragOver(DropPoint(key), insideTree_ ? 2 : 0);
}

void HeadlessTree::DragLeave() {
    if (!dragging_) throw ScriptError("no drag is under way");
    FireDragOver(lastDragPoint_, vb::kLeaveState);
    dragging_ = false;
    insideTree_ = false;
}

void HeadlessTree::DropOn(const std::string& key) {
    if (!dragging_) throw ScriptError("no drag is under way");
    const Point at = DropPoint(key);
    const std::weak_ptr<const bool> alive = alive_;

    // The pointer passes over the target before it is let go there.
    if (!insideTree_ || at.x != lastDragPoint_.x || at.y != lastDragPoint_.y) {
        FireDragOver(at, insideTree_ ? 2 : 0);
        if (alive.expired()) return;
    }
    dragging_ = false;
    insideTree_ = false;
    if (look_.oleDropMode != 1) return;  // not a drop target
    if (lastEffect_ == kDropEffectNone) {
        // A target that refuses the drop hears the pointer leave instead.
        std::int32_t effect = kDropEffectNone;
        sinks_.Fire([&](TreeEvents& sink) {
            sink.OLEDragOver(*dragData_, effect, vb::kLeftButton, 0, at.x, at.y, vb::kLeaveState);
        });
        return;
    }
    std::int32_t effect = lastEffect_;
    sinks_.Fire([&](TreeEvents& sink) { sink.OLEDragDrop(*dragData_, effect, vb::kLeftButton, 0, at.x, at.y); });
}

void HeadlessTree::FireDragOver(Point at, std::int16_t state) {
    lastDragPoint_ = at;
    insideTree_ = state != vb::kLeaveState;
    if (look_.oleDropMode != 1) {
        lastEffect_ = kDropEffectNone;
        return;
    }
    std::int32_t effect = allowedEffects_;
    sinks_.Fire([&](TreeEvents& sink) {
        sink.OLEDragOver(*dragData_, effect, vb::kLeftButton, 0, at.x, at.y, state);
    });
    lastEffect_ = effect & allowedEffects_;
}

void HeadlessTree::SetPaintGate(std::function<bool()> frozen) { frozen_ = std::move(frozen); }

void HeadlessTree::WindowUnfrozen() {
    if (updateDepth_ > 0 || !dirty_) return;
    ++paintCount_;
    dirty_ = false;
}

void HeadlessTree::NodesRemoved(const std::vector<TreeModel::NodePtr>&) {
    ClampScroll();
    Changed();
}

void HeadlessTree::ClearingNodes() {
    firstVisibleRow_ = 0;
    Changed();
}

void HeadlessTree::ExpandedChanged(const TreeModel::NodePtr&) {
    ClampScroll();
    Changed();
}

void HeadlessTree::Changed() {
    if (updateDepth_ > 0 || (frozen_ && frozen_())) {
        dirty_ = true;
        return;
    }
    ++paintCount_;
}

void HeadlessTree::SelectNode(const TreeModel::NodePtr& node) {
    bool changed = model_.Select(node);
    if (node) {
        changed = model_.ExpandAncestors(node) || changed;
        changed = ScrollIntoView(*node) || changed;
    }
    if (changed) Changed();
}

void HeadlessTree::EnsureNodeVisible(const TreeModel::NodePtr& node) {
    lastEnsuredVisible_ = node->Key();
    bool changed = model_.ExpandAncestors(node);
    changed = ScrollIntoView(*node) || changed;
    if (changed) Changed();
}

bool HeadlessTree::ScrollIntoView(const TreeModel::Node& node) {
    const auto row = RowOf(node);
    if (!row) return false;
    const std::int32_t visible = std::max(1, VisibleRowCount());
    std::int32_t first = firstVisibleRow_;
    if (*row < first) {
        first = *row;
    } else if (*row >= first + visible) {
        first = *row - visible + 1;
    }
    if (first == firstVisibleRow_) return false;
    firstVisibleRow_ = first;
    return true;
}

void HeadlessTree::ClampScroll() {
    const auto shown = static_cast<std::int32_t>(model_.ShownNodes().size());
    const std::int32_t last = std::max(0, shown - std::max(1, VisibleRowCount()));
    firstVisibleRow_ = std::clamp(firstVisibleRow_, 0, last);
}

std::optional<std::int32_t> HeadlessTree::RowOf(const TreeModel::Node& node) const {
    if (!model_.IsShown(node)) return std::nullopt;
    const std::vector<TreeModel::NodePtr> shown = model_.ShownNodes();
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (shown[i].get() == &node) return static_cast<std::int32_t>(i);
    }
    return std::nullopt;
}

HeadlessTree::Point HeadlessTree::EmptyPoint() const {
    const auto shown = static_cast<std::int32_t>(model_.ShownNodes().size());
    const float y = static_cast<float>((shown - firstVisibleRow_) * kRowHeight + kRowHeight / 2);
    if (y >= static_cast<float>(bounds_.height)) throw ScriptError("the rows fill the tree: no empty part is in view");
    if (bounds_.width <= 0) throw ScriptError("the tree has no width to press in");
    return Point{std::min(static_cast<float>(bounds_.width) / 2, 720.0f), y};
}

HeadlessTree::Point HeadlessTree::DropPoint(const std::string& key) const {
    return key.empty() ? EmptyPoint() : PointOf(key);
}

}  // namespace brackwell::headless
