// The shared popup menu, owner-drawn on the system's popup menus: items,
// separators, check marks, disabled items and pictures as the system holds
// them, and as a user sees them in either style, answered from the keyboard.

#include <gtest/gtest.h>

#include "adapters/windows/controls/color_ref.h"
#include "adapters/windows/controls/popup_menu.h"
#include "host/automation_error.h"
#include "ui_test_support.h"

namespace brackwell::win {
namespace {

using test::ModalAnswerer;
using test::PostKey;

UINT State(HMENU menu, UINT position) { return ::GetMenuState(menu, position, MF_BYPOSITION); }

// The worksheet menu of the pane, shortened, and two names of recent files.
void FillMenu(WinPopupMenu& menu) {
    menu.ClearItems();
    menu.AddItem("Gehe zu..", "mnu8", 6923, true);
    menu.AddItem("Blattschutz aufheben", "mnu10", 6931, true);
    menu.SetItemChecked("mnu10", true);
    menu.AddItem("Registerfarbe", "mnu11", 6915, false);
    menu.AddItem("-", "", std::nullopt, true);
    menu.AddItem("L\xC3\xB6schen", "mnu15", 6607, true);
    menu.AddItem("1.. Gewinn & Verlust.xlsx", "C:\\Gewinn & Verlust.xlsx", 6413, true);
    menu.AddItem("2.. Q1\tQ2 \xE5\xA3\xB2\xE4\xB8\x8A.xlsx", "", 6413, true);  // a tab and "売上" in a name
}

TEST(WinPopupMenuTest, ItemsReachTheSystemMenuWithTheirStatesKeysAndOwnersDrawing) {
    WinPopupMenu menu(test::Instance());
    FillMenu(menu);
    HMENU h = menu.Handle();
    ASSERT_EQ(::GetMenuItemCount(h), 7);
    for (UINT i = 0; i < 7; ++i) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_BITMAP | MIIM_ID;
        ASSERT_TRUE(::GetMenuItemInfoW(h, i, TRUE, &item));
        EXPECT_TRUE(item.fType & MFT_OWNERDRAW && item.dwItemData) << i;
        EXPECT_EQ(item.hbmpItem != nullptr, i != 3) << i;  // the separator has no picture
        EXPECT_EQ(item.wID, i + 1);                        // separators are counted
    }
    wchar_t text[64] = {};
    ::GetMenuStringW(h, 5, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"1.. Gewinn && Verlust.xlsx");  // no accelerator for the keyboard's search
    const UINT marks = MF_CHECKED | MF_GRAYED | MF_SEPARATOR;
    EXPECT_EQ(State(h, 0) & marks, 0u);
    EXPECT_EQ(State(h, 1) & marks, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(State(h, 2) & marks, static_cast<UINT>(MF_GRAYED));
    EXPECT_TRUE(State(h, 3) & MF_SEPARATOR);

    EXPECT_EQ(menu.ItemKey(1), "mnu8");
    EXPECT_EQ(menu.ItemKey(4), "");
    EXPECT_EQ(menu.ItemKey(6), "C:\\Gewinn & Verlust.xlsx");
    for (const std::int32_t outside : {0, 8}) {
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
    for (UINT i = 0; i < 7; ++i) EXPECT_FALSE(State(h, i) & MF_CHECKED) << i;

    menu.ClearItems();
    menu.AddItem("Info", "", 6925, true);
    EXPECT_EQ(::GetMenuItemCount(menu.Handle()), 1);
    EXPECT_THROW(menu.ItemKey(2), AutomationError);
}

TEST(WinPopupMenuTest, DrawsInItsFontAndStyleShowsNamesAsQuotedAndReturnsTheChoice) {
    WinPopupMenu menu(test::Instance());
    FillMenu(menu);
    menu.SetFont("Verdana", 9);
    const ToolbarLook look;
    for (const std::int32_t style : {4, 2}) {
        menu.SetVisualStyle(style);
        test::MenuPicture shown;
        ModalAnswerer answerer(L"#32768", [&](HWND window) {
            shown = test::PictureOfMenu(window, style == 4 ? L"popup_style4.bmp" : L"popup_style2.bmp");
            if (style == 2) return PostKey(window, VK_ESCAPE);
            // On from "Gehe zu.." past the disabled "Registerfarbe" (the
            // keyboard visits it) and the separator to "Löschen", position 5.
            for (int i = 0; i < 3; ++i) PostKey(window, VK_DOWN);
            PostKey(window, VK_RETURN);
        });
        EXPECT_EQ(menu.ShowPopup(-1, -1), style == 4 ? 5 : 0);
        ASSERT_TRUE(answerer.Answered());
        ASSERT_EQ(shown.items.size(), 7u);

        const test::ClientPixels& pixels = shown.pixels;
        const bool themed = style == 4;
        const COLORREF back = themed ? ToColorRef(look.menuBackColor) : ::GetSysColor(COLOR_MENU);
        EXPECT_TRUE(pixels.Shows(shown.items[0], themed ? ToColorRef(look.menuBackColorHover)
                                                        : ::GetSysColor(COLOR_HIGHLIGHT))) << "marked";
        EXPECT_EQ(pixels.Shows(shown.items[0], ToColorRef(look.menuBackColorHover)), themed);
        EXPECT_EQ(pixels.Shows(shown.items[1], ToColorRef(look.menuBackColorChecked)), themed) << "checked";
        EXPECT_EQ(pixels.At(shown.items[4].right - 2, shown.items[4].top + 2), back) << style;
        EXPECT_EQ(pixels.At(0, 0) == ToColorRef(look.menuBorderColor), themed) << "the frame";
        // The names' ink as wide as GDI writes them in Verdana 9: the "&"
        // shows, the tab is a blank, not a column.
        EXPECT_NEAR(test::CaptionInkWidth(pixels, shown.items[5], back),
                    test::TextWidth(L"Verdana", 9, L"1.. Gewinn & Verlust.xlsx"), 3) << style;
        EXPECT_NEAR(test::CaptionInkWidth(pixels, shown.items[6], back),
                    test::TextWidth(L"Verdana", 9, L"2.. Q1 Q2 \u58F2\u4E0A.xlsx"), 3) << style;
    }
}

}  // namespace
}  // namespace brackwell::win
