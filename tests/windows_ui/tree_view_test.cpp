// The pane's tree on the real common-controls tree view: what the control
// shows is read back from the control itself (TVM_GETITEM, item rectangles,
// the colours its custom draw hands out). The collection's own rules are the
// portable tree model's and tested with it; what the pane's rebuild puts in
// the control (texts, bold, colours, opened, selected, in view, all during an
// update) is read back with the docked pane, and the mouse's presses reach
// the handlers through the DLL. Here, the rest of what reaches the control,
// and what the user's keyboard does in the control reaching callers.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "adapters/shared/item_reconciler.h"
#include "adapters/windows/controls/popup_menu.h"
#include "adapters/windows/controls/tree_item_sink.h"
#include "adapters/windows/controls/tree_items.h"
#include "adapters/windows/controls/tree_item_text.h"
#include "adapters/windows/controls/tree_view.h"
#include "ui_test_support.h"

namespace brackwell::win {
namespace {

struct Press {
    std::int16_t button;
    std::int16_t shift;
    float x;
    float y;
};

class RecordingSink final : public TreeEvents {
public:
    void MouseDown(std::int16_t button, std::int16_t shift, float x, float y) override {
        presses.push_back({button, shift, x, y});
        if (onPress) onPress(presses.back());
    }
    void OLEStartDrag(DataObject&, std::int32_t&) override {}
    void OLEDragOver(DataObject&, std::int32_t&, std::int16_t, std::int16_t, float, float, std::int16_t) override {}
    void OLEDragDrop(DataObject&, std::int32_t&, std::int16_t, std::int16_t, float, float) override {}

    std::vector<Press> presses;
    std::function<void(const Press&)> onPress;
};

class WinTreeViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree_ = std::make_unique<WinTreeView>(test::Instance(), test::SharedHostWindow());
        tree_->Move(0, 0, 300 * 15, 200 * 15);
    }

    HWND Tree() const { return tree_->Handle(); }
    TreeNodes& Nodes() { return tree_->Nodes(); }

    // The control's item showing `text`, searched through the whole tree.
    HTREEITEM FindItem(const std::wstring& text, HTREEITEM parent = nullptr) const {
        for (HTREEITEM item = parent ? TreeView_GetChild(Tree(), parent) : TreeView_GetRoot(Tree()); item;
             item = TreeView_GetNextSibling(Tree(), item)) {
            if (TreeItemText(Tree(), item) == text) return item;
            if (HTREEITEM below = FindItem(text, item)) return below;
        }
        return nullptr;
    }

    UINT State(HTREEITEM item) const { return TreeView_GetItemState(Tree(), item, 0xFFFF); }

    // What the control would draw the item's text in: the custom-draw
    // notification as the control sends it to its parent.
    COLORREF DrawnTextColor(HTREEITEM item, UINT itemState = 0) const {
        TVITEMW tv{};
        tv.mask = TVIF_PARAM;
        tv.hItem = item;
        TreeView_GetItem(Tree(), &tv);
        NMTVCUSTOMDRAW draw{};
        draw.nmcd.hdr.hwndFrom = Tree();
        draw.nmcd.hdr.code = NM_CUSTOMDRAW;
        draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        draw.nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(item);
        draw.nmcd.uItemState = itemState;
        draw.nmcd.lItemlParam = tv.lParam;
        draw.clrText = kDefaultText;
        ::SendMessageW(::GetParent(Tree()), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw));
        return draw.clrText;
    }

    // One workbook with two worksheets and a defined name, as the pane shows it.
    void AddWorkbook() {
        Nodes().Add("", TreeRelationship::Last, "wb1", "Mappe1.xls", 1);
        Nodes().Add("wb1", TreeRelationship::Child, "wb1|1", "\xC3\x9C" "bersicht", 2);  // Übersicht
        Nodes().Add("wb1", TreeRelationship::Child, "wb1|2", "\xE5\xA3\xB2\xE4\xB8\x8A", 2);  // 売上
        Nodes().Add("wb1", TreeRelationship::Child, "wb1#1", "Daten (Tabelle1!$A$1:$B$9)", 3);
    }

    static constexpr COLORREF kDefaultText = 0x00123456;

    std::unique_ptr<WinTreeView> tree_;
};

TEST_F(WinTreeViewTest, TheSelectionStaysMarkedWithoutFocusUntilADropTargetTakesTheMarkOver) {
    AddWorkbook();
    Nodes().Item("wb1|2")->SetSelected(true);
    Nodes().Item("wb1|2")->SetForeColor(0x0000FF);  // red
    // The highlight of the focused tree's selection wins; without focus the
    // node's colour shows on the selection's own mark.
    ::SetFocus(Tree());
    EXPECT_EQ(DrawnTextColor(FindItem(L"\u58F2\u4E0A"), CDIS_SELECTED), kDefaultText);
    ::SetFocus(test::SharedHostWindow());
    EXPECT_EQ(DrawnTextColor(FindItem(L"\u58F2\u4E0A"), CDIS_SELECTED), 0x0000FFu);
    EXPECT_EQ(DrawnTextColor(FindItem(L"\u00DCbersicht")), kDefaultText);  // no colour of its own
    // A pixel of the label's own background, left of its text.
    const auto labelBackground = [&](const wchar_t* text) {
        RECT label{};
        TreeView_GetItemRect(Tree(), FindItem(text), &label, TRUE);
        return test::ClientPixels(Tree()).At(label.left + 1, label.top + 1);
    };
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);

    EXPECT_EQ(labelBackground(L"\u58F2\u4E0A"), WinTreeView::InactiveHighlightColor());
    EXPECT_NE(WinTreeView::InactiveHighlightColor(), window);
    EXPECT_EQ(labelBackground(L"\u00DCbersicht"), window);

    tree_->SetDropHighlight(Nodes().Item("wb1|1"));
    EXPECT_TRUE(State(FindItem(L"\u00DCbersicht")) & TVIS_DROPHILITED);
    EXPECT_EQ(labelBackground(L"\u00DCbersicht"), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(labelBackground(L"\u58F2\u4E0A"), window);

    tree_->SetDropHighlight(nullptr);
    EXPECT_FALSE(State(FindItem(L"\u00DCbersicht")) & TVIS_DROPHILITED);
    EXPECT_EQ(labelBackground(L"\u58F2\u4E0A"), WinTreeView::InactiveHighlightColor());

    tree_->SetHideSelection(true);  // then the mark goes with the focus
    EXPECT_EQ(labelBackground(L"\u58F2\u4E0A"), window);
}

TEST_F(WinTreeViewTest, TheUsersKeyboardMovesTheSelectionForCallers) {
    AddWorkbook();
    Nodes().Item("wb1|1")->SetSelected(true);
    ::SetFocus(Tree());

    ::SendMessageW(Tree(), WM_KEYDOWN, VK_DOWN, 0);
    ASSERT_NE(tree_->SelectedItem(), nullptr);
    EXPECT_EQ(tree_->SelectedItem()->Key(), "wb1|2");
    EXPECT_FALSE(Nodes().Item("wb1|1")->Selected());

    ::SendMessageW(Tree(), WM_KEYDOWN, VK_LEFT, 0);  // up to the workbook
    EXPECT_EQ(tree_->SelectedItem()->Key(), "wb1");
}

TEST_F(WinTreeViewTest, TheKeyboardPressesTheSelectedNodeAndItsMenuOpensAtTheNode) {
    AddWorkbook();
    Nodes().Item("wb1|2")->SetSelected(true);
    RecordingSink sink;
    auto connection = tree_->Advise(sink);
    WinPopupMenu menu(test::Instance());
    menu.AddItem("Gehe zu..", "mnu8", 6923, true);
    POINT menuAt{-1, -1};
    sink.onPress = [&](const Press& press) {
        if (press.button != vb::kRightButton) return;
        test::ModalAnswerer answerer(L"#32768", [&](HWND shown) {
            RECT r{};
            ::GetWindowRect(shown, &r);
            menuAt = POINT{r.left, r.top};
            test::PostKey(shown, VK_ESCAPE);
        });
        menu.ShowPopup(-1, -1);  // as the handlers ask: "at the pointer"
    };
    ::SetFocus(Tree());
    RECT label{};
    ASSERT_TRUE(TreeView_GetItemRect(Tree(), FindItem(L"\u58F2\u4E0A"), &label, TRUE));
    POINT below{label.left, label.bottom};
    ::ClientToScreen(Tree(), &below);
    test::MoveMouseTo(POINT{5, 5});  // far from the node

    test::HoldKey(VK_SHIFT, true);
    ::PostMessageW(Tree(), WM_SYSKEYDOWN, VK_F10, 1);
    ::PostMessageW(Tree(), WM_SYSKEYUP, VK_F10, 0xC0000001);
    test::PumpFor(std::chrono::milliseconds(20));
    test::HoldKey(VK_SHIFT, false);
    ASSERT_EQ(sink.presses.size(), 1u);
    EXPECT_EQ(sink.presses[0].button, vb::kRightButton);
    EXPECT_EQ(sink.presses[0].shift, 1);
    EXPECT_EQ(tree_->HitTest(sink.presses[0].x, sink.presses[0].y)->Key(), "wb1|2");
    EXPECT_EQ(menuAt.x, below.x);
    EXPECT_EQ(menuAt.y, below.y);

    // Without a selection the menu key still asks, at no node (for the
    // pane's menu, at the tree's corner); Enter presses nothing.
    tree_->SetSelectedItem(nullptr);
    menuAt = POINT{-1, -1};
    test::PostKey(Tree(), VK_APPS);
    test::PumpFor(std::chrono::milliseconds(20));
    test::PostKey(Tree(), VK_RETURN);
    test::PumpFor(std::chrono::milliseconds(20));
    ASSERT_EQ(sink.presses.size(), 2u);
    EXPECT_EQ(tree_->HitTest(sink.presses[1].x, sink.presses[1].y), nullptr);
    POINT corner{0, 0};
    ::ClientToScreen(Tree(), &corner);
    EXPECT_EQ(menuAt.x, corner.x);
    EXPECT_EQ(menuAt.y, corner.y);
}

TEST_F(WinTreeViewTest, TypedLettersFindASheetUnderACollapsedWorkbookAndEnterPressesIt) {
    int beeps = 0;
    tree_->SetBeep([&] { ++beeps; });
    RecordingSink sink;
    auto connection = tree_->Advise(sink);
    ::SetFocus(Tree());
    const auto type = [&](const wchar_t* keys) {
        for (; *keys; ++keys) ::PostMessageW(Tree(), WM_CHAR, *keys, 1);
        test::PumpFor(std::chrono::milliseconds(20));
    };
    const auto selected = [&] { return TreeItemText(Tree(), TreeView_GetSelection(Tree())); };

    AddWorkbook();
    // Typed while a rebuild is under way: the nodes are new, their items not yet.
    tree_->BeginUpdate();
    Nodes().Clear();
    AddWorkbook();
    Nodes().Add("", TreeRelationship::Last, "wb2", "Bericht.xls", 1);  // collapsed
    Nodes().Add("wb2", TreeRelationship::Child, "wb2|1", "Umsatz", 2);
    Nodes().Add("wb2", TreeRelationship::Child, "wb2|2", "I\xC4\x9F" "d\xC4\xB1r", 2);  // Iğdır
    Nodes().Add("wb2", TreeRelationship::Child, "wb2|3", "\xC4\xB1l\xC4\xB1k", 2);  // ılık
    Nodes().Item("wb1|2")->SetSelected(true);
    type(L"u");
    tree_->EndUpdate();
    EXPECT_EQ(selected(), L"Umsatz");
    EXPECT_TRUE(State(FindItem(L"Bericht.xls")) & TVIS_EXPANDED);

    type(L"mx");
    EXPECT_EQ(beeps, 1) << "nothing starts with \"umx\"";
    EXPECT_EQ(selected(), L"Umsatz");
    for (int i = 0; i < 3; ++i) test::PostKey(Tree(), VK_BACK);  // not up to the parent: the search empties
    type(L"\u0131");  // the dotless ı is a letter of its own in the system's case mapping, not a small I
    EXPECT_EQ(selected(), L"\u0131l\u0131k");
    test::PostKey(Tree(), VK_BACK);
    type(L"\u00FC");
    EXPECT_EQ(selected(), L"\u00DCbersicht");
    EXPECT_EQ(beeps, 1);

    test::PostKey(Tree(), VK_RETURN);
    test::PumpFor(std::chrono::milliseconds(20));
    ASSERT_EQ(sink.presses.size(), 1u) << "typing presses nothing; Enter does";
    EXPECT_EQ(sink.presses[0].button, vb::kLeftButton);
    EXPECT_EQ(tree_->HitTest(sink.presses[0].x, sink.presses[0].y)->Key(), "wb1|1");
}

// The control's own procedure, refusing to insert an item of one text, as a
// control out of memory refuses.
WNDPROC treeProcedure = nullptr;
const wchar_t* refusedText = nullptr;
LRESULT CALLBACK RefusingTreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* insert = reinterpret_cast<const TVINSERTSTRUCTW*>(lParam);
    if (message == TVM_INSERTITEMW && refusedText && std::wstring(insert->item.pszText) == refusedText) return 0;
    return ::CallWindowProcW(treeProcedure, hwnd, message, wParam, lParam);
}

// Every way the Windows tree makes items (a rebuild's items as they came or
// in a pass, and a reconciliation's) leaves a refused item's children out
// rather than at the top level.
TEST(WinTreeItems, NothingBelowARefusedItemLandsAtTheTopLevel) {
    const HWND hwnd = ::CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD, 0, 0, 200, 200, test::SharedHostWindow(),
                                        nullptr, test::Instance(), nullptr);
    treeProcedure = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    TreeItemSlots slots;
    const TreeControl control{hwnd, RefusingTreeProc, &slots};
    std::wstring text;
    const auto fill = [](shared::TreeModel& model, bool third) {
        for (const char* book : third ? std::vector{"wb1", "wb2", "wb3"} : std::vector{"wb1", "wb2"}) {
            model.Add("", TreeRelationship::Last, book, std::string("Mappe") + book[2], 1);
            model.Add(book, TreeRelationship::Child, std::string(book) + "|1", "Tabelle1", 2);
        }
    };
    const auto items = [&] {
        std::wstring shown;
        const auto walk = [&](const auto& self, HTREEITEM item, int depth) -> void {
            for (; item; item = TreeView_GetNextSibling(hwnd, item)) {
                shown += std::wstring(2 * depth, L' ') + TreeItemText(hwnd, item) + L"\n";
                self(self, TreeView_GetChild(hwnd, item), depth + 1);
            }
        };
        walk(walk, TreeView_GetRoot(hwnd), 0);
        return shown;
    };

    refusedText = L"Mappe1";
    shared::TreeModel inPass;
    fill(inPass, false);
    InsertPendingItems(control, inPass, text);
    EXPECT_EQ(items(), L"Mappe2\n  Tabelle1\n");

    TreeView_DeleteAllItems(hwnd);
    shared::TreeModel asTheyCame;
    PendingItems pending;
    fill(asTheyCame, false);
    for (const auto& node : asTheyCame.Collection()) pending.Added(*node, node->Parent().get(), true);
    pending.Insert(control, asTheyCame, text);
    EXPECT_EQ(items(), L"Mappe2\n  Tabelle1\n");

    refusedText = L"Mappe3";
    shared::ShownItems before;
    before.Capture(asTheyCame);
    shared::TreeModel reconciled;
    fill(reconciled, true);
    TreeItemSink sink(control, text, [] {});
    shared::ReconcileItems(before, reconciled, sink);
    EXPECT_EQ(items(), L"Mappe1\n  Tabelle1\nMappe2\n  Tabelle1\n");
    ::DestroyWindow(hwnd);
}

TEST_F(WinTreeViewTest, UpdatesFreezePaintingUntilTheOutermostEnd) {
    AddWorkbook();
    // A busy X server may expose the window late; let that arrive before the window is made clean.
    test::PumpFor(std::chrono::milliseconds(100));
    ::UpdateWindow(Tree());
    ::ValidateRect(Tree(), nullptr);
    RECT dirty{};

    tree_->BeginUpdate();
    tree_->BeginUpdate();
    Nodes().Add("", TreeRelationship::Last, "wb2", "Mappe2.xls", 1);
    tree_->EndUpdate();
    EXPECT_FALSE(::GetUpdateRect(Tree(), &dirty, FALSE)) << "still frozen after the inner end";
    tree_->EndUpdate();
    EXPECT_TRUE(::GetUpdateRect(Tree(), &dirty, FALSE)) << "the outer end repaints";
}

}  // namespace
}  // namespace brackwell::win
