// Sheet drag and drop in the docked pane, end to end: real mouse input on the
// real tree, OLE's DoDragDrop, the navigator's handlers, the real drop
// choice menu, and the sheet copied in the embedded host behind the
// automation facade. Text from another program takes the same road.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <thread>
#include <vector>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/controls/tree_item_text.h"
#include "tests/windows_pane/pane_scene.h"
#include "tests/windows_ui/ui_test_support.h"

namespace brackwell::win::test {
namespace {

using namespace std::chrono_literals;

// The text of the item the tree shows highlighted as drop target, asked
// from another thread while this one is busy in the drag.
std::wstring DropTargetText(HWND tree) {
    DWORD_PTR item = 0;
    if (!::SendMessageTimeoutW(tree, TVM_GETNEXTITEM, TVGN_DROPHILITE, 0, SMTO_ABORTIFHUNG, 500, &item) || !item) {
        return {};
    }
    return TreeItemText(tree, reinterpret_cast<HTREEITEM>(item));
}

class PaneDragDrop : public ::testing::Test {
protected:
    void SetUp() override {
        book = scene.excel.CreateWorkbook("Umsatz.xlsx", {"\xC3\x9C" "bersicht", "\xE5\xA3\xB2\xE4\xB8\x8A"});
        other = scene.excel.CreateWorkbook("Mappe1", {"Tabelle1"});
        scene.excel.ActivateSilently(book, book->Worksheets()->Item(1));
        scene.nav->CreateNavBar();
        scene.Pump();
        tree = scene.TreeWindow();
        ASSERT_NE(tree, nullptr);
        ::SetForegroundWindow(scene.MainWindow());
    }

    std::vector<std::wstring> SheetNames(const WorkbookPtr& wb) {
        std::vector<std::wstring> names;
        const SheetsPtr sheets = wb->Worksheets();
        for (std::int32_t i = 1; i <= sheets->Count(); ++i) names.push_back(Utf8ToWide(sheets->Item(i)->Name()));
        return names;
    }

    PaneScene scene;
    WorkbookPtr book;
    WorkbookPtr other;
    HWND tree = nullptr;
};

TEST_F(PaneDragDrop, DraggingASheetOntoAnotherWorkbookCopiesItThereWhenTheMenuSaysSo) {
    const POINT from = TreeLabelCentre(tree, L"\u58F2\u4E0A");
    const POINT onto = TreeLabelCentre(tree, L"Mappe1");
    ASSERT_GE(from.x, 0);
    ASSERT_GE(onto.x, 0);

    // The drop choice ("Drag" 1, the first run's setting) answered as a user would: the first item.
    std::vector<std::wstring> choices;
    ModalAnswerer answerer(L"#32768", [&](HWND shown) {
        const auto menu = reinterpret_cast<HMENU>(::SendMessageW(shown, MN_GETHMENU, 0, 0));
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            wchar_t caption[64] = {};
            ::GetMenuStringW(menu, static_cast<UINT>(i), caption, 64, MF_BYPOSITION);
            choices.push_back(caption);
        }
        PostKey(shown, VK_DOWN);
        PostKey(shown, VK_RETURN);
    });
    std::thread user([&] {
        MoveMouseTo(from);
        LeftButton(true);
        for (int step = 1; step <= 4; ++step) {
            MoveMouseTo(POINT{from.x + (onto.x - from.x) * step / 4, from.y + (onto.y - from.y) * step / 4});
        }
        // Hovering opens the collapsed workbook; its label stays where it was.
        WaitFor([&] { return DropTargetText(tree) == L"Mappe1"; });
        LeftButton(false);
    });
    const bool copied = PumpUntil([&] { return other->Worksheets()->Count() == 2; }, 20s);
    user.join();

    ASSERT_TRUE(copied);
    EXPECT_TRUE(answerer.Answered());
    EXPECT_EQ(choices, (std::vector<std::wstring>{L"Kopieren ..", L"Verschieben ..", L"", L"Abbrechen"}));
    EXPECT_EQ(SheetNames(other), (std::vector<std::wstring>{L"Tabelle1", L"\u58F2\u4E0A"}));
    EXPECT_EQ(SheetNames(book).size(), 2u);  // copied, not moved
    scene.Pump();
    const auto items = ReadTree(tree, 0);
    std::vector<std::wstring> shown;
    for (const ItemView& item : items) shown.push_back(std::wstring(static_cast<size_t>(item.depth) * 2, L' ') + item.text);
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"Umsatz.xlsx", L"  \u00DCbersicht", L"  \u58F2\u4E0A", L"Mappe1",
                                                L"  Tabelle1", L"  \u58F2\u4E0A"}));
    EXPECT_TRUE(items[3].expanded);  // every workbook stands open after a drop
    EXPECT_EQ(DropTargetText(tree), L"");
    EXPECT_EQ(scene.platform->Beeps(), 0);
    EXPECT_TRUE(scene.platform->MessageBoxes().empty());
}

TEST_F(PaneDragDrop, TextFromAnotherProgramIsNoKeyAndOnlyBeeps) {
    const ComPtr<IDataObject> data = SystemText(L"Hallo Welt");
    ASSERT_TRUE(data);
    RECT main{};
    ::GetWindowRect(scene.MainWindow(), &main);
    const POINT outside{main.left + 600, main.top + 400};  // the host window beside the dock
    DWORD effect = DROPEFFECT_NONE;

    const HRESULT result = DragInFromOutside(data.Get(), outside, TreeLabelCentre(tree, L"\u00DCbersicht"), &effect);
    scene.Pump();

    EXPECT_EQ(result, DRAGDROP_S_DROP);
    EXPECT_EQ(scene.platform->Beeps(), 1);
    EXPECT_EQ(SheetNames(book).size(), 2u);
    EXPECT_EQ(SheetNames(other).size(), 1u);
    EXPECT_EQ(DropTargetText(tree), L"");
    EXPECT_TRUE(scene.platform->MessageBoxes().empty());
}

}  // namespace
}  // namespace brackwell::win::test
