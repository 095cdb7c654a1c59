// The pane's node menus and their commands through the real brackwell.dll:
// real presses on the tree's items, the real popup menus read and answered
// by their windows, the real input box, message box and dialogs, and the
// host's own questions in the demo's dialogs; what changed is read from the
// tree control and from the host behind the automation facade.

#include <gtest/gtest.h>

#include <windows.h>

#include "dialogs/frm_col_index.h"
#include "dialogs/frm_pwd.h"
#include "tests/windows_com/pane_user.h"
#include "tests/windows_ui/ui_test_support.h"

namespace brackwell::win::test {
namespace {

using Items = std::vector<std::wstring>;
using Captions = std::vector<std::wstring>;

constexpr wchar_t kMenu[] = L"#32768";
constexpr wchar_t kForm[] = L"BrackwellDialog";

bool Framed(HWND window) { return (::GetWindowLongPtrW(window, GWL_STYLE) & WS_BORDER) != 0; }

// Box k of the tab colour picker (1 to 56), at its place in the dialog's client area.
POINT PickerBox(int k) {
    const int row = (k - 1) / 8;
    const int column = (k - 1) % 8;
    return POINT{Px(75 + 375 * column) + Px(315) / 2, Px(600 + 300 * row) + Px(240) / 2};
}

TEST_F(PaneUserTest, ASheetIsRenamedProtectedAndColouredThroughTheRealBoxesAndDialogs) {
    // Renaming to a name in use: the input box as it shows, then the refusal in a message box.
    ShownMenu menu;
    SeenDialog renameBox;
    POINT at = Item(L"\u00DCbersicht");
    AsUser([&](DialogUserThread& u) {
        PressAt(at, true);
        HWND shown = u.WaitForWindow(kMenu);
        menu = ReadMenu(shown);
        ChooseFromMenu(shown, L"Umbennen");
        renameBox = AnswerInputBox(u, L"Daten");
    });
    EXPECT_EQ(menu.captions, (Captions{L"Gehe zu..", L"Umbennen", L"Blattschutz", L"Registerfarbe", L"Kopieren",
                                       L"Kopieren in neue Mappe", L"Verschieben in neue Mappe", L"",
                                       L"L\u00F6schen"}));
    EXPECT_EQ(renameBox.title, L"Tabelle umbennen");
    EXPECT_EQ(renameBox.text, L"Neuen Tabellennamen:");
    EXPECT_EQ(renameBox.field, L"\u00DCbersicht");
    boxesExpected = 1;
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].title, L"Abbruch");
    EXPECT_EQ(boxes.Seen()[0].text, L"Ein Tabellenblatt mit dem Namen DATEN existiert bereits");
    EXPECT_EQ(Tree(), UmsatzItems());
    EXPECT_EQ(Content().sheets[0].name, "\xC3\x9C" "bersicht");

    // A free name: the host takes it and the node shows it.
    AsUser([&](DialogUserThread& u) {
        PressAt(at, true);
        ChooseFromMenu(u.WaitForWindow(kMenu), L"Umbennen");
        AnswerInputBox(u, L"Bilanz 2026");
    });
    EXPECT_EQ(Tree(), (Items{L"Umsatz.xlsx", L"  Bilanz 2026", L"  \u58F2\u4E0A", L"  Daten"}));
    EXPECT_EQ(Content().sheets[0].name, "Bilanz 2026");

    // Protecting: the password dialog, typed into and confirmed on its bar.
    const RECT pwdOk = DesignedButton(PwdFormDesign().bar, "mnuOk");
    std::wstring pwdCaption, shownInField;
    at = Item(L"\u58F2\u4E0A");
    AsUser([&](DialogUserThread& u) {
        PressAt(at, true);

        HWND shown = u.WaitForWindow(kMenu);
        menu = ReadMenu(shown);
        ChooseFromMenu(shown, L"Blattschutz");
        HWND dialog = u.WaitForWindow(kForm);
        if (!dialog) return;
        pwdCaption = TextOf(dialog);
        HWND field = ChildOfClass(dialog, L"Edit");
        u.Type(field, L"geheim");
        u.Settle();
        shownInField = TextOf(field);
        ClickIn(ChildOfClass(dialog, L"BrackwellToolbar"), Centre(pwdOk));
        u.WaitUntilGone(dialog);
    });
    EXPECT_FALSE(menu.StateOf(L"Blattschutz") & MF_CHECKED);
    EXPECT_EQ(pwdCaption, L"Passwort");
    EXPECT_EQ(shownInField, L"geheim") << "the field keeps the text; it shows stars";
    EXPECT_EQ(Tree(), (Items{L"Umsatz.xlsx", L"  Bilanz 2026", L"  \u58F2\u4E0A (******)", L"  Daten"}));
    EXPECT_TRUE(Content().sheets[1].protectedContents);
    EXPECT_EQ(Content().sheets[1].password, "geheim");

    // Unprotecting: the checked item, and the host asks for the password itself.
    SeenDialog hostAsks;
    at = Item(L"\u58F2\u4E0A (******)");
    AsUser([&](DialogUserThread& u) {
        PressAt(at, true);
        HWND shown = u.WaitForWindow(kMenu);
        menu = ReadMenu(shown);
        ChooseFromMenu(shown, L"Blattschutz aufheben");
        hostAsks = AnswerInputBox(u, L"geheim");
    });
    ASSERT_EQ(menu.captions.size(), 9u);
    EXPECT_EQ(menu.captions[2], L"Blattschutz aufheben");
    EXPECT_TRUE(menu.states[2] & MF_CHECKED);
    EXPECT_EQ(hostAsks.title, L"Blattschutz aufheben");
    EXPECT_EQ(hostAsks.text, L"Kennwort f\u00FCr '\u58F2\u4E0A':");
    EXPECT_EQ(Tree(), (Items{L"Umsatz.xlsx", L"  Bilanz 2026", L"  \u58F2\u4E0A", L"  Daten"}));
    EXPECT_FALSE(Content().sheets[1].protectedContents);

    // The tab colour: the picker named after the sheet, box 3 clicked, OK.
    const RECT pickerOk = DesignedButton(ColIndexFormDesign().bar, "mnuOk");
    std::wstring pickerCaption;
    bool box3Marked = false;
    at = Item(L"Daten");
    AsUser([&](DialogUserThread& u) {
        PressAt(at, true);
        ChooseFromMenu(u.WaitForWindow(kMenu), L"Registerfarbe");
        HWND dialog = u.WaitForWindow(kForm);
        if (!dialog) return;
        pickerCaption = TextOf(dialog);
        ClickIn(dialog, PickerBox(3));
        box3Marked = WaitFor([&] { return Framed(::ChildWindowFromPoint(dialog, PickerBox(3))); });
        ClickIn(ChildOfClass(dialog, L"BrackwellToolbar"), Centre(pickerOk));
        u.WaitUntilGone(dialog);
    });
    EXPECT_EQ(pickerCaption, L"Daten");
    EXPECT_TRUE(box3Marked);
    EXPECT_EQ(Content().sheets[2].tabColorIndex, 3);
}

}  // namespace
}  // namespace brackwell::win::test
