// The pane's tree on the real common-controls tree view: what the control
// shows is read back from the control itself (TVM_GETITEM, item rectangles,
// the colours its custom draw hands out). The collection's own rules are the
// portable tree model's and tested with it; here, that every change reaches
// the control and every change the user makes in the control reaches callers.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "adapters/windows/controls/popup_menu.h"
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
    HTREEITEM selectionDuringEvent;
};

class RecordingSink final : public TreeEvents {
public:
    explicit RecordingSink(HWND tree) : tree_(tree) {}
    void MouseDown(std::int16_t button, std::int16_t shift, float x, float y) override {
        presses.push_back({button, shift, x, y, TreeView_GetSelection(tree_)});
        if (onPress) onPress(presses.back());
    }
    void OLEStartDrag(DataObject&, std::int32_t&) override {}
    void OLEDragOver(DataObject&, std::int32_t&, std::int16_t, std::int16_t, float, float, std::int16_t) override {}
    void OLEDragDrop(DataObject&, std::int32_t&, std::int16_t, std::int16_t, float, float) override {}

    std::vector<Press> presses;
    std::function<void(const Press&)> onPress;

private:
    HWND tree_;
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
            if (ItemText(item) == text) return item;
            if (HTREEITEM below = FindItem(text, item)) return below;
        }
        return nullptr;
    }

    std::wstring ItemText(HTREEITEM item) const { return TreeItemText(Tree(), item); }

    std::vector<std::wstring> RootTexts() const {
        std::vector<std::wstring> texts;
        for (HTREEITEM i = TreeView_GetRoot(Tree()); i; i = TreeView_GetNextSibling(Tree(), i)) {
            texts.push_back(ItemText(i));
        }
        return texts;
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

TEST_F(WinTreeViewTest, RelationshipsPlaceNodesBesideTheirRelative) {
    Nodes().Add("", TreeRelationship::Last, "b", "B", 1);
    Nodes().Add("b", TreeRelationship::Previous, "a", "A", 1);
    Nodes().Add("b", TreeRelationship::Next, "c", "C", 1);
    Nodes().Add("a", TreeRelationship::First, "first", "First", 1);
    Nodes().Add("a", TreeRelationship::Last, "last", "Last", 1);
    EXPECT_EQ(RootTexts(), (std::vector<std::wstring>{L"First", L"A", L"B", L"C", L"Last"}));
}

TEST_F(WinTreeViewTest, RemoveAndClearTakeTheNodesFromTheControl) {
    AddWorkbook();
    Nodes().Add("", TreeRelationship::Last, "wb2", "Mappe2.xls", 1);
    Nodes().Add("wb2", TreeRelationship::Child, "wb2|1", "Tabelle1", 2);
    const TreeNodePtr kept = Nodes().Item("wb1|1");

    Nodes().Remove(1);  // wb1 and its three children

    EXPECT_EQ(TreeView_GetCount(Tree()), 2u);
    EXPECT_EQ(FindItem(L"Mappe1.xls"), nullptr);
    kept->SetText("changed");  // a removed node shows nowhere
    EXPECT_EQ(FindItem(L"changed"), nullptr);

    Nodes().Item("wb2|1")->SetSelected(true);
    Nodes().Clear();
    EXPECT_EQ(TreeView_GetCount(Tree()), 0u);
    EXPECT_EQ(tree_->SelectedItem(), nullptr);
    Nodes().Add("", TreeRelationship::Last, "wb1", "Mappe1.xls", 1);  // the key is free again
    EXPECT_EQ(TreeView_GetCount(Tree()), 1u);
}

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

TEST_F(WinTreeViewTest, TheUsersKeyboardMovesTheSelectionAndCollapsesForCallers) {
    AddWorkbook();
    Nodes().Item("wb1|1")->SetSelected(true);
    ::SetFocus(Tree());

    ::SendMessageW(Tree(), WM_KEYDOWN, VK_DOWN, 0);
    ASSERT_NE(tree_->SelectedItem(), nullptr);
    EXPECT_EQ(tree_->SelectedItem()->Key(), "wb1|2");
    EXPECT_FALSE(Nodes().Item("wb1|1")->Selected());

    ::SendMessageW(Tree(), WM_KEYDOWN, VK_LEFT, 0);  // up to the workbook
    ::SendMessageW(Tree(), WM_KEYDOWN, VK_LEFT, 0);  // and closed
    EXPECT_EQ(tree_->SelectedItem()->Key(), "wb1");
    EXPECT_FALSE(State(FindItem(L"Mappe1.xls")) & TVIS_EXPANDED);
    EXPECT_FALSE(Nodes().Item("wb1")->Expanded());
}

TEST_F(WinTreeViewTest, MouseDownReportsButtonShiftAndTwipsBeforeTheControlActs) {
    AddWorkbook();
    Nodes().Item("wb1")->SetSelected(true);
    Nodes().Item("wb1")->SetExpanded(true);
    RecordingSink sink(Tree());
    auto connection = tree_->Advise(sink);
    RECT label{};
    ASSERT_TRUE(TreeView_GetItemRect(Tree(), FindItem(L"\u58F2\u4E0A"), &label, TRUE));
    const POINT centre{(label.left + label.right) / 2, (label.top + label.bottom) / 2};
    const LPARAM at = MAKELPARAM(centre.x, centre.y);

    ::SendMessageW(Tree(), WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, at);
    ::SendMessageW(Tree(), WM_RBUTTONUP, MK_SHIFT, at);
    ::SendMessageW(Tree(), WM_MBUTTONDOWN, MK_MBUTTON, at);
    ::SendMessageW(Tree(), WM_MBUTTONUP, 0, at);
    // The control waits in a drag-detect loop after a left press until the
    // button comes up; the release is queued first, as a user's would be.
    ::PostMessageW(Tree(), WM_LBUTTONUP, 0, at);
    ::SendMessageW(Tree(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, at);

    ASSERT_EQ(sink.presses.size(), 3u);
    EXPECT_EQ(sink.presses[0].button, vb::kRightButton);
    EXPECT_EQ(sink.presses[0].shift, 1);
    EXPECT_EQ(sink.presses[0].x, static_cast<float>(centre.x * 15));
    EXPECT_EQ(sink.presses[0].y, static_cast<float>(centre.y * 15));
    EXPECT_EQ(sink.presses[1].button, vb::kMiddleButton);
    EXPECT_EQ(sink.presses[2].button, vb::kLeftButton);
    EXPECT_EQ(sink.presses[2].shift, 2);
    // The handler heard of the left press while the workbook was still
    // selected; the control's own handling selected the pressed node after.
    EXPECT_EQ(sink.presses[2].selectionDuringEvent, FindItem(L"Mappe1.xls"));
    EXPECT_EQ(tree_->SelectedItem()->Key(), "wb1|2");
    // The handler's twips lead back to the node; below the last row is none.
    ASSERT_NE(tree_->HitTest(sink.presses[0].x, sink.presses[0].y), nullptr);
    EXPECT_EQ(tree_->HitTest(sink.presses[0].x, sink.presses[0].y)->Key(), "wb1|2");
    EXPECT_EQ(tree_->HitTest(sink.presses[0].x, 190 * 15), nullptr);

    connection.reset();  // a detached sink hears nothing
    ::SendMessageW(Tree(), WM_RBUTTONDOWN, MK_RBUTTON, at);
    EXPECT_EQ(sink.presses.size(), 3u);
}

TEST_F(WinTreeViewTest, TheKeyboardPressesTheSelectedNodeAndItsMenuOpensAtTheNode) {
    AddWorkbook();
    Nodes().Item("wb1|2")->SetSelected(true);
    RecordingSink sink(Tree());
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

    test::PostKey(Tree(), VK_RETURN);
    test::PumpFor(std::chrono::milliseconds(20));
    ASSERT_EQ(sink.presses.size(), 2u);
    EXPECT_EQ(sink.presses[1].button, vb::kLeftButton);
    EXPECT_EQ(tree_->HitTest(sink.presses[1].x, sink.presses[1].y)->Key(), "wb1|2");

    // Without a selection the menu key still asks, at no node (for the
    // pane's menu, at the tree's corner); Enter presses nothing.
    tree_->SetSelectedItem(nullptr);
    menuAt = POINT{-1, -1};
    test::PostKey(Tree(), VK_APPS);
    test::PumpFor(std::chrono::milliseconds(20));
    test::PostKey(Tree(), VK_RETURN);
    test::PumpFor(std::chrono::milliseconds(20));
    ASSERT_EQ(sink.presses.size(), 3u);
    EXPECT_EQ(tree_->HitTest(sink.presses[2].x, sink.presses[2].y), nullptr);
    POINT corner{0, 0};
    ::ClientToScreen(Tree(), &corner);
    EXPECT_EQ(menuAt.x, corner.x);
    EXPECT_EQ(menuAt.y, corner.y);
}

TEST_F(WinTreeViewTest, UpdatesFreezePaintingUntilTheOutermostEnd) {
    AddWorkbook();
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

TEST_F(WinTreeViewTest, NodesAddedDuringAnUpdateArriveAtItsEndInTheirPlacesOpenedSelectedAndInView) {
    AddWorkbook();  // wb1 with Übersicht, 売上 and Daten, closed
    tree_->BeginUpdate();
    Nodes().Item("wb1|1")->SetBold(true);  // a node the control has: at once
    EXPECT_TRUE(State(FindItem(L"\u00DCbersicht")) & TVIS_BOLD);
    Nodes().Add("wb1|1", TreeRelationship::Previous, "wb1|0", "Vorne", 2);  // among the control's own
    Nodes().Add("wb1|2", TreeRelationship::Next, "wb1|9", "Mitte", 2);
    const TreeNodePtr book = Nodes().Add("wb1", TreeRelationship::Previous, "wb2", "Mappe2.xls", 1);
    book->SetExpanded(true);
    book->SetBold(true);
    TreeNodePtr last;
    for (int i = 1; i <= 60; ++i) {
        last = Nodes().Add("wb2", TreeRelationship::Child, "wb2|" + std::to_string(i), "Blatt" + std::to_string(i), 2);
    }
    last->SetText("Letztes");
    last->SetSelected(true);
    last->EnsureVisible();
    EXPECT_EQ(TreeView_GetCount(Tree()), 4u) << "the new nodes wait for the end";
    tree_->EndUpdate();

    EXPECT_EQ(TreeView_GetCount(Tree()), 67u);
    EXPECT_EQ(RootTexts(), (std::vector<std::wstring>{L"Mappe2.xls", L"Mappe1.xls"}));
    std::vector<std::wstring> sheets;
    for (HTREEITEM i = TreeView_GetChild(Tree(), FindItem(L"Mappe1.xls")); i; i = TreeView_GetNextSibling(Tree(), i))
        sheets.push_back(ItemText(i));
    EXPECT_EQ(sheets, (std::vector<std::wstring>{L"Vorne", L"\u00DCbersicht", L"\u58F2\u4E0A", L"Mitte",
                                                 L"Daten (Tabelle1!$A$1:$B$9)"}));
    const HTREEITEM opened = FindItem(L"Mappe2.xls");
    EXPECT_EQ(State(opened) & (TVIS_EXPANDED | TVIS_BOLD), static_cast<UINT>(TVIS_EXPANDED | TVIS_BOLD));
    EXPECT_FALSE(State(FindItem(L"Mappe1.xls")) & TVIS_EXPANDED);
    const HTREEITEM selected = FindItem(L"Letztes");
    EXPECT_EQ(TreeView_GetSelection(Tree()), selected);
    RECT r{}, client{};
    ::GetClientRect(Tree(), &client);
    ASSERT_TRUE(TreeView_GetItemRect(Tree(), selected, &r, TRUE));
    EXPECT_GE(r.top, client.top);
    EXPECT_LE(r.bottom, client.bottom);
    EXPECT_EQ(tree_->HitTest(static_cast<float>((r.left + 1) * 15), static_cast<float>((r.top + 1) * 15)), last);
}

TEST_F(WinTreeViewTest, LooksAsThePaneSetsItUpAndTheLookPropertiesChangeTheStyle) {
    const auto style = [&] { return static_cast<DWORD>(::GetWindowLongPtrW(Tree(), GWL_STYLE)); };
    const DWORD shown = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    EXPECT_EQ(style() & shown, shown);
    EXPECT_FALSE(style() & (TVS_EDITLABELS | WS_BORDER));
    EXPECT_FALSE(::GetWindowLongPtrW(Tree(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

    tree_->SetLabelEdit(0);  // automatic: in place
    tree_->SetBorderStyle(1);
    tree_->SetAppearance(1);
    tree_->SetHideSelection(true);
    EXPECT_EQ(style() & (TVS_EDITLABELS | WS_BORDER | TVS_SHOWSELALWAYS),
              static_cast<DWORD>(TVS_EDITLABELS | WS_BORDER));
    EXPECT_TRUE(::GetWindowLongPtrW(Tree(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

}  // namespace
}  // namespace brackwell::win
