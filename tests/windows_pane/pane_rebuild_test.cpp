// Each rebuild brings the real tree view from what it showed to what the host
// now holds by changing only the rows that differ. After every kind of host
// change, after the user expanded or scrolled by hand, and after a press whose
// host events rebuild it several times, the control must show exactly what
// the same rebuild shows in a control filled from empty: every row's text,
// picture, colour, boldness, expansion, the selection, the top row and the
// sideways scroll.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>

#include "adapters/windows/controls/tree_item_text.h"
#include "tests/windows_pane/pane_scene.h"

namespace brackwell::win::test {
namespace {

constexpr COLORREF kDefaultText = 0x00123456;

struct View {
    std::vector<ItemView> items;
    int topRow = 0;
    int sideways = 0;
};

View Read(HWND tree) {
    View view{ReadTree(tree, kDefaultText)};
    const HTREEITEM top = TreeView_GetFirstVisible(tree);
    for (HTREEITEM item = TreeView_GetRoot(tree); item && item != top; item = TreeView_GetNextVisible(tree, item)) {
        ++view.topRow;
    }
    view.sideways = ::GetScrollPos(tree, SB_HORZ);
    return view;
}

std::string Describe(const View& view) {
    std::string out = "top row " + std::to_string(view.topRow) + ", sideways " + std::to_string(view.sideways) + "\n";
    for (const ItemView& item : view.items) {
        out += std::string(item.depth * 2, ' ') + item.key + (item.bold ? " bold" : "") +
               (item.expanded ? " open" : "") + (item.selected ? " selected" : "") + " image " +
               std::to_string(item.image) + " colour " + std::to_string(item.drawnColor) + " text length " +
               std::to_string(item.text.size()) + "\n";
    }
    return out;
}

bool Same(const View& a, const View& b) {
    const auto sameItem = [](const ItemView& x, const ItemView& y) {
        return x.text == y.text && x.key == y.key && x.depth == y.depth && x.image == y.image && x.bold == y.bold &&
               x.selected == y.selected && x.expanded == y.expanded && x.drawnColor == y.drawnColor;
    };
    return a.topRow == b.topRow && a.sideways == b.sideways &&
           std::equal(a.items.begin(), a.items.end(), b.items.begin(), b.items.end(), sameItem);
}

// Counts the rows the control deletes and the times it draws itself, from
// its notices to the window around it.
struct Notices {
    explicit Notices(HWND tree) : frame(::GetParent(tree)) {
        ::SetPropW(frame, L"Notices", this);
        original = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Notices::Proc)));
    }
    ~Notices() {
        ::SetWindowLongPtrW(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        ::RemovePropW(frame, L"Notices");
    }
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = static_cast<Notices*>(::GetPropW(hwnd, L"Notices"));
        if (message == WM_NOTIFY) {
            const auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(lParam);
            if (draw->hdr.code == TVN_DELETEITEMW) ++self->deleted;
            if (draw->hdr.code == NM_CUSTOMDRAW && draw->dwDrawStage == CDDS_PREPAINT) ++self->drawn;
        }
        return ::CallWindowProcW(self->original, hwnd, message, wParam, lParam);
    }

    HWND frame;
    WNDPROC original = nullptr;
    int deleted = 0;
    int drawn = 0;
};

class PaneRebuild : public ::testing::Test {
protected:
    PaneRebuild() {
        std::vector<std::string> sheets;
        for (int i = 1; i <= 40; ++i) sheets.push_back("Blatt " + std::to_string(i) + " mit sehr langem Namen");
        a = scene.excel.CreateWorkbook("Anfang.xlsx", sheets, "C:\\Daten");
        scene.excel.AddName(a, "Daten", "=Blatt1!$A$1:$B$9");
        b = scene.excel.CreateWorkbook("Bilanz.xlsx", {"Aktiva", "Passiva", "\u00DCbersicht", "\u58F2\u4E0A"}, "C:\\Daten");
        c = scene.excel.CreateWorkbook("Chronik.xlsx", {"2024", "2025", "2026"}, "C:\\Daten");
        scene.excel.ActivateSilently(a, a->Worksheets()->Item(30));
        scene.nav->CreateNavBar();
        scene.Pump();
    }

    HWND Tree() const { return scene.TreeWindow(); }

    // What the rebuild just left, against the same rebuild into an emptied
    // control; `rebuild` repeats whatever the host does in a rebuild.
    void ExpectAsFromEmpty(const std::string& step, const std::function<void()>& rebuild) {
        const View reconciled = Read(Tree());
        scene.nav->UpdateTree(true);
        ASSERT_EQ(TreeView_GetCount(Tree()), 0u) << step;
        rebuild();
        const View fresh = Read(Tree());
        EXPECT_TRUE(Same(reconciled, fresh)) << step << "\nreconciled:\n"
                                             << Describe(reconciled) << "from empty:\n"
                                             << Describe(fresh);
    }
    void ExpectAsFromEmpty(const std::string& step) {
        ExpectAsFromEmpty(step, [&] { scene.nav->UpdateTree(); });
    }

    PaneScene scene{{.dockHeight = 320, .settings = {{"SetForeReg", "True"}, {"MapExpand", "False"}}}};
    WorkbookPtr a, b, c;
};

TEST_F(PaneRebuild, UnchangedRowsKeepTheirItemsAndTheControlEndsAsIfFilledFromEmpty) {
    const HWND tree = Tree();
    const std::vector<HTREEITEM> before = AllItems(tree);
    ASSERT_EQ(before.size(), 3u + 41 + 4 + 3);

    // Another workbook's sheet: boldness is drawn, so no row is made anew.
    Notices notices(tree);
    scene.excel.ActivateSilently(b, b->Worksheets()->Item(3));
    scene.nav->UpdateTree();
    EXPECT_EQ(AllItems(tree).size(), before.size());
    EXPECT_EQ(notices.deleted, 0);
    ExpectAsFromEmpty("another workbook activated");

    // One sheet more in the middle: the others keep their items.
    notices.deleted = 0;
    scene.excel.AddWorksheet(a, "Neu", 5);
    scene.nav->UpdateTree();
    EXPECT_EQ(AllItems(tree).size(), before.size() + 1);
    EXPECT_EQ(notices.deleted, 0);
    ExpectAsFromEmpty("a sheet added");

    // A press on another workbook, scrolled to: the old workbook's
    // deactivation and the new one's activation each rebuild the tree while
    // the press is handled; the control draws once, when it has been.
    HTREEITEM chronik = nullptr;
    for (const HTREEITEM item : AllItems(tree))
        if (TreeItemText(tree, item) == L"Chronik.xlsx") chronik = item;
    TreeView_EnsureVisible(tree, chronik);
    scene.Pump();
    RECT label{};
    TreeView_GetItemRect(tree, chronik, &label, TRUE);
    const LPARAM at = MAKELPARAM(label.left + 2, (label.top + label.bottom) / 2);
    notices.drawn = 0;
    ::PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(tree, WM_LBUTTONUP, 0, at);
    scene.Pump();
    EXPECT_EQ(scene.excel.App()->ActiveWorkbook()->Name(), "Chronik.xlsx");
    EXPECT_EQ(notices.drawn, 1);
    ExpectAsFromEmpty("a press on another workbook");

    // Renamed, protected, coloured, moved, removed; a name added.
    a->Worksheets()->Item(2)->SetName("Umbenannt");
    scene.excel.SetSheetProtection(a->Worksheets()->Item(3), true);
    scene.excel.SetTabColor(b->Worksheets()->Item(1), 3);
    b->Worksheets()->Item(4)->Move(b->Worksheets()->Item(1), nullptr);
    c->Worksheets()->Item(2)->Delete();
    scene.excel.AddName(c, "Summe", "=2024!$C$3");
    scene.Pump();
    scene.nav->UpdateTree();
    ExpectAsFromEmpty("renamed, protected, coloured, moved, deleted, named");

    // The user opened two workbooks and scrolled both ways, to where the
    // active sheet is still in view.
    a->Worksheets()->Item(35)->Activate();
    scene.Pump();
    for (HTREEITEM book = TreeView_GetRoot(tree); book; book = TreeView_GetNextSibling(tree, book)) {
        TreeView_Expand(tree, book, TVE_EXPAND);
    }
    ::SendMessageW(tree, WM_VSCROLL, SB_BOTTOM, 0);
    ::SendMessageW(tree, WM_HSCROLL, SB_PAGERIGHT, 0);
    scene.nav->UpdateTree();
    ExpectAsFromEmpty("expanded and scrolled by hand");

    // A workbook hidden, one closed, one new: whole branches go and come.
    scene.excel.SetWindowVisible(b, false);
    scene.nav->UpdateTree();
    ExpectAsFromEmpty("a workbook hidden");
    c->Close(false);
    scene.excel.App()->Workbooks()->Add();
    scene.Pump();
    ExpectAsFromEmpty("a workbook closed, another added");
    EXPECT_TRUE(scene.platform->MessageBoxes().empty());
}

TEST_F(PaneRebuild, ARebuildStoppedByAFailingHostCallShowsTheNodesBuiltSoFar) {
    // Half-way through the first workbook's sheets the host fails.
    const auto failingRebuild = [&] {
        scene.excel.ResetCalls();
        scene.excel.FailOn("Sheet.Name", 20, 1004, "Anwendungs- oder objektdefinierter Fehler");
        scene.nav->UpdateTree();
        scene.excel.ClearFaults();
    };
    failingRebuild();
    ASSERT_EQ(scene.platform->MessageBoxes().size(), 1u);
    EXPECT_LT(TreeView_GetCount(Tree()), 30u);
    ExpectAsFromEmpty("a failing rebuild", failingRebuild);

    // And back from the torso to the whole tree.
    scene.nav->UpdateTree();
    ExpectAsFromEmpty("whole again");
}

}  // namespace
}  // namespace brackwell::win::test
