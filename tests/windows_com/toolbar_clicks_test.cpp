// The pane's bar through the real brackwell.dll: real clicks on its buttons
// and on the arrows of its drop-down buttons, the real menus chosen from by
// their windows, and what the commands did read from the dialogs, the tree
// control and the host behind the automation facade.

#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "adapters/windows/common/utf.h"
#include "dialogs/frm_about.h"
#include "dialogs/frm_options.h"
#include "pane/nav_bar_design.h"
#include "tests/windows_com/pane_user.h"
#include "tests/windows_ui/ui_test_support.h"

namespace brackwell::win::test {
namespace {

// The bar's background right of its buttons, top to bottom.
std::vector<COLORREF> Background(HWND bar) {
    const ClientPixels pixels(bar);
    RECT client{};
    ::GetClientRect(bar, &client);
    std::vector<COLORREF> column;
    for (int y = 0; y < client.bottom; ++y) column.push_back(pixels.At(client.right - 4, y));
    return column;
}

TEST_F(PaneUserTest, TheBarsButtonsAndMenusReachTheCommands) {
    const HWND bar = PaneBar();
    const ToolbarDesign& design = NavBarDesign();
    const RECT deleteSheet = DesignedButton(design, "mnuTabDel");
    const RECT info = DesignedButton(design, "mnuInfo");
    const RECT infoArrow = DesignedArrow(design, "mnuInfo");
    const RECT closeArrow = DesignedArrow(design, "mnuMapClose");
    const RECT aboutOk = DesignedButton(AboutFormDesign().bar, "mnuOk");
    const RECT optionsCancel = DesignedButton(OptionsFormDesign().bar, "mnuCancel");

    // A sheet pressed, then the delete button: the host asks, the user agrees.
    PressAt(Item(L"\u58F2\u4E0A"), false);
    ASSERT_TRUE(PumpUntil([&] { return excel.App()->ActiveSheet()->Name() == WideToUtf8(L"\u58F2\u4E0A"); }));
    SeenDialog question;
    AsUser([&](DialogUserThread& u) {
        ClickIn(bar, Centre(deleteSheet));
        question = AnswerQuestion(u, true);
    });
    EXPECT_EQ(question.title, L"Brackwell Demo");
    EXPECT_EQ(question.text, L"Das Blatt '\u58F2\u4E0A' in 'Umsatz.xlsx' wird endg\u00FCltig gel\u00F6scht. "
                             L"M\u00F6chten Sie fortfahren?");
    ASSERT_EQ(Content().sheets.size(), 2u);
    EXPECT_EQ(Tree(), (Items{L"Umsatz.xlsx", L"  \u00DCbersicht", L"  Daten"}));

    // The info button shows the about box.
    std::wstring aboutCaption;
    AsUser([&](DialogUserThread& u) {
        ClickIn(bar, Centre(info));
        HWND about = u.WaitForWindow(kForm);
        aboutCaption = WindowText(about);
        ClickIn(ChildOfClass(about, L"BrackwellToolbar"), Centre(aboutOk));
        u.WaitUntilGone(about);
    });
    EXPECT_EQ(aboutCaption, L"Info zu Brackwell");

    // Its menu's "Einstellungen": the options dialog, cancelled; the bar keeps its look.
    const std::vector<COLORREF> background = Background(bar);
    EXPECT_GT(std::set<COLORREF>(background.begin(), background.end()).size(), 2u) << "the gradient look";
    ShownMenu menu;
    std::wstring optionsCaption;
    AsUser([&](DialogUserThread& u) {
        ClickIn(bar, Centre(infoArrow));
        HWND shown = u.WaitForWindow(kMenu);
        menu = ReadMenu(shown);
        ChooseFromMenu(shown, L"Einstellungen");
        HWND options = u.WaitForWindow(kForm);
        optionsCaption = WindowText(options);
        ClickIn(ChildOfClass(options, L"BrackwellToolbar"), Centre(optionsCancel));
        u.WaitUntilGone(options);
    });
    EXPECT_EQ(menu.captions, (Captions{L"Info", L"Homepage", L"Einstellungen"}));
    EXPECT_EQ(optionsCaption, L"Einstellungen");
    EXPECT_EQ(Background(bar), background);
    EXPECT_EQ(Tree(), (Items{L"Umsatz.xlsx", L"  \u00DCbersicht", L"  Daten"}));

    // Closing all without saving: changed and hidden workbooks too, and nobody is asked.
    excel.SetSaved(book, false);
    excel.CreateWorkbook("Zweit.xlsx", {"Tabelle1"});
    excel.SetWindowVisible(excel.CreateWorkbook("PERSONAL.XLSB", {"Makros"}), false);
    ASSERT_EQ(Call(nav.Get(), L"UpdateTree").hr, S_OK);
    ASSERT_EQ(Tree().size(), 5u);
    AsUser([&](DialogUserThread& u) {
        ClickIn(bar, Centre(closeArrow));
        HWND shown = u.WaitForWindow(kMenu);
        menu = ReadMenu(shown);
        ChooseFromMenu(shown, L"... alle schlie\u00DFen (ohne speichern)");
    });
    EXPECT_EQ(menu.captions, (Captions{L"Alle Mappen schlie\u00DFen (Nachfrage)",
                                       L"... alle schlie\u00DFen (\u00C4nderungen speichern)",
                                       L"... alle schlie\u00DFen (ohne speichern)"}));
    EXPECT_EQ(excel.App()->Workbooks()->Count(), 0);
    EXPECT_TRUE(Tree().empty());
    EXPECT_EQ(excel.User().CountAsked(embedded::QuestionKind::SaveChanges), 0u);
}

}  // namespace
}  // namespace brackwell::win::test
