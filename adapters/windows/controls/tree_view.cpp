#include "adapters/windows/controls/tree_view.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/controls/color_ref.h"
#include "adapters/windows/controls/menu_items.h"
#include "adapters/windows/controls/tree_drag_source.h"
#include "adapters/windows/controls/tree_item_sink.h"
#include "adapters/windows/controls/tree_items.h"
#include "adapters/windows/controls/tree_pictures.h"
#include "adapters/windows/resources/picture_set.h"
#include "adapters/windows/ui/dpi.h"
#include "adapters/windows/ui/window_class.h"
#include "host/automation_error.h"
#include "host/forms.h"

// The text-carrying messages are sent as their W forms by name: the
// commctrl macros pick the A forms in a build without UNICODE.

namespace brackwell::win {
namespace {

using shared::TreeModel;

constexpr wchar_t kFrameClass[] = L"BrackwellTreeFrame";

// Our own changes make the control notify its parent as a user's would;
// while one runs, those notifications are echoes and change nothing.
class Mirroring {
public:
    explicit Mirroring(int& depth) : depth_(depth) { ++depth_; }
    Mirroring(const Mirroring&) = delete;
    Mirroring& operator=(const Mirroring&) = delete;
    ~Mirroring() { --depth_; }

private:
    int& depth_;
};

// VB's Shift argument: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t ShiftState(WPARAM keys) {
    std::int16_t shift = 0;
    if (keys & MK_SHIFT) shift |= 1;
    if (keys & MK_CONTROL) shift |= 2;
    if (::GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

std::int16_t KeyboardShiftState() {
    WPARAM keys = 0;
    if (::GetKeyState(VK_SHIFT) < 0) keys |= MK_SHIFT;
    if (::GetKeyState(VK_CONTROL) < 0) keys |= MK_CONTROL;
    return ShiftState(keys);
}

bool ShiftDown() { return ::GetKeyState(VK_SHIFT) < 0; }

COLORREF Mix(COLORREF a, COLORREF b, int percentOfA) {
    auto mix = [&](int ca, int cb) { return (ca * percentOfA + cb * (100 - percentOfA)) / 100; };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

}  // namespace

WinTreeView::WinTreeView(HINSTANCE instance, HWND parent)
    : instance_(instance), alive_(std::make_shared<const bool>(true)), nodes_(model_, *this) {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&init);

    // The control's notifications go to its parent. A frame of our own as
    // that parent hears them without subclassing the caller's window; and
    // comctl32's SetWindowSubclass is avoided altogether, as under Wine it
    // costs two window-property look-ups in the server for every message.
    EnsureWindowClass(instance, kFrameClass, ObjectWindowProc<WinTreeView>);
    // A tab stop among the form's children, so that Tab leads from the
    // toolbar to the tree and back (the frame hands its focus on).
    frame_ = ::CreateWindowExW(0, kFrameClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP, 0, 0, 100,
                               100, parent, nullptr, instance, this);
    if (!frame_) Raise(err::kInvalidCall, "Die Baumansicht konnte nicht erstellt werden");

    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                        TVS_SHOWSELALWAYS;
    hwnd_ = ::CreateWindowExW(0, WC_TREEVIEWW, L"", style, 0, 0, 100, 100, frame_, nullptr, instance, nullptr);
    if (!hwnd_) Raise(err::kInvalidCall, "Die Baumansicht konnte nicht erstellt werden");

    SetDpi(WindowDpi(parent));

    // The control leaves its user data to the application: it carries us.
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    controlProc_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WinTreeView::TreeProc)));
}

WinTreeView::~WinTreeView() {
    dropTarget_.Revoke();  // while the control still exists
    if (frame_) ::DestroyWindow(frame_);  // the control goes with it
}

TreeNodes& WinTreeView::Nodes() { return nodes_; }

void WinTreeView::SetDpi(int dpi) {
    if (!hwnd_) return;
    // The control takes the new ones before the old ones go; both stay ours.
    ImageListHandle pictures = MakeTreePictures(instance_, dpi);
    TreeView_SetImageList(hwnd_, pictures.Get(), TVSIL_NORMAL);
    images_ = std::move(pictures);
    const LOGFONTW plain = IconTitleFont(dpi);  // the control's own default, at this DPI
    FontHandle font(::CreateFontIndirectW(&plain));
    ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    font_ = std::move(font);
}

WinTreeView::NodeRecord WinTreeView::RecordOf(HTREEITEM item) const {
    if (!item || !hwnd_) return nullptr;
    TVITEMW tv{};
    tv.mask = TVIF_PARAM;
    tv.hItem = item;
    if (!::SendMessageW(hwnd_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv)) || !tv.lParam) return nullptr;
    const TreeModel::Node* raw = NodeOfItemData(tv.lParam);
    if (!raw) return nullptr;
    // The item leads to a plain pointer; the owning pointer is among its siblings.
    const NodeRecord parent = raw->Parent();
    const auto& siblings = parent ? parent->Children() : model_.Roots();
    const auto found =
        std::find_if(siblings.begin(), siblings.end(), [&](const NodeRecord& n) { return n.get() == raw; });
    return found == siblings.end() ? nullptr : *found;
}

// ---- mirroring into the control ----

void WinTreeView::NodeAdded(const NodeRecord& node) {
    if (!hwnd_) return;
    const NodeRecord parent = node->Parent();
    const auto& siblings = parent ? parent->Children() : model_.Roots();
    if (updateDepth_ > 0) {
        pending_.Added(*node, parent.get(), siblings.back() == node);  // all go in at the end
        return;
    }
    // Under a node the control refused an item, none: it would stand at the top level.
    if (parent && !parent->platformItem) return;
    HTREEITEM after = TVI_LAST;
    if (siblings.back() != node) {
        const auto at = std::find(siblings.begin(), siblings.end(), node);
        after = at == siblings.begin() ? TVI_FIRST : ItemOf(**(at - 1));
    }
    Mirroring echo(mirroring_);
    InsertTreeItem(Control(), *node, parent ? ItemOf(*parent) : TVI_ROOT, after, itemText_);

    // A parent marked expanded before it had children opens with the first
    // one: the control keeps no expanded state for an item without children.
    if (parent && parent->Children().size() == 1 && parent->ExpandedFlag()) {
        TreeView_Expand(hwnd_, ItemOf(*parent), TVE_EXPAND);
    }
}

void WinTreeView::NodesRemoved(const std::vector<NodeRecord>& removed) {
    if (!removed.empty() && hwnd_ && removed.front()->platformItem) {
        if (updateDepth_ > 0) Freeze();
        Mirroring echo(mirroring_);
        TreeView_DeleteItem(hwnd_, ItemOf(*removed.front()));  // the branch goes with it
    }
    for (const auto& node : removed) node->platformItem = 0;
    if (updateDepth_ > 0) pending_.Disturbed();
    ShowSelection();  // the model moved it as the control does; make sure they agree
}

void WinTreeView::ClearingNodes() {
    pending_.Reset();
    selectionPending_ = false;
    pendingEnsureVisible_.clear();
    if (!hwnd_) return;
    if (updateDepth_ > 0) {
        // A rebuild: the items stay until its end, and then only what
        // differs changes. Meanwhile they show no node (these are going).
        if (shown_.Empty()) shown_.Capture(model_);
        for (const NodeRecord& node : model_.Collection()) {
            if (TreeItemSlot* slot = SlotOf(*node)) slot->node = nullptr;
        }
        return;
    }
    Mirroring echo(mirroring_);
    TreeView_DeleteAllItems(hwnd_);
}

void WinTreeView::TextChanged(const NodeRecord& node) {
    if (!hwnd_ || !node->platformItem) return;  // a pending item takes its text when it goes in
    if (updateDepth_ > 0) Freeze();
    Utf8ToWide(node->Text(), itemText_);
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = ItemOf(*node);
    tv.pszText = itemText_.data();
    ::SendMessageW(hwnd_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
}

void WinTreeView::BoldChanged(const NodeRecord& node) { RepaintRow(node); }

void WinTreeView::ExpandedChanged(const NodeRecord& node) {
    // Without children in the control the state waits for the first one.
    if (!hwnd_ || !node->platformItem || node->Children().empty()) return;
    if (updateDepth_ > 0) Freeze();
    Mirroring echo(mirroring_);
    TreeView_Expand(hwnd_, ItemOf(*node), node->ExpandedFlag() ? TVE_EXPAND : TVE_COLLAPSE);
}

void WinTreeView::ShowSelection() {
    if (!hwnd_) return;
    if (updateDepth_ > 0 || pressesHoldingPaint_ > 0) {
        selectionPending_ = true;  // the selected node may not have its item yet, or a press holds the view
        return;
    }
    const NodeRecord selected = model_.Selection();
    Mirroring echo(mirroring_);
    TreeView_SelectItem(hwnd_, selected ? ItemOf(*selected) : nullptr);
}

void WinTreeView::ForeColorChanged(const NodeRecord& node) { RepaintRow(node); }

void WinTreeView::RepaintRow(const NodeRecord& node) {
    if (!hwnd_ || !node->platformItem) return;  // a pending item is drawn when it goes in
    RECT r{};
    if (TreeView_GetItemRect(hwnd_, ItemOf(*node), &r, FALSE)) ::InvalidateRect(hwnd_, &r, TRUE);
}

void WinTreeView::SelectNode(const NodeRecord& node) {
    model_.Select(node);
    // Selecting opens the ancestors, in the control as in the model.
    if (node) model_.ExpandAncestors(node);
    ShowSelection();
}

void WinTreeView::EnsureNodeVisible(const NodeRecord& node) {
    model_.ExpandAncestors(node);
    if (!hwnd_) return;
    if (updateDepth_ > 0 || pressesHoldingPaint_ > 0) {
        pendingEnsureVisible_.push_back(node);
        return;
    }
    Mirroring echo(mirroring_);
    TreeView_EnsureVisible(hwnd_, ItemOf(*node));
}

// ---- TreeView ----

TreeNodePtr WinTreeView::SelectedItem() { return nodes_.Wrap(model_.Selection()); }

void WinTreeView::SetSelectedItem(const TreeNodePtr& node) { nodes_.SelectItem(node); }

TreeNodePtr WinTreeView::HitTest(float x, float y) {
    if (!hwnd_) return nullptr;
    TVHITTESTINFO hit{};
    hit.pt = POINT{static_cast<LONG>(x / kTwipsPerPixel), static_cast<LONG>(y / kTwipsPerPixel)};
    HTREEITEM item = TreeView_HitTest(hwnd_, &hit);
    if (!item || !(hit.flags & (TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON))) return nullptr;
    return nodes_.Wrap(RecordOf(item));
}

TreeNodePtr WinTreeView::DropHighlight() { return nodes_.Wrap(model_.DropHighlight()); }

void WinTreeView::SetDropHighlight(const TreeNodePtr& node) {
    const NodeRecord record = node ? nodes_.Unwrap(node) : nullptr;
    if (node && !record) return;
    if (!model_.SetDropHighlight(record) || !hwnd_) return;
    Mirroring echo(mirroring_);
    const HTREEITEM previous = TreeView_GetDropHilight(hwnd_);
    TreeView_SelectDropTarget(hwnd_, record ? ItemOf(*record) : nullptr);
    if (!record && previous && TreeView_GetDropHilight(hwnd_) == previous) {
        // Wine's tree ignores the request to clear the drop target while no
        // item is selected; the highlight at least must go.
        TreeView_SetItemState(hwnd_, previous, 0, TVIS_DROPHILITED);
    }
}

void WinTreeView::ChangeStyle(DWORD add, DWORD remove) {
    if (!hwnd_) return;
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd_, GWL_STYLE);
    ::SetWindowLongPtrW(hwnd_, GWL_STYLE, (style & ~static_cast<LONG_PTR>(remove)) | add);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void WinTreeView::ChangeExStyle(DWORD add, DWORD remove) {
    if (!hwnd_) return;
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
    ::SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, (style & ~static_cast<LONG_PTR>(remove)) | add);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void WinTreeView::SetAppearance(std::int32_t appearance) {
    appearance == 0 ? ChangeExStyle(0, WS_EX_CLIENTEDGE) : ChangeExStyle(WS_EX_CLIENTEDGE, 0);
}

void WinTreeView::SetBorderStyle(std::int32_t style) {
    style == 0 ? ChangeStyle(0, WS_BORDER) : ChangeStyle(WS_BORDER, 0);
}

void WinTreeView::SetSingleSel(bool single) {
    single ? ChangeStyle(TVS_SINGLEEXPAND, 0) : ChangeStyle(0, TVS_SINGLEEXPAND);
}

void WinTreeView::SetLabelEdit(std::int32_t mode) {
    mode == 0 ? ChangeStyle(TVS_EDITLABELS, 0) : ChangeStyle(0, TVS_EDITLABELS);
}

void WinTreeView::SetHideSelection(bool hide) {
    hide ? ChangeStyle(0, TVS_SHOWSELALWAYS) : ChangeStyle(TVS_SHOWSELALWAYS, 0);
}

void WinTreeView::SetLineStyle(std::int32_t style) {
    style == 1 ? ChangeStyle(TVS_LINESATROOT, 0) : ChangeStyle(0, TVS_LINESATROOT);
}

void WinTreeView::SetOLEDropMode(std::int32_t mode) {
    oleDropMode_ = mode;
    if (mode != 1) {
        dropTarget_.Revoke();
    } else if (!dropTarget_ && hwnd_) {
        dropTarget_ = DropTargetRegistration(hwnd_, MakeComObject<TreeDropTarget>(hwnd_, sinks_));
    }
}

void WinTreeView::Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    if (!frame_) return;
    const int dpi = WindowDpi(frame_);
    ::MoveWindow(frame_, TwipsToPixels(left, dpi), TwipsToPixels(top, dpi), std::max(0, TwipsToPixels(width, dpi)),
                 std::max(0, TwipsToPixels(height, dpi)), TRUE);
}

void WinTreeView::BeginUpdate() {
    // The control is held back only once something is about to change in
    // it: letting it go again redraws it whole, and a rebuild that changes
    // little needs only those rows drawn.
    if (updateDepth_++ == 0) frozen_ = false;
}

void WinTreeView::Freeze() {
    if (frozen_ || !hwnd_) return;
    frozen_ = true;
    const auto visible = [&] { return (::GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; };
    const bool wasVisible = visible();
    ::SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    // Where the window procedure's default handling hides the window for the
    // time, its frame (the scroll bars) needs drawing again at the end; where
    // the control keeps the flag to itself, its scroll bars stay current.
    hiddenForUpdate_ = wasVisible && !visible();
}

void WinTreeView::EndUpdate() {
    if (updateDepth_ == 0 || --updateDepth_ > 0 || !hwnd_) return;
    const bool reconciling = !shown_.Empty();
    if (reconciling) {
        ReconcileItems();
    } else if (pending_.Any()) {
        Freeze();
        Mirroring echo(mirroring_);
        pending_.Insert(Control(), model_, itemText_);
    }
    const bool frozen = std::exchange(frozen_, false);
    if (frozen) ::SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    // Only now has the control laid its items out again, so that it can tell
    // how far to scroll to a node.
    if (reconciling) scrollPending_ = true;
    ShowHeldView();
    if (!frozen) return;
    ::RedrawWindow(hwnd_, nullptr, nullptr,
                   RDW_ERASE | RDW_INVALIDATE | (hiddenForUpdate_ ? RDW_FRAME | RDW_ALLCHILDREN : 0));
}

void WinTreeView::ReconcileItems() {
    Mirroring echo(mirroring_);
    // A drop highlight went with the old nodes, as it goes with a fill from empty.
    if (const HTREEITEM dropped = TreeView_GetDropHilight(hwnd_)) {
        TreeView_SelectDropTarget(hwnd_, nullptr);
        TreeView_SetItemState(hwnd_, dropped, 0, TVIS_DROPHILITED);
    }
    const TreeControl control = Control();
    TreeItemSink sink(control, itemText_, [this] { Freeze(); });
    shared::ReconcileItems(shown_, model_, sink);
    shown_.Reset();
    pending_.Reset();
    // The selection as the rebuild left it, even none: the control's may be another.
    selectionPending_ = true;
}

void WinTreeView::ScrollAsFromEmpty() {
    // A control filled from empty shows the first row at the top and scrolls
    // just far enough to show the selected node, as its last whole row. The
    // same top row is set at once (where it is already, nothing moves), and
    // the sideways scrolling starts from the left edge.
    std::size_t selectedRow = 0;
    bool found = false;
    const NodeRecord& selected = model_.Selection();
    if (selected) ForEachShownRow([&](const NodeRecord& node, std::size_t row) {
        if (node != selected) return true;
        selectedRow = row;
        found = true;
        return false;
    });
    const auto whole = static_cast<std::size_t>(std::max<UINT>(1, TreeView_GetVisibleCount(hwnd_)));
    const std::size_t top = found && selectedRow >= whole ? selectedRow - whole + 1 : 0;
    HTREEITEM topItem = nullptr;
    ForEachShownRow([&](const NodeRecord& node, std::size_t row) {
        if (row != top) return true;
        topItem = ItemOf(*node);
        return false;
    });
    Mirroring echo(mirroring_);
    if (topItem && TreeView_GetFirstVisible(hwnd_) != topItem) TreeView_Select(hwnd_, topItem, TVGN_FIRSTVISIBLE);
    if (::GetScrollPos(hwnd_, SB_HORZ) != 0) ::SendMessageW(hwnd_, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
}

template <typename Visit>
void WinTreeView::ForEachShownRow(Visit visit) const {
    std::size_t row = 0;
    const auto walk = [&](const auto& self, const std::vector<NodeRecord>& nodes) -> bool {
        for (const NodeRecord& node : nodes) {
            if (!visit(node, row++)) return false;
            if (node->Open() && !self(self, node->Children())) return false;
        }
        return true;
    };
    walk(walk, model_.Roots());
}

void WinTreeView::ShowHeldView() {
    if (!hwnd_ || pressesHoldingPaint_ > 0) return;  // shown once, when the press has been handled
    if (std::exchange(scrollPending_, false)) {
        // Selecting may scroll (to the new selection, or to where the control
        // put its own when its selected item went); then the rows stand where
        // a fill from empty leaves them.
        ShowSelection();
        selectionPending_ = false;
        ScrollAsFromEmpty();
    }
    ShowHeldSelection();
}

void WinTreeView::ShowHeldSelection() {
    if (selectionPending_) ShowSelection();
    selectionPending_ = false;
    Mirroring echo(mirroring_);
    for (const NodeRecord& node : pendingEnsureVisible_) {
        if (model_.Contains(node)) TreeView_EnsureVisible(hwnd_, ItemOf(*node));
    }
    pendingEnsureVisible_.clear();
}

std::unique_ptr<EventConnection> WinTreeView::Advise(TreeEvents& sink) { return sinks_.Advise(sink); }

// ---- messages ----

LRESULT WinTreeView::OnMouseDown(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const std::int16_t button = message == WM_LBUTTONDOWN   ? vb::kLeftButton
                                : message == WM_RBUTTONDOWN ? vb::kRightButton
                                                            : vb::kMiddleButton;
    const float x = static_cast<float>(GET_X_LPARAM(lParam) * kTwipsPerPixel);
    const float y = static_cast<float>(GET_Y_LPARAM(lParam) * kTwipsPerPixel);
    const std::int16_t shift = ShiftState(wParam);
    const std::weak_ptr<const bool> alive = alive_;
    FirePress(button, shift, x, y);
    if (alive.expired() || !::IsWindow(hwnd)) return 0;  // a handler closed the tree
    if (message == WM_RBUTTONDOWN) {
        // The control would wait here for a right drag before anything else
        // happens; the handler's menu has been shown, so only take the focus.
        ::SetFocus(hwnd);
        return 0;
    }
    if (message == WM_LBUTTONDOWN) {
        // A press on a node's picture or label is handled here, not by the
        // control: its own drag-detect loop dispatches whatever is posted
        // meanwhile (the host's queued events, which rebuild the tree) and
        // then goes on working with the item it hit, which may be gone.
        // Waiting here dispatches nothing.
        TVHITTESTINFO hit{};
        hit.pt = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const HTREEITEM item = TreeView_HitTest(hwnd, &hit);
        if (item && (hit.flags & TVHT_ONITEM)) {
            ::SetFocus(hwnd);
            if (oleDragMode_ == 1 && DragStarts(hwnd, hit.pt)) {
                RunTreeDrag(sinks_);
            } else if (!alive.expired()) {
                SelectNode(RecordOf(item));  // a click selects, as in the control
            }
            return 0;
        }
    }
    return ::CallWindowProcW(controlProc_, hwnd, message, wParam, lParam);
}

bool WinTreeView::DragStarts(HWND hwnd, POINT pressed) {
    // The press's handler may have let messages run (a rebuild does), the
    // pointer's moves among them: the button may be up already, or the
    // pointer out of the rectangle.
    if (::GetKeyState(VK_LBUTTON) >= 0) return false;
    RECT still{pressed.x, pressed.y, pressed.x, pressed.y};
    ::InflateRect(&still, ::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG));
    POINT now{};
    ::GetCursorPos(&now);
    ::ScreenToClient(hwnd, &now);
    if (!::PtInRect(&still, now)) return true;
    ::SetCapture(hwnd);
    bool started = false;
    for (bool decided = false; !decided;) {
        MSG msg;
        while (!decided && ::PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
            if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONDOWN) {
                decided = true;
            } else if (msg.message == WM_MOUSEMOVE) {
                const POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
                started = decided = !::PtInRect(&still, at);
            }
        }
        if (!decided && ::GetCapture() != hwnd) decided = true;  // someone took the mouse
        if (!decided) ::WaitMessage();
    }
    if (::GetCapture() == hwnd) ::ReleaseCapture();
    return started;
}

void WinTreeView::PressFromKeyboard(std::int16_t button) {
    HTREEITEM item = TreeView_GetSelection(hwnd_);
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    // Without a selected node: a right press where no node is, for the menu
    // of the pane, which then opens at the tree's top-left corner.
    POINT press{0, client.bottom};
    POINT anchor{0, 0};
    if (item) {
        TreeView_EnsureVisible(hwnd_, item);
        RECT label{};
        if (!TreeView_GetItemRect(hwnd_, item, &label, TRUE)) return;
        press = POINT{(label.left + label.right) / 2, (label.top + label.bottom) / 2};
        anchor = POINT{label.left, label.bottom};
    } else if (button != vb::kRightButton) {
        return;
    }
    ::ClientToScreen(hwnd_, &anchor);
    const MenuAnchor menuAtNode(anchor);
    const float x = static_cast<float>(press.x * kTwipsPerPixel);
    const float y = static_cast<float>(press.y * kTwipsPerPixel);
    FirePress(button, KeyboardShiftState(), x, y);
}

void WinTreeView::FirePress(std::int16_t button, std::int16_t shift, float x, float y) {
    // A left press activates a sheet or workbook, and each of the host's
    // events rebuilds the tree before the next one: each rebuild's rows
    // would be drawn in the next one's wait for pending events. A right
    // press shows its menu, and what it opens may be moved over the tree.
    struct Hold {
        WinTreeView* tree;
        std::weak_ptr<const bool> alive;
        ~Hold() {
            if (!tree || alive.expired() || --tree->pressesHoldingPaint_ > 0) return;
            tree->ShowHeldView();
            const RECT owed = std::exchange(tree->owedPaint_, RECT{});
            if (tree->hwnd_ && !::IsRectEmpty(&owed)) ::InvalidateRect(tree->hwnd_, &owed, TRUE);
        }
    } hold{button == vb::kLeftButton ? this : nullptr, alive_};
    if (hold.tree) ++pressesHoldingPaint_;
    sinks_.Fire([&](TreeEvents& sink) { sink.MouseDown(button, shift, x, y); });
}

bool WinTreeView::HoldsPaint(HWND hwnd) {
    if (pressesHoldingPaint_ == 0) return false;
    RECT dirty{};
    if (::GetUpdateRect(hwnd, &dirty, FALSE)) ::UnionRect(&owedPaint_, &owedPaint_, &dirty);
    ::ValidateRect(hwnd, nullptr);  // nothing erased: the rows stay as they were until then
    return true;
}

void WinTreeView::MoveFocusOut(bool backwards) {
    HWND form = frame_ ? ::GetParent(frame_) : nullptr;
    HWND next = form ? ::GetNextDlgTabItem(form, frame_, backwards) : nullptr;
    if (next && next != frame_) ::SetFocus(next);
}

bool WinTreeView::OnKey(UINT message, WPARAM key) {
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const bool contextKey = key == VK_APPS || (key == VK_F10 && ShiftDown());
    if (contextKey) {
        // Both the press and the release are ours: the system would make
        // either into a second menu (WM_CONTEXTMENU) or the host's menu bar (F10).
        if (down) PressFromKeyboard(vb::kRightButton);
        return true;
    }
    if (message != WM_KEYDOWN) return false;
    switch (key) {
    case VK_RETURN:
        PressFromKeyboard(vb::kLeftButton);
        return true;
    case VK_TAB:
        MoveFocusOut(ShiftDown());
        return true;
    case VK_BACK:  // the control's own: up to the parent, unless a search runs
        return OnTyped(typeAhead_.Backspace(model_, static_cast<std::uint32_t>(::GetMessageTime())));
    }
    return false;
}

bool WinTreeView::OnTyped(const shared::TreeTypeAhead::Step& step) {
    if (step.match) SelectNode(step.match);  // as the arrow keys select: no press
    if (step.noMatch) beep_();
    return step.taken;
}

LRESULT CALLBACK WinTreeView::TreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<WinTreeView*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    const WNDPROC control = self->controlProc_;
    try {
        switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            return self->OnMouseDown(hwnd, message, wParam, lParam);
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            if (self->OnKey(message, wParam)) return 0;
            break;
        case WM_PAINT:
            if (self->HoldsPaint(hwnd)) return 0;
            break;
        case WM_CHAR:
            if (wParam == L'\r' || wParam == L'\t') return 0;  // handled as keys; the control would search for them
            if (wParam == L'\b') return 0;  // Backspace's key shortened our search, or the control went up a level
            if (self->OnTyped(self->typeAhead_.Type(self->model_, static_cast<char32_t>(wParam),
                                                    static_cast<std::uint32_t>(::GetMessageTime()))))
                return 0;
            break;
        case WM_CONTEXTMENU:
            // From the keyboard (no position): the selected node's menu. From
            // the mouse: the press has shown its menu already, and the host
            // window must not add its own.
            if (lParam == -1) self->PressFromKeyboard(vb::kRightButton);
            return 0;
        case WM_DESTROY:
            self->dropTarget_.Revoke();  // OLE revokes only while the window exists
            break;
        case WM_NCDESTROY:
            ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control));
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
            break;
        }
    } catch (...) {
        // Nothing may unwind into the system; the message runs as usual.
    }
    return ::CallWindowProcW(control, hwnd, message, wParam, lParam);
}

LRESULT WinTreeView::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        frame_ = hwnd;
        break;
    case WM_SIZE:
        if (hwnd_) ::MoveWindow(hwnd_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        if (hwnd_) ::SetFocus(hwnd_);
        return 0;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(reinterpret_cast<NMHDR*>(lParam), result)) return result;
        return 0;
    }
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

void WinTreeView::WindowDestroyed() {
    frame_ = nullptr;
    hwnd_ = nullptr;
}

bool WinTreeView::OnNotify(NMHDR* header, LRESULT& result) {
    if (!header || !hwnd_ || header->hwndFrom != hwnd_) return false;
    switch (header->code) {
    case NM_CUSTOMDRAW:
        result = OnCustomDraw(reinterpret_cast<NMTVCUSTOMDRAW*>(header));
        return true;
    case TVN_DELETEITEMW:
    case TVN_DELETEITEMA:
        slots_.Give(reinterpret_cast<TreeItemSlot*>(reinterpret_cast<NMTREEVIEWW*>(header)->itemOld.lParam));
        return false;
    case TVN_SELCHANGEDW:
    case TVN_SELCHANGEDA:
        // The user moved the selection (mouse or keyboard).
        if (!mirroring_) model_.Select(RecordOf(reinterpret_cast<NMTREEVIEWW*>(header)->itemNew.hItem));
        return false;
    case TVN_ITEMEXPANDEDW:
    case TVN_ITEMEXPANDEDA: {
        auto* tv = reinterpret_cast<NMTREEVIEWW*>(header);
        if (!mirroring_) {
            if (const NodeRecord node = RecordOf(tv->itemNew.hItem)) {
                model_.SetExpanded(node, (tv->action & TVE_EXPAND) != 0);
            }
        }
        return false;
    }
    }
    return false;
}

COLORREF WinTreeView::InactiveHighlightColor() {
    return Mix(::GetSysColor(COLOR_HIGHLIGHT), ::GetSysColor(COLOR_WINDOW), 35);
}

LRESULT WinTreeView::OnCustomDraw(NMTVCUSTOMDRAW* draw) {
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        const TreeModel::Node* node = NodeOfItemData(draw->nmcd.lItemlParam);
        if (!node) return CDRF_DODEFAULT;
        // Every item is measured bold (InsertTreeItem); a node that is not
        // is drawn in the plain font, and the control measures it so.
        LRESULT font = CDRF_DODEFAULT;
        if (!node->Bold() && font_ && draw->nmcd.hdc) {
            ::SelectObject(draw->nmcd.hdc, font_.Get());
            font = CDRF_NEWFONT;
        }
        const TreeModel::Node* dropTarget = model_.DropHighlight().get();
        // The drop target keeps the control's highlight colours, text included,
        // so it stays readable.
        if (node == dropTarget) return font;
        const bool ownColor = node->ForeColor() != kSystemWindowText;
        // The focus is asked for the selected node only: the window system
        // answers that question slowly, and a paint asks for every row.
        if (node == model_.Selection().get()) {
            const bool focused = ::GetFocus() == hwnd_;
            const bool shownAlways = ::GetWindowLongPtrW(hwnd_, GWL_STYLE) & TVS_SHOWSELALWAYS;
            // So does the selection of the focused tree.
            if (focused && !dropTarget) return font;
            if (focused || shownAlways) {
                // Without focus the selection stays plainly marked (the control's
                // own mark is a faint grey, and none at all under Wine once another
                // item had the focus); while a drop target is marked, it is not.
                const COLORREF back = ::SendMessageW(hwnd_, TVM_GETBKCOLOR, 0, 0);
                const COLORREF text = ::SendMessageW(hwnd_, TVM_GETTEXTCOLOR, 0, 0);
                draw->clrTextBk = dropTarget ? (back == CLR_NONE ? ::GetSysColor(COLOR_WINDOW) : back)
                                             : InactiveHighlightColor();
                draw->clrText = ownColor ? ToColorRef(node->ForeColor())
                                         : (text == CLR_NONE ? ::GetSysColor(COLOR_WINDOWTEXT) : text);
                return CDRF_NEWFONT;
            }
        }
        if (!ownColor) return font;
        draw->clrText = ToColorRef(node->ForeColor());
        return CDRF_NEWFONT;
    }
    }
    return CDRF_DODEFAULT;
}

}  // namespace brackwell::win
