// The pane's node menus and their commands through the real brackwell.dll:
// real presses on the tree's items, the real popup menus read and answered
// by their windows, the real input box, message box and dialogs, and the
// host's own questions in the demo's dialogs; what changed is read from the
// tree control and from the host behind the automation facade.

#include <gtest/gtest.h>

#include <windows.h>

#include "adapters/windows/common/utf.h"
#include "dialogs/frm_col_index.h"
#include "dialogs/frm_pwd.h"
#include "tests/windows_com/pane_user.h"
#include "tests/windows_ui/ui_test_support.h"

namespace brackwell::win::test {
namespace {

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
        ChooseFromMenu(u.WaitForWindow(kMenu), L"Umbennen");
        renameBox = AnswerInputBox(u, L"Daten");
    });
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
        pwdCaption = WindowText(dialog);
        HWND field = ChildOfClass(dialog, L"Edit");
        u.Type(field, L"geheim");
        u.Settle();
        shownInField = WindowText(field);
        // Queued behind the typed characters, so the dialog takes them first.
        u.Click(ChildOfClass(dialog, L"BrackwellToolbar"), Centre(pwdOk));
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
        pickerCaption = WindowText(dialog);
        ClickIn(dialog, PickerBox(3));
        box3Marked = WaitFor([&] { return Framed(::ChildWindowFromPoint(dialog, PickerBox(3))); });
        ClickIn(ChildOfClass(dialog, L"BrackwellToolbar"), Centre(pickerOk));
        u.WaitUntilGone(dialog);
    });
    EXPECT_EQ(pickerCaption, L"Daten");
    EXPECT_TRUE(box3Marked);
    EXPECT_EQ(Content().sheets[2].tabColorIndex, 3);
}

TEST_F(PaneUserTest, LeftPressesGoThereAndTheWorkbookAndNameMenusCarryOutTheirCommands) {
    excel.AddName(book, "Bereich", "=Daten!$B$2:$C$5");
    ASSERT_EQ(Call(nav.Get(), L"UpdateTree").hr, S_OK);
    const std::wstring nameItem = L"Bereich (Daten!$B$2:$C$5)";
    ASSERT_EQ(Tree().back(), L"  " + nameItem);
    const auto activeSheet = [&] { return excel.App()->ActiveSheet()->Name(); };

    // A left press on a sheet activates it; one on a name goes to its range.
    PressAt(Item(L"\u58F2\u4E0A"), false);
    EXPECT_TRUE(PumpUntil([&] { return activeSheet() == WideToUtf8(L"\u58F2\u4E0A"); })) << activeSheet();
    PressAt(Item(nameItem), false);
    EXPECT_TRUE(PumpUntil([&] { return excel.CurrentSelection().range == "$B$2:$C$5"; }));
    EXPECT_EQ(excel.CurrentSelection().sheet, "Daten");

    // The workbook's menu: a new sheet, then "Speichern unter.." in the host's save dialog.
    ShownMenu menu;
    SeenDialog saveAs;
    const std::string savedAs = WideToUtf8(folder) + "Umsatz 2026.xlsx";
    const POINT workbook = Item(L"Umsatz.xlsx");
    AsUser([&](DialogUserThread& u) {
        PressAt(workbook, true);
        HWND shown = u.WaitForWindow(kMenu);
        menu = ReadMenu(shown);
        ChooseFromMenu(shown, L"Neues Tabellenblatt");
    });
    EXPECT_EQ(menu.captions, (Captions{L"Gehe zu..", L"\u00D6ffnen", L"Neue Mappe", L"Neues Tabellenblatt",
                                       L"Speichern", L"Speichern unter..", L"Desktopverkn\u00FCpfung erstellen", L"",
                                       L"Schlie\u00DFen"}));
    ASSERT_EQ(Content().sheets.size(), 4u);
    const std::wstring added = Utf8ToWide(activeSheet());
    EXPECT_EQ(Tree().size(), 6u);
    EXPECT_GE(Item(added).x, 0) << "the new sheet shows";
    AsUser([&](DialogUserThread& u) {
        PressAt(workbook, true);
        ChooseFromMenu(u.WaitForWindow(kMenu), L"Speichern unter..");
        saveAs = AnswerFileDialog(u, savedAs);
    });
    EXPECT_EQ(saveAs.title, L"Speichern unter");
    EXPECT_EQ(saveAs.field, L"Umsatz.xlsx") << "the host proposes the workbook's name";
    EXPECT_EQ(Tree().front(), L"Umsatz 2026.xlsx") << "the pane shows the new name at once";
    EXPECT_TRUE(files->Exists(savedAs));

    // The name's menu: "Löschen" removes name and node without a question.
    POINT name = Item(nameItem);
    AsUser([&](DialogUserThread& u) {
        PressAt(name, true);
        HWND shown = u.WaitForWindow(kMenu);
        menu = ReadMenu(shown);
        ChooseFromMenu(shown, L"L\u00F6schen");
    });
    EXPECT_EQ(menu.captions, (Captions{L"Gehe zu..", L"Umbennen", L"", L"L\u00F6schen"}));
    EXPECT_TRUE(Content().names.empty());
    EXPECT_EQ(Tree().size(), 5u);
    EXPECT_NE(Tree().back(), L"  " + nameItem);
}

TEST_F(PaneUserTest, ThePaneMenuOpensRecentAndChosenFilesAndShowsTheAboutBox) {
    const POINT empty = BelowTheItems();
    // No recent files: four rows; "Info" shows the about box.
    ShownMenu menu;
    std::wstring aboutCaption;
    AsUser([&](DialogUserThread& u) {
        PressAt(empty, true);
        HWND shown = u.WaitForWindow(kMenu);
        menu = ReadMenu(shown);
        ChooseFromMenu(shown, L"Info");
        HWND about = u.WaitForWindow(kForm);
        aboutCaption = WindowText(about);
        u.CloseBox(about);
        u.WaitUntilGone(about);
    });
    EXPECT_EQ(menu.captions, (Captions{L"\u00D6ffnen..", L"Neue Arbeitsmappe", L"", L"Info"}));
    EXPECT_EQ(aboutCaption, L"Info zu Brackwell");
    EXPECT_EQ(Tree(), UmsatzItems());

    // A recent file: its row under a separator, and choosing it opens it.
    excel.AddRecentFile(WriteWorkbookFile("Quartal.xlsx", {"Q1", "Q2"}));
    AsUser([&](DialogUserThread& u) {
        PressAt(empty, true);
        HWND shown = u.WaitForWindow(kMenu);
        menu = ReadMenu(shown);
        ChooseFromMenu(shown, L"1.. Quartal.xlsx");
    });
    EXPECT_EQ(menu.captions, (Captions{L"\u00D6ffnen..", L"Neue Arbeitsmappe", L"", L"Info", L"",
                                       L"1.. Quartal.xlsx"}));
    Items expected = UmsatzItems();
    for (const wchar_t* item : {L"Quartal.xlsx", L"  Q1", L"  Q2"}) expected.push_back(item);
    EXPECT_EQ(Tree(), expected);

    // "Öffnen.." in the host's open dialog, then "Neue Arbeitsmappe".
    const std::string budget = WriteWorkbookFile("Budget.xlsx", {"Plan"});
    SeenDialog open;
    AsUser([&](DialogUserThread& u) {
        PressAt(empty, true);
        ChooseFromMenu(u.WaitForWindow(kMenu), L"\u00D6ffnen..");
        open = AnswerFileDialog(u, budget);
    });
    EXPECT_EQ(open.title, L"\u00D6ffnen");
    for (const wchar_t* item : {L"Budget.xlsx", L"  Plan"}) expected.push_back(item);
    EXPECT_EQ(Tree(), expected);
    AsUser([&](DialogUserThread& u) {
        PressAt(empty, true);
        ChooseFromMenu(u.WaitForWindow(kMenu), L"Neue Arbeitsmappe");
    });
    EXPECT_EQ(excel.App()->Workbooks()->Count(), 4);
    EXPECT_EQ(Tree().size(), expected.size() + 4) << "a new workbook with its three sheets";
}

}  // namespace
}  // namespace brackwell::win::test
