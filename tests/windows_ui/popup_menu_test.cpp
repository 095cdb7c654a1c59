// The shared popup menu, owner-drawn on the system's popup menus, as a user
// sees it in either style, answered from the keyboard. What the system holds
// of the items (captions, marks, pictures) is read through the DLL with the
// pane's worksheet menu.

#include <gtest/gtest.h>

#include "adapters/windows/controls/color_ref.h"
#include "adapters/windows/controls/popup_menu.h"
#include "ui_test_support.h"

namespace brackwell::win {
namespace {

using test::ModalAnswerer;
using test::PostKey;

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

TEST(WinPopupMenuTest, DrawsInItsFontAndStyleShowsNamesAsQuotedAndReturnsTheChoice) {
    WinPopupMenu menu(test::Instance());
    FillMenu(menu);
    wchar_t text[64] = {};
    ::GetMenuStringW(menu.Handle(), 5, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"1.. Gewinn && Verlust.xlsx");  // no accelerator for the keyboard's search
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
