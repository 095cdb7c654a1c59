// The shared popup menu on the system's popup menus: items, separators,
// check marks, disabled items and pictures as the system holds them, and
// ShowPopup answered from the keyboard.

#include <gtest/gtest.h>

#include "adapters/windows/controls/popup_menu.h"
#include "host/automation_error.h"
#include "ui_test_support.h"

namespace brackwell::win {
namespace {

using test::ModalAnswerer;
using test::PostKey;

struct ItemInfo {
    UINT type = 0;
    UINT state = 0;
    UINT id = 0;
    HBITMAP picture = nullptr;
    std::wstring caption;
};

ItemInfo ReadItem(HMENU menu, UINT position) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_BITMAP;
    info.dwTypeData = text;
    info.cch = 255;
    EXPECT_TRUE(::GetMenuItemInfoW(menu, position, TRUE, &info)) << "position " << position;
    return ItemInfo{info.fType, info.fState, info.wID, info.hbmpItem, text};
}

// The worksheet menu of the pane, shortened: the kinds of rows it has.
void FillSheetMenu(WinPopupMenu& menu) {
    menu.ClearItems();
    menu.AddItem("Gehe zu..", "mnu8", 6923, true);
    menu.AddItem("Blattschutz aufheben", "mnu10", 6931, true);
    menu.SetItemChecked("mnu10", true);
    menu.AddItem("Registerfarbe", "mnu11", 6915, false);
    menu.AddItem("-", "", std::nullopt, true);
    menu.AddItem("L\xC3\xB6schen", "mnu15", 6607, true);
}

TEST(WinPopupMenuTest, ItemsReachTheSystemMenuWithTheirStates) {
    WinPopupMenu menu(test::Instance());
    FillSheetMenu(menu);

    HMENU h = menu.Handle();
    ASSERT_EQ(::GetMenuItemCount(h), 5);
    const ItemInfo goTo = ReadItem(h, 0);
    EXPECT_EQ(goTo.caption, L"Gehe zu..");
    EXPECT_EQ(goTo.id, 1u);
    EXPECT_NE(goTo.picture, nullptr);
    EXPECT_FALSE(goTo.state & (MFS_CHECKED | MFS_GRAYED));

    const ItemInfo protect = ReadItem(h, 1);
    EXPECT_TRUE(protect.state & MFS_CHECKED);
    EXPECT_FALSE(protect.state & MFS_GRAYED);

    const ItemInfo colour = ReadItem(h, 2);
    EXPECT_TRUE(colour.state & MFS_GRAYED);
    EXPECT_FALSE(colour.state & MFS_CHECKED);

    EXPECT_TRUE(ReadItem(h, 3).type & MFT_SEPARATOR);
    EXPECT_EQ(ReadItem(h, 4).caption, L"L\u00F6schen");
    EXPECT_EQ(ReadItem(h, 4).id, 5u);  // separators are counted
}

TEST(WinPopupMenuTest, SetItemCheckedClearsTheMarkAndIgnoresUnknownKeys) {
    WinPopupMenu menu(test::Instance());
    FillSheetMenu(menu);

    menu.SetItemChecked("mnu10", false);
    menu.SetItemChecked("nope", true);

    for (UINT i = 0; i < 5; ++i) EXPECT_FALSE(ReadItem(menu.Handle(), i).state & MFS_CHECKED) << i;
}

TEST(WinPopupMenuTest, ItemKeyAnswersByPositionAndFailsOutsideTheItems) {
    WinPopupMenu menu(test::Instance());
    FillSheetMenu(menu);

    EXPECT_EQ(menu.ItemKey(1), "mnu8");
    EXPECT_EQ(menu.ItemKey(4), "");
    EXPECT_EQ(menu.ItemKey(5), "mnu15");
    try {
        menu.ItemKey(0);
        FAIL() << "position 0 holds no item";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Number(), err::kSubscriptOutOfRange);
    }
}

TEST(WinPopupMenuTest, ClearItemsEmptiesTheMenu) {
    WinPopupMenu menu(test::Instance());
    FillSheetMenu(menu);
    menu.ClearItems();
    menu.AddItem("Info", "", 6925, true);

    EXPECT_EQ(::GetMenuItemCount(menu.Handle()), 1);
    EXPECT_EQ(menu.ItemKey(1), "");
    EXPECT_THROW(menu.ItemKey(2), AutomationError);
}

TEST(WinPopupMenuTest, ShowPopupReturnsThePositionChosenFromTheKeyboard) {
    WinPopupMenu menu(test::Instance());
    FillSheetMenu(menu);
    // Down to "Gehe zu..", "Blattschutz aufheben", the disabled
    // "Registerfarbe" (the keyboard visits it), then past the separator
    // to "Löschen" at position 5.
    ModalAnswerer answerer(L"#32768", [](HWND shown) {
        for (int i = 0; i < 4; ++i) PostKey(shown, VK_DOWN);
        PostKey(shown, VK_RETURN);
    });

    EXPECT_EQ(menu.ShowPopup(-1, -1), 5);
    EXPECT_TRUE(answerer.Answered());
}

TEST(WinPopupMenuTest, ShowPopupReturnsZeroWhenDismissed) {
    WinPopupMenu menu(test::Instance());
    FillSheetMenu(menu);
    ModalAnswerer answerer(L"#32768", [](HWND shown) { PostKey(shown, VK_ESCAPE); });

    EXPECT_EQ(menu.ShowPopup(100, 100), 0);
    EXPECT_TRUE(answerer.Answered());
}

TEST(WinPopupMenuTest, StyleAndFontAreKept) {
    WinPopupMenu menu(test::Instance());
    menu.SetVisualStyle(4);
    menu.SetFont("Verdana", 9);
    EXPECT_EQ(menu.VisualStyle(), 4);
    EXPECT_EQ(menu.FontName(), "Verdana");
    EXPECT_EQ(menu.FontSize(), 9);
}

}  // namespace
}  // namespace brackwell::win
