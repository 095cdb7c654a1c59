#include "adapters/headless/headless_tree.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "adapters/headless/script_error.h"

namespace brackwell::headless {

HeadlessTree::HeadlessTree() : nodes_(model_, *this) {}

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
    if (keepItems_) {
        items_.Sync(model_);
        itemsStale_ = false;
    }
    if (frozen_ && frozen_()) {
        dirty_ = true;  // the window's unfreezing paints
        return;
    }
    ++paintCount_;
    dirty_ = false;
}

std::unique_ptr<EventConnection> HeadlessTree::Advise(TreeEvents& sink) { return sinks_.Advise(sink); }

std::vector<HeadlessItems::Row> HeadlessTree::ItemRows() {
    if (itemsStale_) items_.Sync(model_);
    itemsStale_ = false;
    return items_.Rows();
}

std::vector<HeadlessTree::Row> HeadlessTree::Rows() const {
    std::vector<Row> rows;
    for (const auto& node : model_.ShownNodes()) {
        rows.push_back(Row{node->Key(), std::string(node->Text()), node->Depth(), node->Image(), node->ForeColor(), node->Bold(),
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

HeadlessTree::Point HeadlessTree::EmptyPoint() const {
    const auto rows = static_cast<std::int32_t>(model_.ShownNodes().size()) - firstVisibleRow_;
    const std::int32_t y = std::max(0, rows) * kRowHeight + kRowHeight / 2;
    if (y >= bounds_.height || bounds_.width <= 0) throw ScriptError("the tree has no empty room below its rows");
    return Point{static_cast<float>(std::min(bounds_.width / 2, 720)), static_cast<float>(y)};
}

void HeadlessTree::Press(const std::string& key, std::int16_t button, std::int16_t shift) {
    PressAt(PointOf(key), button, shift);
}

void HeadlessTree::PressAt(Point at, std::int16_t button, std::int16_t shift) {
    sinks_.Fire([&](TreeEvents& sink) { sink.MouseDown(button, shift, at.x, at.y); });
}

std::shared_ptr<HeadlessDataObject> HeadlessTree::StartDrag(const std::string& key) {
    if (look_.oleDragMode != 1) throw ScriptError("the tree starts no drag by itself (OLEDragMode is not automatic)");
    Press(key, vb::kLeftButton);
    auto data = std::make_shared<HeadlessDataObject>();
    std::int32_t allowedEffects = 3;  // copy and move
    sinks_.Fire([&](TreeEvents& sink) { sink.OLEStartDrag(*data, allowedEffects); });
    return data;
}

void HeadlessTree::DragOver(DataObject& data, Point at, std::int16_t state) {
    if (look_.oleDropMode != 1) throw ScriptError("the tree is no drop target (OLEDropMode is not manual)");
    std::int32_t effect = 3;
    sinks_.Fire([&](TreeEvents& sink) { sink.OLEDragOver(data, effect, vb::kLeftButton, 0, at.x, at.y, state); });
}

void HeadlessTree::Drop(DataObject& data, Point at) {
    if (look_.oleDropMode != 1) throw ScriptError("the tree is no drop target (OLEDropMode is not manual)");
    std::int32_t effect = 3;
    sinks_.Fire([&](TreeEvents& sink) { sink.OLEDragDrop(data, effect, vb::kLeftButton, 0, at.x, at.y); });
}

void HeadlessTree::DragAndDrop(const std::string& sourceKey, const std::string& targetKey) {
    const auto data = StartDrag(sourceKey);
    // A target inside a collapsed workbook is reached as a user reaches it:
    // hovering over the workbook first, which opens it.
    std::int16_t state = 0;
    for (TreeModel::NodePtr node = model_.Find(targetKey); node && !model_.IsShown(*node);
         node = model_.Find(targetKey)) {
        TreeModel::NodePtr shown = node->Parent();
        while (shown && !model_.IsShown(*shown)) shown = shown->Parent();
        if (!shown || shown->Open()) throw ScriptError("node \"" + targetKey + "\" cannot be reached:\n" + Dump());
        DragOver(*data, PointOf(shown->Key()), state);
        state = 2;
        if (!model_.Find(shown->Key())->Open()) throw ScriptError("hovering did not open \"" + shown->Key() + "\"");
    }
    DragOver(*data, PointOf(targetKey), state);
    // Hovering may have opened the target: drop where it is now.
    Drop(*data, PointOf(targetKey));
}

void HeadlessTree::TypeKeys(std::u32string_view keys, std::uint32_t ms) {
    for (const char32_t key : keys) {
        const shared::TreeTypeAhead::Step step =
            key == U'\b' ? typeAhead_.Backspace(model_, ms) : typeAhead_.Type(model_, key, ms);
        if (step.match) SelectNode(step.match);
        if (step.noMatch) ++beeps_;
    }
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
    if (keepItems_) itemsStale_ = true;
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

}  // namespace brackwell::headless
