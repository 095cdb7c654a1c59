#pragma once
// The pane's tree on the common controls' tree view. The node collection and
// its rules (keys, relationships, errors, Remove renumbering, an expanded
// state set before the children exist) are the portable TreeModel's, the
// node objects callers hold ModelTreeNodes'; this adapter mirrors every
// change into the control and keeps the item handles to itself.
//
// Events: MouseDown with twip coordinates before the control's own handling.
// The keyboard stands in for the mouse: the context-menu key and Shift+F10
// are a right press, Enter a left press, on the selected node's label (a
// menu the handler opens then appears at the node, not at the pointer).
// Typed letters find a node through the whole tree (TreeTypeAhead), not
// only among the rows shown; Backspace takes one back while they count.
// With OLEDragMode 1 a drag of a node's label or picture starts an OLE drag
// (OLEStartDrag, then DoDragDrop); with OLEDropMode 1 the tree is a registered OLE drop
// target raising OLEDragOver and OLEDragDrop. The selected node keeps a
// visible highlight when the tree has no focus; a drop highlight takes it
// over while something is dragged. Colours and boldness are drawn from the
// nodes (custom draw), so that changing them makes the control measure
// nothing. While the handler of a left press runs (its commands, the host's
// events and their rebuilds), the tree is not drawn: what the press changes
// on the way is drawn once, when the handler has returned.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "adapters/shared/item_reconciler.h"
#include "adapters/shared/model_tree_nodes.h"
#include "adapters/shared/sink_list.h"
#include "adapters/shared/tree_model.h"
#include "adapters/shared/tree_type_ahead.h"
#include "adapters/windows/common/system_upper_case.h"
#include "adapters/windows/controls/tree_drop_target.h"
#include "adapters/windows/controls/tree_items.h"
#include "adapters/windows/ui/win_handles.h"
#include "host/tree_view.h"

namespace brackwell::win {

class WinTreeView final : public TreeView, private shared::TreeModelDisplay {
public:
    // Creates the control as a visible child of `parent`: buttons, lines,
    // lines at the root, the selection shown without focus, no in-place
    // editing, no border, flat; the image list holds pictures 1 to 3 of
    // `instance` (workbook, worksheet, defined name).
    // OLE drag and drop needs OleInitialize on the calling thread.
    WinTreeView(HINSTANCE instance, HWND parent);
    ~WinTreeView() override;  // revokes the drop target; destroys the control unless its parent did
    WinTreeView(const WinTreeView&) = delete;
    WinTreeView& operator=(const WinTreeView&) = delete;

    TreeNodes& Nodes() override;
    TreeNodePtr SelectedItem() override;
    void SetSelectedItem(const TreeNodePtr& node) override;
    // x, y in twips from the tree's top-left corner; the node whose label,
    // picture, indent or button is there.
    TreeNodePtr HitTest(float x, float y) override;
    TreeNodePtr DropHighlight() override;
    void SetDropHighlight(const TreeNodePtr& node) override;

    void SetAppearance(std::int32_t appearance) override;  // 0 flat, 1 sunken edge
    void SetBorderStyle(std::int32_t style) override;      // 0 none, 1 single line
    void SetSingleSel(bool single) override;               // expanding one branch closes the others
    void SetLabelEdit(std::int32_t mode) override;         // 0 automatic, 1 manual (never in place)
    void SetHideSelection(bool hide) override;
    void SetLineStyle(std::int32_t style) override;        // 0 tree lines, 1 root lines
    void SetOLEDragMode(std::int32_t mode) override { oleDragMode_ = mode; }  // 1 automatic, 0 manual
    void SetOLEDropMode(std::int32_t mode) override;  // 1 manual: a drop target; 0 none

    // Twips, relative to the parent's client area.
    void Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override;
    // Nested calls count; the control redraws once at the outermost end.
    // Meanwhile nodes added reach the control only at that end, all in one
    // pass (see PendingItems), and with them the selection and the
    // scrolling to a node, once the control has laid the items out.
    void BeginUpdate() override;
    void EndUpdate() override;
    std::unique_ptr<EventConnection> Advise(TreeEvents& sink) override;

    // Pictures and the plain font for a screen of `dpi`; the rows follow.
    void SetDpi(int dpi);

    // The tree view control; it fills a window of Brackwell's own that is
    // the parent's child and hears the control's notifications.
    HWND Handle() const { return hwnd_; }
    HWND FrameHandle() const { return frame_; }
    std::int32_t OLEDragMode() const { return oleDragMode_; }
    std::int32_t OLEDropMode() const { return oleDropMode_; }
    // The drop target OLE knows the control by; empty while the tree takes no drops.
    const ComPtr<TreeDropTarget>& DropTarget() const { return dropTarget_.Target(); }
    // The background of the selected node's label while the tree has no focus.
    static COLORREF InactiveHighlightColor();
    // What a search by typing that finds nothing sounds: the system's beep
    // unless replaced (tests listen here).
    void SetBeep(std::function<void()> beep) { beep_ = std::move(beep); }

    // Window procedure of the frame window (ObjectWindowProc).
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void WindowDestroyed();

private:
    using NodeRecord = shared::TreeModel::NodePtr;

    NodeRecord RecordOf(HTREEITEM item) const;
    TreeControl Control() { return {hwnd_, controlProc_, &slots_}; }

    // TreeModelDisplay: mirroring the model into the control.
    void NodeAdded(const NodeRecord& node) override;
    void NodesRemoved(const std::vector<NodeRecord>& removed) override;
    void ClearingNodes() override;
    void TextChanged(const NodeRecord& node) override;
    void ForeColorChanged(const NodeRecord& node) override;
    void BoldChanged(const NodeRecord& node) override;
    void ExpandedChanged(const NodeRecord& node) override;
    void SelectNode(const NodeRecord& node) override;
    void EnsureNodeVisible(const NodeRecord& node) override;

    void RepaintRow(const NodeRecord& node);  // custom draw shows it anew
    void ShowSelection();
    void Freeze();  // holds the control back for the rest of an update (before its first change)
    // The selecting and scrolling an update or a press held back.
    void ShowHeldView();
    void ShowHeldSelection();
    void ReconcileItems();     // the items a rebuild kept brought to what it built
    void ScrollAsFromEmpty();  // the top row and sideways scrolling a control filled from empty shows
    // Calls visit(node, row) for each row the control shows, top to bottom, until it answers false.
    template <typename Visit>
    void ForEachShownRow(Visit visit) const;
    void ChangeStyle(DWORD add, DWORD remove);
    void ChangeExStyle(DWORD add, DWORD remove);

    // The control's mouse presses and keys, ahead of its own window procedure.
    static LRESULT CALLBACK TreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseDown(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Holds the pressed left button until it leaves the system's drag
    // rectangle (true) or comes up first (false), dispatching nothing.
    static bool DragStarts(HWND hwnd, POINT pressed);
    bool OnKey(UINT message, WPARAM key);  // true when the key was ours
    bool OnTyped(const shared::TreeTypeAhead::Step& step);  // true when the search took the key
    void PressFromKeyboard(std::int16_t button);
    // Tells the sinks of a press; a left press's drawing waits until they return.
    void FirePress(std::int16_t button, std::int16_t shift, float x, float y);
    bool HoldsPaint(HWND hwnd);  // WM_PAINT during a left press: the region is owed
    void MoveFocusOut(bool backwards);
    bool OnNotify(NMHDR* header, LRESULT& result);
    LRESULT OnCustomDraw(NMTVCUSTOMDRAW* draw);

    HINSTANCE instance_;
    shared::TreeModel model_;
    std::shared_ptr<const bool> alive_;  // expires with the tree: a press's handler may close it
    shared::ModelTreeNodes nodes_;     // after the two it refers to
    shared::SinkList<TreeEvents> sinks_;
    ImageListHandle images_;
    FontHandle font_;  // the plain font; the control makes its bold one from it
    HWND frame_ = nullptr;  // destroyed with the parent, or by the destructor
    HWND hwnd_ = nullptr;   // the control, a child of frame_
    WNDPROC controlProc_ = nullptr;
    int updateDepth_ = 0;
    bool frozen_ = false;           // this update has stopped the control's drawing
    bool hiddenForUpdate_ = false;  // WM_SETREDRAW took WS_VISIBLE away
    int mirroring_ = 0;  // the control's notifications echo our own changes while > 0
    TreeItemSlots slots_;            // before the control's items, which point into it
    PendingItems pending_;           // nodes without an item, during an update
    // What the items showed when an update emptied the tree: at its end they
    // are brought to what the tree then holds instead of being made anew.
    shared::ShownItems shown_;
    bool selectionPending_ = false;  // the model's selection, not yet the control's
    bool scrollPending_ = false;     // a rebuild's rows, not yet where a fill from empty shows them
    std::vector<NodeRecord> pendingEnsureVisible_;
    std::wstring itemText_;  // scratch for the texts that go into the control
    std::int32_t oleDragMode_ = 0;
    std::int32_t oleDropMode_ = 0;
    DropTargetRegistration dropTarget_;
    // The system's case mapping (a text it refuses compares as it is), and
    // the pause of its list controls.
    shared::TreeTypeAhead typeAhead_{
        [](std::string_view text) { return SystemUpperCase(text).value_or(std::string(text)); },
        ::GetDoubleClickTime() * 2};
    std::function<void()> beep_ = [] { ::MessageBeep(MB_OK); };
    int pressesHoldingPaint_ = 0;
    RECT owedPaint_{};  // what was not drawn while they held it
};

}  // namespace brackwell::win
