// The pane's tree on the real common-controls tree view: what the control
// shows is read back from the control itself (TVM_GETITEM, item rectangles,
// the colours its custom draw hands out).

#include <gtest/gtest.h>

#include <vector>

#include "adapters/windows/controls/tree_view.h"
#include "host/automation_error.h"
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
    }
    void OLEStartDrag(DataObject&, std::int32_t&) override {}
    void OLEDragOver(DataObject&, std::int32_t&, std::int16_t, std::int16_t, float, float, std::int16_t) override {}
    void OLEDragDrop(DataObject&, std::int32_t&, std::int16_t, std::int16_t, float, float) override {}

    std::vector<Press> presses;

private:
    HWND tree_;
};

class WinTreeViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_ = test::SharedHostWindow();
        tree_ = std::make_unique<WinTreeView>(test::Instance(), host_);
        tree_->Move(0, 0, 300 * 15, 200 * 15);
    }

    HWND Tree() const { return tree_->Handle(); }

    // The control's item showing `text`, searched through the whole tree.
    HTREEITEM FindItem(const std::wstring& text, HTREEITEM from = TVI_ROOT) const {
        for (HTREEITEM item = from == TVI_ROOT ? TreeView_GetRoot(Tree()) : TreeView_GetChild(Tree(), from); item;
             item = TreeView_GetNextSibling(Tree(), item)) {
            if (ItemText(item) == text) return item;
            if (HTREEITEM below = FindItem(text, item)) return below;
        }
        return nullptr;
    }

    std::wstring ItemText(HTREEITEM item) const {
        wchar_t text[260] = {};
        TVITEMW tv{};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = text;
        tv.cchTextMax = 260;
        EXPECT_TRUE(::SendMessageW(Tree(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv)));
        return text;
    }

    std::vector<std::wstring> ChildTexts(HTREEITEM parent) const {
        std::vector<std::wstring> texts;
        for (HTREEITEM item = parent ? TreeView_GetChild(Tree(), parent) : TreeView_GetRoot(Tree()); item;
             item = TreeView_GetNextSibling(Tree(), item)) {
            texts.push_back(ItemText(item));
        }
        return texts;
    }

    UINT State(HTREEITEM item) const { return TreeView_GetItemState(Tree(), item, 0xFFFF); }

    int Image(HTREEITEM item) const {
        TVITEMW tv{};
        tv.mask = TVIF_IMAGE;
        tv.hItem = item;
        TreeView_GetItem(Tree(), &tv);
        return tv.iImage;
    }

    // What the control would draw the item's text in: the custom-draw
    // notification as the control sends it to its parent.
    COLORREF DrawnTextColor(HTREEITEM item, UINT itemState = 0) const {
        TVITEMW tv{};
        tv.mask = TVIF_PARAM;
        tv.hItem = item;
        TreeView_GetItem(Tree(), &tv);
        NMTVCUSTOMDRAW draw{};
        draw.nmcd.hdr.hwndFrom = Tree();
        draw.nmcd.hdr.idFrom = 0;
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
        TreeNodes& nodes = tree_->Nodes();
        nodes.Add("", TreeRelationship::Last, "wb1", "Mappe1.xls", 1);
        nodes.Add("wb1", TreeRelationship::Child, "wb1|1", "\xC3\x9C" "bersicht", 2);  // Übersicht
        nodes.Add("wb1", TreeRelationship::Child, "wb1|2", "\xE5\xA3\xB2\xE4\xB8\x8A", 2);  // 売上
        nodes.Add("wb1", TreeRelationship::Child, "wb1#1", "Daten (Tabelle1!$A$1:$B$9)", 3);
    }

    static constexpr COLORREF kDefaultText = 0x00123456;

    HWND host_ = nullptr;
    std::unique_ptr<WinTreeView> tree_;
};

TEST_F(WinTreeViewTest, NodesAppearWithTextsPicturesAndOrder) {
    AddWorkbook();

    HTREEITEM book = FindItem(L"Mappe1.xls");
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(ChildTexts(book),
              (std::vector<std::wstring>{L"\u00DCbersicht", L"\u58F2\u4E0A", L"Daten (Tabelle1!$A$1:$B$9)"}));
    EXPECT_EQ(Image(book), 0);  // pictures 1, 2, 3 at list positions 0, 1, 2
    EXPECT_EQ(Image(FindItem(L"\u00DCbersicht")), 1);
    EXPECT_EQ(Image(FindItem(L"Daten (Tabelle1!$A$1:$B$9)")), 2);
    EXPECT_EQ(TreeView_GetCount(Tree()), 4u);
}

TEST_F(WinTreeViewTest, RelationshipsPlaceNodesBesideTheirRelative) {
    TreeNodes& nodes = tree_->Nodes();
    nodes.Add("", TreeRelationship::Last, "b", "B", 1);
    nodes.Add("b", TreeRelationship::Previous, "a", "A", 1);
    nodes.Add("b", TreeRelationship::Next, "c", "C", 1);
    nodes.Add("a", TreeRelationship::First, "first", "First", 1);
    nodes.Add("a", TreeRelationship::Last, "last", "Last", 1);

    EXPECT_EQ(ChildTexts(nullptr), (std::vector<std::wstring>{L"First", L"A", L"B", L"C", L"Last"}));
    EXPECT_EQ(nodes.Item("c")->Index(), 3);  // collection order is the order of adding
}

TEST_F(WinTreeViewTest, KeysFindNodesAndTheCollectionRulesHold) {
    AddWorkbook();
    TreeNodes& nodes = tree_->Nodes();

    EXPECT_EQ(nodes.Item("wb1|2")->Parent()->Key(), "wb1");
    EXPECT_EQ(nodes.Item("wb1")->Children(), 3);
    EXPECT_EQ(nodes.Item("wb1")->Parent(), nullptr);
    EXPECT_EQ(nodes.Item("wb1|1"), nodes.Item("wb1|1"));  // one object per node

    auto numberOf = [&](auto&& call) {
        try {
            call();
        } catch (const AutomationError& e) {
            return e.Number();
        }
        return 0;
    };
    EXPECT_EQ(numberOf([&] { nodes.Add("", TreeRelationship::Last, "wb1", "again", 1); }), err::kKeyNotUnique);
    EXPECT_EQ(numberOf([&] { nodes.Add("wb9", TreeRelationship::Child, "wb9|1", "x", 2); }), err::kElementNotFound);
    EXPECT_EQ(numberOf([&] { nodes.Item("wb2"); }), err::kElementNotFound);
    EXPECT_EQ(TreeView_GetCount(Tree()), 4u);  // the failed adds left nothing behind
}

TEST_F(WinTreeViewTest, RemoveTakesTheBranchFromTheControlAndRenumbers) {
    AddWorkbook();
    TreeNodes& nodes = tree_->Nodes();
    nodes.Add("", TreeRelationship::Last, "wb2", "Mappe2.xls", 1);
    nodes.Add("wb2", TreeRelationship::Child, "wb2|1", "Tabelle1", 2);
    const TreeNodePtr kept = nodes.Item("wb1|1");

    nodes.Remove(1);  // wb1 and its three children

    EXPECT_EQ(TreeView_GetCount(Tree()), 2u);
    EXPECT_EQ(FindItem(L"Mappe1.xls"), nullptr);
    EXPECT_EQ(nodes.Count(), 2);
    EXPECT_EQ(nodes.Item("wb2")->Index(), 1);
    EXPECT_EQ(nodes.Item("wb2|1")->Index(), 2);
    // A removed node keeps its values, and writing to it shows nowhere.
    EXPECT_EQ(kept->Text(), "\xC3\x9C" "bersicht");
    kept->SetText("changed");
    EXPECT_EQ(FindItem(L"changed"), nullptr);
}

TEST_F(WinTreeViewTest, ClearEmptiesControlAndCollection) {
    AddWorkbook();
    tree_->Nodes().Clear();
    EXPECT_EQ(TreeView_GetCount(Tree()), 0u);
    EXPECT_EQ(tree_->Nodes().Count(), 0);
    EXPECT_EQ(tree_->SelectedItem(), nullptr);
    tree_->Nodes().Add("", TreeRelationship::Last, "wb1", "Mappe1.xls", 1);  // the key is free again
    EXPECT_EQ(TreeView_GetCount(Tree()), 1u);
}

TEST_F(WinTreeViewTest, TextAndBoldReachTheControl) {
    AddWorkbook();
    const TreeNodePtr sheet = tree_->Nodes().Item("wb1|2");

    sheet->SetText("Tabelle2 (gesch\xC3\xBCtzt)");
    sheet->SetBold(true);

    HTREEITEM item = FindItem(L"Tabelle2 (gesch\u00FCtzt)");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(State(item) & TVIS_BOLD);
    EXPECT_TRUE(sheet->Bold());
    sheet->SetBold(false);
    EXPECT_FALSE(State(item) & TVIS_BOLD);
}

TEST_F(WinTreeViewTest, SelectionIsTheControlsSelection) {
    AddWorkbook();
    const TreeNodePtr sheet = tree_->Nodes().Item("wb1|2");

    sheet->SetSelected(true);

    HTREEITEM item = FindItem(L"\u58F2\u4E0A");
    EXPECT_EQ(TreeView_GetSelection(Tree()), item);
    EXPECT_TRUE(State(item) & TVIS_SELECTED);
    EXPECT_TRUE(sheet->Selected());
    ASSERT_NE(tree_->SelectedItem(), nullptr);
    EXPECT_EQ(tree_->SelectedItem()->Key(), "wb1|2");
    // Selecting opened the workbook, in the control and for the caller.
    EXPECT_TRUE(State(FindItem(L"Mappe1.xls")) & TVIS_EXPANDED);
    EXPECT_TRUE(tree_->Nodes().Item("wb1")->Expanded());

    tree_->SetSelectedItem(tree_->Nodes().Item("wb1"));
    EXPECT_EQ(TreeView_GetSelection(Tree()), FindItem(L"Mappe1.xls"));
    EXPECT_FALSE(sheet->Selected());

    tree_->SetSelectedItem(nullptr);
    EXPECT_EQ(TreeView_GetSelection(Tree()), nullptr);
    EXPECT_EQ(tree_->SelectedItem(), nullptr);
}

TEST_F(WinTreeViewTest, TheUsersKeyboardMovesTheSelectionCallersSee) {
    AddWorkbook();
    tree_->Nodes().Item("wb1|1")->SetSelected(true);
    ::SetFocus(Tree());

    ::SendMessageW(Tree(), WM_KEYDOWN, VK_DOWN, 0);

    ASSERT_NE(tree_->SelectedItem(), nullptr);
    EXPECT_EQ(tree_->SelectedItem()->Key(), "wb1|2");
    EXPECT_FALSE(tree_->Nodes().Item("wb1|1")->Selected());
}

TEST_F(WinTreeViewTest, CollapsingByKeyboardClearsExpanded) {
    AddWorkbook();
    const TreeNodePtr book = tree_->Nodes().Item("wb1");
    book->SetExpanded(true);
    book->SetSelected(true);
    ::SetFocus(Tree());

    ::SendMessageW(Tree(), WM_KEYDOWN, VK_LEFT, 0);

    EXPECT_FALSE(State(FindItem(L"Mappe1.xls")) & TVIS_EXPANDED);
    EXPECT_FALSE(book->Expanded());
}

TEST_F(WinTreeViewTest, ExpandedSetBeforeTheChildrenTakesEffectWithTheFirstChild) {
    TreeNodes& nodes = tree_->Nodes();
    const TreeNodePtr open = nodes.Add("", TreeRelationship::Last, "wb1", "Mappe1.xls", 1);
    const TreeNodePtr closed = nodes.Add("", TreeRelationship::Last, "wb2", "Mappe2.xls", 1);
    open->SetExpanded(true);
    EXPECT_TRUE(open->Expanded());  // kept while there is nothing to show

    nodes.Add("wb1", TreeRelationship::Child, "wb1|1", "Tabelle1", 2);
    nodes.Add("wb1", TreeRelationship::Child, "wb1|2", "Tabelle2", 2);
    nodes.Add("wb2", TreeRelationship::Child, "wb2|1", "Tabelle1", 2);

    EXPECT_TRUE(State(FindItem(L"Mappe1.xls")) & TVIS_EXPANDED);
    EXPECT_FALSE(State(FindItem(L"Mappe2.xls")) & TVIS_EXPANDED);
    EXPECT_FALSE(closed->Expanded());
    // The children of the open workbook are rows of the control.
    RECT r{};
    EXPECT_TRUE(TreeView_GetItemRect(Tree(), TreeView_GetChild(Tree(), FindItem(L"Mappe1.xls")), &r, TRUE));
}

TEST_F(WinTreeViewTest, ForeColorIsWhatTheCustomDrawHandsOut) {
    AddWorkbook();
    tree_->Nodes().Item("wb1|1")->SetForeColor(0x0000FF);  // red
    tree_->Nodes().Item("wb1")->SetForeColor(0x800000);

    EXPECT_EQ(DrawnTextColor(FindItem(L"\u00DCbersicht")), 0x0000FFu);
    EXPECT_EQ(DrawnTextColor(FindItem(L"Mappe1.xls")), 0x800000u);
    // No colour of its own: the control's default text colour stays.
    EXPECT_EQ(DrawnTextColor(FindItem(L"\u58F2\u4E0A")), kDefaultText);
    EXPECT_EQ(tree_->Nodes().Item("wb1|2")->ForeColor(), kSystemWindowText);
}

TEST_F(WinTreeViewTest, ForeColorGivesWayToTheHighlightOfTheFocusedSelection) {
    AddWorkbook();
    tree_->Nodes().Item("wb1|1")->SetForeColor(0x0000FF);
    HTREEITEM item = FindItem(L"\u00DCbersicht");

    ::SetFocus(Tree());
    EXPECT_EQ(DrawnTextColor(item, CDIS_SELECTED), kDefaultText);
    ::SetFocus(host_);
    EXPECT_EQ(DrawnTextColor(item, CDIS_SELECTED), 0x0000FFu);  // shown without focus: the node's colour
}

TEST_F(WinTreeViewTest, EnsureVisibleOpensTheParentAndScrollsTheNodeIntoView) {
    TreeNodes& nodes = tree_->Nodes();
    nodes.Add("", TreeRelationship::Last, "wb1", "Mappe1.xls", 1);
    for (int i = 1; i <= 60; ++i) {
        nodes.Add("wb1", TreeRelationship::Child, "wb1|" + std::to_string(i), "Tabelle" + std::to_string(i), 2);
    }
    const TreeNodePtr last = nodes.Item("wb1|60");

    last->EnsureVisible();

    EXPECT_TRUE(nodes.Item("wb1")->Expanded());
    HTREEITEM item = FindItem(L"Tabelle60");
    RECT r{};
    RECT client{};
    ::GetClientRect(Tree(), &client);
    ASSERT_TRUE(TreeView_GetItemRect(Tree(), item, &r, TRUE));
    EXPECT_GE(r.top, client.top);
    EXPECT_LE(r.bottom, client.bottom);
    EXPECT_NE(TreeView_GetFirstVisible(Tree()), FindItem(L"Mappe1.xls"));  // it scrolled
}

TEST_F(WinTreeViewTest, HitTestInTwipsFindsTheNodeAtItsRectangle) {
    AddWorkbook();
    tree_->Nodes().Item("wb1")->SetExpanded(true);

    RECT label{};
    ASSERT_TRUE(TreeView_GetItemRect(Tree(), FindItem(L"\u58F2\u4E0A"), &label, TRUE));
    const float x = static_cast<float>((label.left + label.right) / 2 * 15);
    const float y = static_cast<float>((label.top + label.bottom) / 2 * 15);

    const TreeNodePtr hit = tree_->HitTest(x, y);

    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->Key(), "wb1|2");
    // Below the last row there is no node.
    EXPECT_EQ(tree_->HitTest(x, 190 * 15), nullptr);
}

TEST_F(WinTreeViewTest, DropHighlightIsTheControlsDropTarget) {
    AddWorkbook();
    tree_->Nodes().Item("wb1")->SetExpanded(true);
    HTREEITEM item = FindItem(L"\u00DCbersicht");

    tree_->SetDropHighlight(tree_->Nodes().Item("wb1|1"));
    EXPECT_TRUE(State(item) & TVIS_DROPHILITED);
    EXPECT_EQ(TreeView_GetDropHilight(Tree()), item);
    ASSERT_NE(tree_->DropHighlight(), nullptr);
    EXPECT_EQ(tree_->DropHighlight()->Key(), "wb1|1");

    tree_->SetDropHighlight(nullptr);
    EXPECT_FALSE(State(item) & TVIS_DROPHILITED);
    EXPECT_EQ(tree_->DropHighlight(), nullptr);
}

TEST_F(WinTreeViewTest, MouseDownReportsButtonShiftAndTwipsBeforeTheControlActs) {
    AddWorkbook();
    tree_->Nodes().Item("wb1")->SetExpanded(true);
    tree_->Nodes().Item("wb1")->SetSelected(true);
    RecordingSink sink(Tree());
    const auto connection = tree_->Advise(sink);
    RECT label{};
    ASSERT_TRUE(TreeView_GetItemRect(Tree(), FindItem(L"\u58F2\u4E0A"), &label, TRUE));
    const int px = label.left + 3;
    const int py = (label.top + label.bottom) / 2;

    ::SendMessageW(Tree(), WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, MAKELPARAM(px, py));
    ::SendMessageW(Tree(), WM_RBUTTONUP, MK_SHIFT, MAKELPARAM(px, py));
    ::SendMessageW(Tree(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(px, py));
    ::SendMessageW(Tree(), WM_MBUTTONUP, 0, MAKELPARAM(px, py));
    // The control waits in a drag-detect loop after a left press until the
    // button comes up; the release is queued first, as a user's would be.
    ::PostMessageW(Tree(), WM_LBUTTONUP, 0, MAKELPARAM(px, py));
    ::SendMessageW(Tree(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(px, py));

    ASSERT_EQ(sink.presses.size(), 3u);
    EXPECT_EQ(sink.presses[0].button, vb::kRightButton);
    EXPECT_EQ(sink.presses[0].shift, 1);
    EXPECT_EQ(sink.presses[0].x, static_cast<float>(px * 15));
    EXPECT_EQ(sink.presses[0].y, static_cast<float>(py * 15));
    EXPECT_EQ(sink.presses[1].button, vb::kMiddleButton);
    EXPECT_EQ(sink.presses[2].button, vb::kLeftButton);
    EXPECT_EQ(sink.presses[2].shift, 2);
    // The handler heard of the left press while the workbook was still
    // selected; the control's own handling selected the pressed node after.
    EXPECT_EQ(sink.presses[2].selectionDuringEvent, FindItem(L"Mappe1.xls"));
    EXPECT_EQ(TreeView_GetSelection(Tree()), FindItem(L"\u58F2\u4E0A"));
    EXPECT_EQ(tree_->SelectedItem()->Key(), "wb1|2");
    // The handler's coordinates lead back to the node.
    ASSERT_NE(tree_->HitTest(sink.presses[0].x, sink.presses[0].y), nullptr);
    EXPECT_EQ(tree_->HitTest(sink.presses[0].x, sink.presses[0].y)->Key(), "wb1|2");
}

TEST_F(WinTreeViewTest, ADetachedSinkHearsNothing) {
    AddWorkbook();
    RecordingSink sink(Tree());
    tree_->Advise(sink).reset();
    ::SendMessageW(Tree(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(sink.presses.empty());
}

TEST_F(WinTreeViewTest, UpdatesFreezePaintingUntilTheOutermostEnd) {
    AddWorkbook();
    ::UpdateWindow(Tree());
    ::ValidateRect(Tree(), nullptr);
    RECT dirty{};

    tree_->BeginUpdate();
    tree_->BeginUpdate();
    tree_->Nodes().Add("", TreeRelationship::Last, "wb2", "Mappe2.xls", 1);
    tree_->EndUpdate();
    EXPECT_FALSE(::GetUpdateRect(Tree(), &dirty, FALSE)) << "still frozen after the inner end";
    tree_->EndUpdate();
    EXPECT_TRUE(::GetUpdateRect(Tree(), &dirty, FALSE)) << "the outer end repaints";
    EXPECT_EQ(TreeView_GetCount(Tree()), 5u);
}

TEST_F(WinTreeViewTest, MoveTakesTwipsRelativeToTheParent) {
    tree_->Move(150, 300, 3000, 1500);

    RECT r{};
    ::GetWindowRect(Tree(), &r);
    ::MapWindowPoints(nullptr, host_, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 100);
}

TEST_F(WinTreeViewTest, LooksAsThePaneSetsItUp) {
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(Tree(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(Tree(), GWL_EXSTYLE));
    EXPECT_EQ(style & (TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS),
              static_cast<DWORD>(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS));
    EXPECT_FALSE(style & (TVS_EDITLABELS | WS_BORDER));
    EXPECT_FALSE(exStyle & WS_EX_CLIENTEDGE);

    tree_->SetLabelEdit(0);
    tree_->SetBorderStyle(1);
    tree_->SetAppearance(1);
    tree_->SetHideSelection(true);
    const auto changed = static_cast<DWORD>(::GetWindowLongPtrW(Tree(), GWL_STYLE));
    EXPECT_TRUE(changed & TVS_EDITLABELS);
    EXPECT_TRUE(changed & WS_BORDER);
    EXPECT_FALSE(changed & TVS_SHOWSELALWAYS);
    EXPECT_TRUE(::GetWindowLongPtrW(Tree(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

}  // namespace
}  // namespace brackwell::win
