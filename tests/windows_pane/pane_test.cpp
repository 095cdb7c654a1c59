// The pane in a real host window under the real Windows controls, driven
// through the automation facade as Excel drives it: docking geometry,
// command bar, silence where nothing is to be said, and the tree control's
// contents after host events (with a screenshot for review).

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "adapters/windows/controls/tree_item_text.h"
#include "tests/windows_pane/pane_scene.h"
#include "tests/windows_ui/dialog_user_thread.h"
#include "tests/windows_ui/ui_test_support.h"

namespace brackwell::win::test {
namespace {

constexpr COLORREF kDefaultText = 0x00123456;

RECT RectInParent(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST(Pane, DocksInTheHostWindowSizedFromTheDockAndKeepsTheTreesMargins) {
    PaneScene scene({.dockHeight = 700});
    scene.excel.CreateWorkbook("Mappe1", {"Tabelle1"});
    scene.nav->CreateNavBar();
    scene.Pump();
    ASSERT_NE(scene.PaneWindow(), nullptr);
    EXPECT_EQ(::GetParent(scene.PaneWindow()), scene.DockWindow());
    EXPECT_TRUE(::IsWindowVisible(scene.PaneWindow()));
    const RECT r = RectInParent(scene.PaneWindow());
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 215);
    EXPECT_EQ(r.bottom - r.top, 657);

    const double margin = 50.0 / 15;     // 50 twips in pixels
    const double toolbar = 420.0 / 15;   // the bar's designed height
    for (int height : {500, 900}) {
        scene.ResizeDock(height);
        scene.nav->SizeOn();
        scene.Pump();
        RECT pane{};
        ::GetClientRect(scene.PaneWindow(), &pane);
        EXPECT_EQ(pane.bottom, height - 43);
        const RECT tree = RectInParent(::GetParent(scene.TreeWindow()));  // the tree's frame in the pane
        EXPECT_NEAR(tree.left, margin, 1) << height;
        EXPECT_NEAR(tree.top, toolbar + margin, 1) << height;
        EXPECT_NEAR(pane.right - tree.right, margin, 1.5) << height;
        EXPECT_NEAR(pane.bottom - tree.bottom, margin, 1.5) << height;
    }

    const HWND pane = scene.PaneWindow();
    scene.nav->DelNavBar();
    EXPECT_FALSE(::IsWindow(pane));
    EXPECT_FALSE(scene.excel.FindCommandBar("BrackwellBar"));
    EXPECT_TRUE(scene.platform->MessageBoxes().empty());
}

// A screen reader's default action on the info button is the button's
// click: the about box shows, and Escape closes it.
TEST(Pane, AScreenReaderPressesTheInfoButton) {
    PaneScene scene;
    scene.nav->CreateNavBar();
    scene.Pump();
    const ComPtr<IAccessible> bar =
        AccessibleOf(::FindWindowExW(scene.PaneWindow(), nullptr, L"BrackwellToolbar", nullptr));
    ASSERT_TRUE(bar);
    std::wstring about;
    {
        DialogUserThread user([&](DialogUserThread& u) {
            HWND box = u.WaitForWindow(L"BrackwellDialog");
            about = WindowText(box);
            u.Key(box, VK_ESCAPE);
            u.WaitUntilGone(box);
        });
        EXPECT_EQ(bar->accDoDefaultAction(ChildId(7)), S_OK);
        EXPECT_EQ(about, L"") << "the reader's call returns before the box shows";
        EXPECT_EQ(AccName(bar.Get(), 7), L"Info");
    }
    EXPECT_EQ(about, L"Info zu Brackwell");
}

TEST(Pane, WithoutADockThereIsABarAndNoPaneAndNoMessage) {
    PaneScene scene({.dockHeight = 0});
    scene.nav->CreateNavBar();
    EXPECT_TRUE(scene.excel.FindCommandBar("BrackwellBar"));
    EXPECT_EQ(scene.component.PaneHwnd, 0);
    EXPECT_TRUE(scene.platform->MessageBoxes().empty());
}

TEST(Pane, TheTreeControlFollowsTheHostsEvents) {
    PaneScene scene({.version = "11.0", .settings = {{"SetForeReg", "True"}, {"NameFore", "32768"}}});
    auto book = scene.excel.CreateWorkbook("Umsatz.xlsx", {"Übersicht", "売上"}, "C:\\Daten");
    scene.excel.SetTabColor(book->Worksheets()->Item(2), 3);
    scene.excel.AddName(book, "Daten", "=Übersicht!$A$1:$B$9");
    scene.nav->CreateNavBar();

    // Host events through the facade: a new workbook, then back to the first
    // one and its second sheet.
    scene.excel.App()->Workbooks()->Add();
    book->Worksheets()->Item(2)->Activate();
    scene.Pump();

    // The pane's look: flat, no border, lines and buttons, no editing in place, the selection always shown.
    const LONG_PTR shown = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    EXPECT_EQ(::GetWindowLongPtrW(scene.TreeWindow(), GWL_STYLE) & (shown | TVS_EDITLABELS | WS_BORDER), shown);
    EXPECT_FALSE(::GetWindowLongPtrW(scene.TreeWindow(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    const auto items = ReadTree(scene.TreeWindow(), kDefaultText);
    ASSERT_EQ(items.size(), 8u);  // the new workbook's three sheets are there, collapsed
    EXPECT_EQ(items[0].key, "wb1");
    EXPECT_EQ(items[0].text, L"Umsatz.xlsx");
    EXPECT_TRUE(items[0].bold);
    EXPECT_TRUE(items[0].expanded);
    EXPECT_EQ(items[1].key, "wb1|1");
    EXPECT_EQ(items[1].text, L"\u00DCbersicht");
    EXPECT_EQ(items[1].drawnColor, 0u);  // no tab colour: the sheet colour setting (black)
    EXPECT_EQ(items[2].key, "wb1|2");
    EXPECT_EQ(items[2].text, L"\u58F2\u4E0A");
    EXPECT_TRUE(items[2].bold);
    EXPECT_TRUE(items[2].selected);
    EXPECT_EQ(items[2].drawnColor, 255u);  // tab colour 3: red
    EXPECT_EQ(items[3].key, "wb1#1");
    EXPECT_EQ(items[3].text, L"Daten (\u00DCbersicht!$A$1:$B$9)");
    EXPECT_EQ(items[3].drawnColor, 32768u);
    EXPECT_EQ(items[3].image, 2);  // the control counts pictures from 0
    EXPECT_EQ(items[4].key, "wb2");
    EXPECT_EQ(items[4].text, L"Mappe1");
    EXPECT_FALSE(items[4].bold);
    EXPECT_FALSE(items[4].expanded);
    EXPECT_EQ(items[5].key, "wb2|1");
    EXPECT_EQ(items[5].depth, 1);
    EXPECT_TRUE(scene.platform->MessageBoxes().empty());
    // A picture of the docked pane for review, in the test's working folder.
    EXPECT_TRUE(scene.Screenshot(L"docked_pane.bmp"));
}

TEST(Pane, TheActiveSheetIsScrolledIntoViewAfterEveryRebuild) {
    PaneScene scene;
    std::vector<std::string> sheets;
    for (int i = 1; i <= 80; ++i) sheets.push_back("Blatt" + std::to_string(i));
    auto book = scene.excel.CreateWorkbook("Lang.xlsx", sheets, "C:\\Daten");
    scene.excel.ActivateSilently(book, book->Worksheets()->Item(70));
    scene.nav->CreateNavBar();
    scene.Pump();
    const auto selectedRowShown = [&](const wchar_t* text) {
        const HWND tree = scene.TreeWindow();
        const HTREEITEM selected = TreeView_GetSelection(tree);
        RECT row{}, client{};
        ::GetClientRect(tree, &client);
        return selected && TreeItemText(tree, selected) == text && TreeView_GetItemRect(tree, selected, &row, TRUE) &&
               row.top >= client.top && row.bottom <= client.bottom;
    };
    EXPECT_TRUE(selectedRowShown(L"Blatt70"));

    book->Worksheets()->Item(3)->Activate();  // back up, through the host's event
    scene.Pump();
    EXPECT_TRUE(selectedRowShown(L"Blatt3"));
}

}  // namespace
}  // namespace brackwell::win::test
