// Presses in the tree: left and middle presses go to the node, right presses
// open the node's menu or the pane menu, and the chosen command runs on the
// node's workbook, sheet or name.

#include <gtest/gtest.h>

#include <functional>

#include "tests/native/navigator_fixture.h"
#include "tree/palette.h"

namespace brackwell::testing {
namespace {

using ::testing::ElementsAre;

class NodeMenuTest : public NavigatorTest {
protected:
    void SetUp() override {
        umsatz = excel.CreateWorkbook("Umsatz.xlsx", {"Januar", "Februar"}, "C:\\Daten");
        excel.AddName(umsatz, "Daten", "=Februar!$B$2:$C$5");
        mappe = excel.CreateWorkbook("Mappe2", {"Tabelle1"});
        excel.ActivateSilently(umsatz);
        StoreSetting("MapExpand", "True");  // every node can be pressed
        ShowPane();
    }

    const headless::ShownPopup& Shown() { return Menu().LastShown(); }
    bool SheetDeleteEnabled() { return Bar().ButtonEnabled("mnuTabDel"); }
    void RightPress(const std::string& key) {
        Menu().DismissNext();
        Tree().Press(key, vb::kRightButton);
    }

    // Right press on `key` and choose the item with that caption.
    void Choose(const std::string& key, const std::string& caption) {
        Menu().ChooseNextByCaption(caption);
        Tree().Press(key, vb::kRightButton);
        ASSERT_TRUE(Menu().ScriptErrors().empty()) << Menu().ScriptErrors().front();
    }

    WorkbookPtr umsatz;
    WorkbookPtr mappe;
};

TEST_F(NodeMenuTest, LeftAndMiddlePressesGoToTheNode) {
    Tree().Press("wb1|2", vb::kLeftButton);
    EXPECT_EQ(excel.CurrentSelection().sheet, "Februar");

    Tree().Press("wb2", vb::kMiddleButton);
    EXPECT_EQ(excel.CurrentSelection().workbook, "Mappe2");

    umsatz->Activate();
    Tree().Press("wb1#1", vb::kLeftButton);  // the name's range, on its sheet
    EXPECT_EQ(excel.CurrentSelection().sheet, "Februar");
    EXPECT_EQ(excel.CurrentSelection().range, "$B$2:$C$5");

    // Where there is no node a press clears the selection and shows nothing.
    Tree().PressAt(Tree().EmptyPoint(), vb::kLeftButton);
    EXPECT_EQ(Tree().SelectedItem(), nullptr);
    EXPECT_TRUE(Menu().History().empty());
}

// Each press starts from the other state: the button is enabled at first,
// the active sheet's node selected.
TEST_F(NodeMenuTest, EachKindOfNodeHasItsMenuAndTheSheetDeleteButtonFollows) {
    RightPress("wb1");
    EXPECT_THAT(Shown().Captions(), ElementsAre("Gehe zu..", "Öffnen", "Neue Mappe", "Neues Tabellenblatt",
                                                "Speichern", "Speichern unter..", "Desktopverknüpfung erstellen",
                                                "-", "Schließen"));
    EXPECT_TRUE(Row("wb1").selected);
    EXPECT_FALSE(SheetDeleteEnabled());

    RightPress("wb1|2");
    EXPECT_THAT(Shown().Captions(),
                ElementsAre("Gehe zu..", "Umbennen", "Blattschutz", "Registerfarbe", "Kopieren",
                            "Kopieren in neue Mappe", "Verschieben in neue Mappe", "-", "Löschen"));
    EXPECT_FALSE(Shown().items[2].checked);
    EXPECT_TRUE(Row("wb1|2").selected);
    EXPECT_TRUE(SheetDeleteEnabled());

    RightPress("wb1#1");
    EXPECT_THAT(Shown().Captions(), ElementsAre("Gehe zu..", "Umbennen", "-", "Löschen"));
    EXPECT_FALSE(SheetDeleteEnabled());

    // Dismissed menus ran nothing, not even "Gehe zu..".
    EXPECT_EQ(excel.CurrentSelection().sheet, "Januar");
    EXPECT_EQ(excel.App()->Workbooks()->Count(), 2);
}

// Tab colours need a host above version 9: "9.5" rounds to 10.
TEST_F(NodeMenuTest, ProtectionAndTheHostVersionShapeTheSheetMenu) {
    excel.SetSheetProtection(umsatz->Worksheets()->Item(2), true);
    for (const auto& [version, tabColours] : {std::pair{"9.0", false}, {"9.5", true}}) {
        excel.SetVersion(version);
        nav->set_mExcel(excel.App());
        RightPress("wb1|2");
        EXPECT_EQ(Shown().items[2].caption, "Blattschutz aufheben");
        EXPECT_TRUE(Shown().items[2].checked);
        EXPECT_EQ(Shown().items[3].enabled, tabColours) << version;
    }
}

TEST_F(NodeMenuTest, ThePaneMenuOffersOpenNewInfoAndTheRecentFiles) {
    Menu().DismissNext();
    Tree().PressAt(Tree().EmptyPoint(), vb::kRightButton);
    EXPECT_THAT(Shown().Captions(), ElementsAre("Öffnen..", "Neue Arbeitsmappe", "-", "Info"));

    embedded::WorkbookContent content;
    content.sheets.emplace_back();
    content.sheets.back().name = "Blatt";
    for (const char* file : {"C:\\A\\Alt.xlsx", "C:\\B\\Plan.xlsx", "C:\\C\\Umsatz 2025.xlsx"}) {
        excel.MemoryFiles().Put(file, content);
        excel.AddRecentFile(file);
    }
    Menu().ChooseNextByCaption("1.. Umsatz 2025.xlsx");
    Tree().PressAt(Tree().EmptyPoint(), vb::kRightButton);
    EXPECT_THAT(Shown().Captions(), ElementsAre("Öffnen..", "Neue Arbeitsmappe", "-", "Info", "-",
                                                "1.. Umsatz 2025.xlsx", "2.. Plan.xlsx", "3.. Alt.xlsx"));
    EXPECT_EQ(Shown().items[5].key, "C:\\C\\Umsatz 2025.xlsx");
    EXPECT_EQ(excel.App()->ActiveWorkbook()->FullName(), "C:\\C\\Umsatz 2025.xlsx");

    // "Öffnen..": several files in the order of the list, nothing when cancelled.
    excel.User().openFileAnswers.push(std::vector<std::string>{"C:\\B\\Plan.xlsx", "C:\\A\\Alt.xlsx"});
    excel.User().openFileAnswers.push(false);
    for (int i = 0; i < 2; ++i) {
        Menu().ChooseNext(1);
        Tree().PressAt(Tree().EmptyPoint(), vb::kRightButton);
    }
    EXPECT_EQ(excel.App()->Workbooks()->Item(4)->Name(), "Plan.xlsx");
    EXPECT_EQ(excel.App()->Workbooks()->Item(5)->Name(), "Alt.xlsx");
    EXPECT_EQ(excel.App()->Workbooks()->Count(), 5);

    Menu().ChooseNextByCaption("Neue Arbeitsmappe");
    Tree().PressAt(Tree().EmptyPoint(), vb::kRightButton);
    EXPECT_EQ(excel.App()->Workbooks()->Count(), 6);

    platform.DialogUser().Next("frmAbout").Press("mnuOk");
    Menu().ChooseNextByCaption("Info");
    Tree().PressAt(Tree().EmptyPoint(), vb::kRightButton);
    EXPECT_EQ(platform.DialogUser().LastShowing().caption, "Info zu Brackwell");
}

TEST_F(NodeMenuTest, RenamingASheetChecksEveryWorksheetName) {
    auto& ui = platform.HeadlessUi();
    ui.TypeNext("Februar");  // another sheet's name
    Choose("wb1|1", "Umbennen");
    ASSERT_EQ(ui.InputBoxes().back().prompt, "Neuen Tabellennamen:");
    EXPECT_EQ(ui.InputBoxes().back().title, "Tabelle umbennen");
    EXPECT_EQ(ui.InputBoxes().back().defaultText, "Januar");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].prompt, "Ein Tabellenblatt mit dem Namen FEBRUAR existiert bereits");
    EXPECT_EQ(Messages()[0].title, "Abbruch");
    EXPECT_EQ(Messages()[0].style, 48);

    ui.CancelNext();
    Choose("wb1|1", "Umbennen");
    ui.TypeNext("februar");  // passes the check; the host refuses it, silently
    Choose("wb1|1", "Umbennen");
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Row("wb1|1").text, "Januar");

    ui.TypeNext("Ωμέγα");
    Choose("wb1|1", "Umbennen");
    EXPECT_EQ(Row("wb1|1").text, "Ωμέγα");
    EXPECT_EQ(SheetNames(umsatz), (std::vector<std::string>{"Ωμέγα", "Februar"}));

    ui.TypeNext("Ωμέγα");  // its own name unchanged is refused too, in the capitals of its script
    Choose("wb1|1", "Umbennen");
    EXPECT_EQ(Messages().back().prompt, "Ein Tabellenblatt mit dem Namen ΩΜΈΓΑ existiert bereits");
}

TEST_F(NodeMenuTest, NamesAreRenamedAndDeletedInPlace) {
    auto& ui = platform.HeadlessUi();
    ui.TypeNext("Daten");  // its own name: nothing is handed to the host
    Choose("wb1#1", "Umbennen");
    EXPECT_EQ(excel.Calls("DefinedName.SetName"), 0);
    ui.TypeNext("Ein Name");  // refused by the host: the node keeps its text
    Choose("wb1#1", "Umbennen");
    EXPECT_EQ(Row("wb1#1").text, "Daten (Februar!$B$2:$C$5)");

    ui.TypeNext("Werte");
    Choose("wb1#1", "Umbennen");
    EXPECT_EQ(Row("wb1#1").text, "Werte (Februar!$B$2:$C$5)");
    EXPECT_TRUE(Messages().empty());

    Choose("wb1#1", "Löschen");
    EXPECT_EQ(umsatz->Names()->Count(), 0);
    EXPECT_THAT(Keys(), ElementsAre("wb1", "wb1|1", "wb1|2", "wb2", "wb2|1"));
}

// A name is reached through its range, not its text: in whichever workbook,
// past a hidden name of the same text in the active one, on its own sheet.
// A name whose cells are gone or in a closed workbook leads nowhere, and
// Excel's own print area keeps its name.
TEST_F(NodeMenuTest, NamesOfEveryKindAreReachedInWhicheverWorkbook) {
    excel.SetNameVisible(excel.AddName(mappe, "Daten", "=Tabelle1!$Z$9"), false);
    excel.AddName(mappe, "_xlnm.Print_Area", "='Q1 2024'!$A$1:$C$20", excel.AddWorksheet(mappe, "Q1 2024"));
    excel.AddName(mappe, "Alt", "='C:\\Daten\\[Alt.xlsx]Blatt1'!$A$1");
    excel.AddName(mappe, "Kaputt", "=#REF!");
    excel.ActivateSilently(mappe);
    nav->UpdateTree();
    const auto where = [&] {
        const auto s = excel.CurrentSelection();
        return s.workbook + "|" + s.sheet + "|" + s.range;
    };
    EXPECT_THAT(Keys(),
                ElementsAre("wb1", "wb1|1", "wb1|2", "wb1#1", "wb2", "wb2|1", "wb2|2", "wb2#1", "wb2#3", "wb2#4"));
    EXPECT_EQ(Row("wb2#4").text, "'Q1 2024'!Print_Area ('Q1 2024'!$A$1:$C$20)");

    Tree().Press("wb1#1", vb::kLeftButton);
    EXPECT_EQ(where(), "Umsatz.xlsx|Februar|$B$2:$C$5");
    Choose("wb2#4", "Gehe zu..");
    EXPECT_EQ(where(), "Mappe2|Q1 2024|$A$1:$C$20");
    Tree().Press("wb2#1", vb::kLeftButton);
    Choose("wb2#3", "Gehe zu..");
    EXPECT_EQ(where(), "Mappe2|Q1 2024|$A$1:$C$20");

    platform.HeadlessUi().TypeNext("Druck");
    Choose("wb2#4", "Umbennen");
    EXPECT_EQ(Row("wb2#4").text, "'Q1 2024'!Print_Area ('Q1 2024'!$A$1:$C$20)");
    Choose("wb2#4", "Löschen");
    EXPECT_EQ(mappe->Names()->Count(), 3);
    EXPECT_TRUE(Messages().empty());
}

// A new sheet's events rebuild the tree while the name's menu is open: the
// pressed node is gone, and the new sheet's node in its old place stays.
TEST_F(NodeMenuTest, DeletingANameWhoseNodeARebuildReplacedRemovesNoOtherNode) {
    excel.SetDeferEvents(true);
    umsatz->Worksheets()->Add();
    excel.SetDeferEvents(false);
    Menu().WhileOpenNext([&] { excel.RunPendingEvents(); });
    Choose("wb1#1", "Löschen");
    EXPECT_EQ(umsatz->Names()->Count(), 0);
    EXPECT_THAT(Keys(), ElementsAre("wb1", "wb1|1", "wb1|2", "wb1|3", "wb1#1", "wb2", "wb2|1"));
}

TEST_F(NodeMenuTest, CopiesLandBehindTheLastSheetAndNewWorkbooksTakeTheRest) {
    excel.AddChartSheet(umsatz, "Diagramm1");
    Choose("wb1|1", "Kopieren");
    EXPECT_EQ(SheetNames(umsatz),
              (std::vector<std::string>{"Januar", "Februar", "Diagramm1", "Januar (2)"}));

    Choose("wb1|2", "Kopieren in neue Mappe");
    EXPECT_EQ(SheetNames(excel.App()->ActiveWorkbook()), (std::vector<std::string>{"Februar"}));

    Choose("wb1|2", "Verschieben in neue Mappe");
    EXPECT_EQ(excel.App()->Workbooks()->Count(), 4);
    EXPECT_EQ(SheetNames(umsatz), (std::vector<std::string>{"Januar", "Diagramm1", "Januar (2)"}));
}

// "Speichern" asks for a place (dialog 145) only the first time,
// "Speichern unter.." always (dialog 5).
TEST_F(NodeMenuTest, SavingAsksForAPlaceOnlyTheFirstTime) {
    const int saves = excel.MemoryFiles().SaveCount();
    Choose("wb1", "Speichern");
    EXPECT_EQ(excel.MemoryFiles().SaveCount(), saves + 1);
    EXPECT_TRUE(excel.ShownDialogs().empty());

    // A new workbook: the host's save dialog, then the tree shows the file's name.
    excel.User().saveAsAnswers.push(std::string("C:\\Daten\\Plan.xlsx"));
    mappe->Activate();
    Choose("wb2", "Speichern");
    EXPECT_EQ(Row("wb2").text, "Plan.xlsx");

    Choose("wb2", "Speichern unter..");  // and cancelled
    EXPECT_EQ(excel.ShownDialogs(), (std::vector<std::int32_t>{xl::kDialogSaveWorkbook, xl::kDialogSaveAs}));
}

TEST_F(NodeMenuTest, ANodeWhoseWorkbookIsGoneStillShowsItsMenuAndDoesNothing) {
    excel.SetDeferEvents(true);  // the tree does not hear of the close yet
    mappe->Close(false);
    const int callsBefore = excel.TotalCalls();

    auto& ui = platform.HeadlessUi();
    ui.TypeNext("Neu");
    Choose("wb2|1", "Umbennen");
    Choose("wb2|1", "Kopieren");
    Choose("wb2", "Schließen");

    EXPECT_EQ(Shown().items.size(), 9u);
    EXPECT_TRUE(ui.InputBoxes().empty());
    EXPECT_TRUE(Messages().empty());
    EXPECT_GT(excel.TotalCalls(), callsBefore);  // tried, and failed quietly
    EXPECT_EQ(excel.App()->Workbooks()->Count(), 1);
}

// OK hands over exactly what was typed, and the node shows a star for each
// character as VB's Len counts them (two for "𝔘", beyond U+FFFF); every
// opening starts empty, and every path ends unloaded.
TEST_F(NodeMenuTest, ProtectingAsksForAPasswordAndShowsItInTheNode) {
    auto& dialogs = platform.DialogUser();
    dialogs.Next("frmPwd").Type("txtPwd", " geheim ").Type("txtPwd", "売上𝔘").Press("mnuOk");
    Choose("wb1|1", "Blattschutz");
    EXPECT_EQ(Row("wb1|1").text, "Januar (************)");
    EXPECT_TRUE(umsatz->Worksheets()->Item(1)->ProtectContents());

    // Unprotecting asks the host's own password question, which only the text typed answers.
    excel.User().passwordAnswers.push(std::string(" geheim 売上𝔘"));
    Choose("wb1|1", "Blattschutz aufheben");
    EXPECT_EQ(Row("wb1|1").text, "Januar");
    EXPECT_FALSE(umsatz->Worksheets()->Item(1)->ProtectContents());

    dialogs.Next("frmPwd").Press("mnuOk");  // empty: protected without password
    Choose("wb1|2", "Blattschutz");
    EXPECT_EQ(Row("wb1|2").text, "Februar (geschützt)");

    dialogs.Next("frmPwd").Type("txtPwd", "x").Press("mnuCancel");
    Choose("wb1|1", "Blattschutz");
    EXPECT_EQ(Row("wb1|1").text, "Januar");
    EXPECT_FALSE(umsatz->Worksheets()->Item(1)->ProtectContents());

    ASSERT_EQ(dialogs.Showings().size(), 3u);
    for (const auto& shown : dialogs.Showings()) {
        EXPECT_EQ(shown.caption + " / " + shown.Control("Label1").caption, "Passwort / Passwort");
        EXPECT_EQ(shown.Control("txtPwd").text, "");
        EXPECT_EQ(shown.barStyle, 3);
    }
    EXPECT_EQ(component.ActivePwdForm, nullptr);
    EXPECT_EQ(platform.HeadlessWindows().Children(0), std::vector<WindowHandle>{mainWindow});
    EXPECT_TRUE(dialogs.ScriptErrors().empty());
}

// OK waits for a click, even with the current colour marked, and a click on
// the marked box counts; the last box clicked is marked, and its index set.
TEST_F(NodeMenuTest, TheTabColourPickerMarksTheCurrentColourAndSetsTheChosenOne) {
    auto& dialogs = platform.DialogUser();
    const SheetPtr januar = umsatz->Worksheets()->Item(1);
    std::vector<std::string> looks;  // the marked boxes, and whether OK can be used
    const auto look = [&](headless::HeadlessDialog& d) {
        std::string seen;
        for (std::int32_t k = 1; k <= 56; ++k)
            if (d.Control("picCol", k).BorderStyle() == 1) seen += std::to_string(k) + " ";
        looks.push_back(seen + (d.BarControl().ButtonEnabled("mnuOk") ? "OK" : "-"));
    };
    const auto pick = [&](const std::function<void(headless::DialogScript&)>& script) {
        script(dialogs.Next("frmColIndex"));
        Choose("wb1|1", "Registerfarbe");
        return januar->Tab()->ColorIndex();
    };

    EXPECT_EQ(pick([&](auto& d) {
        d.Look(look).Press("mnuOk").Look(look).Click("picCol", 12).Click("picCol", 56).Look(look).Press("mnuOk");
    }), 56);
    EXPECT_EQ(looks, (std::vector<std::string>{"-", "-", "56 OK"}));
    EXPECT_EQ(dialogs.LastShowing().caption, "Januar");
    EXPECT_EQ(dialogs.LastShowing().Control("picCol", 56).backColor, ColorIndexToRgb(56));
    EXPECT_EQ(dialogs.LastShowing().barStyle, 3);

    looks.clear();
    EXPECT_EQ(pick([&](auto& d) { d.Look(look).Press("mnuOk").Look(look).Click("picCol", 56).Look(look).Press("mnuOk"); }),
              56);
    EXPECT_EQ(looks, (std::vector<std::string>{"56 -", "56 -", "56 OK"}));

    EXPECT_EQ(pick([](auto& d) { d.Click("picCol", 9).Press("mnuCancel"); }), 56);
    EXPECT_EQ(pick([](auto& d) { d.Click("picCol", 9).CloseBox(); }), 56);
    component.settings.Theme = false;
    EXPECT_EQ(pick([](auto& d) { d.Press("mnuRetour"); }), xl::kColorIndexNone);
    EXPECT_EQ(dialogs.LastShowing().barStyle, 2);
    EXPECT_EQ(platform.HeadlessWindows().Children(0), std::vector<WindowHandle>{mainWindow});
    EXPECT_TRUE(dialogs.ScriptErrors().empty());
}

}  // namespace
}  // namespace brackwell::testing
