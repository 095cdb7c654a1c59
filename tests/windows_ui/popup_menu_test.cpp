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

std::wstring Caption(HMENU menu, UINT position) {
    wchar_t text[256] = {};
    ::GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    return text;
}

UINT State(HMENU menu, UINT position) { return ::GetMenuState(menu, position, MF_BYPOSITION); }

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

TEST(WinPopupMenuTest, ItemsReachTheSystemMenuWithTheirStatesAndKeys) {
    WinPopupMenu menu(test::Instance());
    FillSheetMenu(menu);

    HMENU h = menu.Handle();
    ASSERT_EQ(::GetMenuItemCount(h), 5);
    EXPECT_EQ(Caption(h, 0), L"Gehe zu..");
    EXPECT_EQ(::GetMenuItemID(h, 0), 1u);
    MENUITEMINFOW picture{};
    picture.cbSize = sizeof(picture);
    picture.fMask = MIIM_BITMAP;
    ASSERT_TRUE(::GetMenuItemInfoW(h, 0, TRUE, &picture));
    EXPECT_NE(picture.hbmpItem, nullptr);
    const UINT marks = MF_CHECKED | MF_GRAYED | MF_SEPARATOR;
    EXPECT_EQ(State(h, 0) & marks, 0u);
    EXPECT_EQ(State(h, 1) & marks, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(State(h, 2) & marks, static_cast<UINT>(MF_GRAYED));
    EXPECT_TRUE(State(h, 3) & MF_SEPARATOR);
    EXPECT_EQ(Caption(h, 4), L"L\u00F6schen");
    EXPECT_EQ(::GetMenuItemID(h, 4), 5u);  // separators are counted

    EXPECT_EQ(menu.ItemKey(1), "mnu8");
    EXPECT_EQ(menu.ItemKey(4), "");
    EXPECT_EQ(menu.ItemKey(5), "mnu15");
    for (const std::int32_t outside : {0, 6}) {
        try {
            menu.ItemKey(outside);
            ADD_FAILURE() << "position " << outside << " holds no item";
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.Number(), err::kSubscriptOutOfRange);
        }
    }

    // The mark goes again; an unknown key changes nothing.
    menu.SetItemChecked("mnu10", false);
    menu.SetItemChecked("nope", true);
    for (UINT i = 0; i < 5; ++i) EXPECT_FALSE(State(h, i) & MF_CHECKED) << i;

    menu.ClearItems();
    menu.AddItem("Info", "", 6925, true);
    EXPECT_EQ(::GetMenuItemCount(menu.Handle()), 1);
    EXPECT_THROW(menu.ItemKey(2), AutomationError);
}

TEST(WinPopupMenuTest, ShowPopupReturnsThePositionChosenOrZeroWhenDismissed) {
    WinPopupMenu menu(test::Instance());
    FillSheetMenu(menu);
    {
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
    ModalAnswerer answerer(L"#32768", [](HWND shown) { PostKey(shown, VK_ESCAPE); });
    EXPECT_EQ(menu.ShowPopup(100, 100), 0);
    EXPECT_TRUE(answerer.Answered());
}

}  // namespace
}  // namespace brackwell::win
