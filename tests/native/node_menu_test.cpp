// Presses in the tree: left and middle presses go to the node, right presses
// open the node's menu or the pane menu, and the chosen command runs on the
// node's workbook, sheet or name.

#include <gtest/gtest.h>

#include "tests/native/navigator_fixture.h"

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

    headless::HeadlessPopupMenu& Menu() { return *platform.LastPopupMenu(); }
    const headless::ShownPopup& Shown() { return Menu().LastShown(); }
    bool SheetDeleteEnabled() { return platform.NavForm()->BarControl().ButtonEnabled("mnuTabDel"); }

    // Right press on `key` and choose the item with that caption.
    void Choose(const std::string& key, const std::string& caption) {
        Menu().ChooseNextByCaption(caption);
        Tree().Press(key, vb::kRightButton);
        ASSERT_TRUE(Menu().ScriptErrors().empty()) << Menu().ScriptErrors().front();
    }

    std::vector<std::string> SheetNames(const WorkbookPtr& wb) {
        std::vector<std::string> names;
        const SheetsPtr sheets = wb->Sheets();
        for (int i = 1; i <= sheets->Count(); ++i) names.push_back(sheets->Item(i)->Name());
        return names;
    }

    WorkbookPtr umsatz;
    WorkbookPtr mappe;
};

TEST_F(NodeMenuTest, LeftAndMiddlePressesGoToTheNodeAndSelectIt) {
    Tree().Press("wb1|2", vb::kLeftButton);
    EXPECT_EQ(excel.CurrentSelection().sheet, "Februar");
    EXPECT_TRUE(Row("wb1|2").selected);

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

TEST_F(NodeMenuTest, EachKindOfNodeHasItsMenuAndTheSheetDeleteButtonFollows) {
    Menu().DismissNext();
    Tree().Press("wb1|1", vb::kRightButton);
    EXPECT_THAT(Shown().Captions(),
                ElementsAre("Gehe zu..", "Umbennen", "Blattschutz", "Registerfarbe", "Kopieren",
                            "Kopieren in neue Mappe", "Verschieben in neue Mappe", "-", "Löschen"));
    EXPECT_EQ(Shown().items[2].key, "mnu10");
    EXPECT_FALSE(Shown().items[2].checked);
    EXPECT_EQ(Shown().items[3].image, 6915);
    EXPECT_TRUE(Shown().items[3].enabled);
    EXPECT_TRUE(Row("wb1|1").selected);
    EXPECT_TRUE(SheetDeleteEnabled());

    Menu().DismissNext();
    Tree().Press("wb1", vb::kRightButton);
    EXPECT_THAT(Shown().Captions(), ElementsAre("Gehe zu..", "Öffnen", "Neue Mappe", "Neues Tabellenblatt",
                                                "Speichern", "Speichern unter..", "Desktopverknüpfung erstellen",
                                                "-", "Schließen"));
    EXPECT_EQ(Shown().items[5].key, "mnuSaveAs");
    EXPECT_EQ(Shown().items[6].key, "mnu6");
    EXPECT_FALSE(SheetDeleteEnabled());

    Menu().DismissNext();
    Tree().Press("wb1#1", vb::kRightButton);
    EXPECT_THAT(Shown().Captions(), ElementsAre("Gehe zu..", "Umbennen", "-", "Löschen"));
    EXPECT_EQ(Shown().items[3].image, 6404);
    EXPECT_FALSE(SheetDeleteEnabled());

    // Dismissing ran nothing: the host is as it was.
    EXPECT_EQ(excel.App()->Workbooks()->Count(), 2);
    EXPECT_EQ(SheetNames(umsatz), (std::vector<std::string>{"Januar", "Februar"}));
}

TEST_F(NodeMenuTest, ProtectionAndOldHostsShapeTheSheetMenu) {
    excel.SetSheetProtection(umsatz->Worksheets()->Item(2), true);
    excel.SetVersion("9.0");
    nav->set_mExcel(excel.App());
    nav->UpdateTree();

    Menu().DismissNext();
    Tree().Press("wb1|2", vb::kRightButton);
    EXPECT_EQ(Shown().items[2].caption, "Blattschutz aufheben");
    EXPECT_TRUE(Shown().items[2].checked);
    EXPECT_FALSE(Shown().items[3].enabled);  // "Registerfarbe" needs tab colours
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
    Menu().ChooseNext(1);
    Tree().PressAt(Tree().EmptyPoint(), vb::kRightButton);
    Menu().ChooseNext(1);
    Tree().PressAt(Tree().EmptyPoint(), vb::kRightButton);
    EXPECT_THAT(Keys(), ::testing::Contains("wb5"));
    EXPECT_EQ(excel.App()->Workbooks()->Item(4)->Name(), "Plan.xlsx");
    EXPECT_EQ(excel.App()->Workbooks()->Item(5)->Name(), "Alt.xlsx");
    EXPECT_EQ(excel.App()->Workbooks()->Count(), 5);

    Menu().ChooseNextByCaption("Neue Arbeitsmappe");
    Tree().PressAt(Tree().EmptyPoint(), vb::kRightButton);
    EXPECT_EQ(excel.App()->Workbooks()->Count(), 6);
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

    ui.TypeNext("Januar");  // its own name unchanged is refused the same way
    Choose("wb1|1", "Umbennen");
    EXPECT_EQ(Messages().back().prompt, "Ein Tabellenblatt mit dem Namen JANUAR existiert bereits");

    ui.CancelNext();
    Choose("wb1|1", "Umbennen");
    ui.TypeNext("februar");  // passes the check; the host refuses it, silently
    Choose("wb1|1", "Umbennen");
    EXPECT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Row("wb1|1").text, "Januar");

    ui.TypeNext("Übersicht");
    Choose("wb1|1", "Umbennen");
    EXPECT_EQ(Row("wb1|1").text, "Übersicht");
    EXPECT_EQ(SheetNames(umsatz), (std::vector<std::string>{"Übersicht", "Februar"}));
}

TEST_F(NodeMenuTest, NamesAreRenamedAndDeletedInPlace) {
    auto& ui = platform.HeadlessUi();
    ui.TypeNext("Daten");  // its own name: nothing happens
    Choose("wb1#1", "Umbennen");
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

TEST_F(NodeMenuTest, CopiesLandBehindTheLastSheetAndNewWorkbooksTakeTheRest) {
    excel.AddChartSheet(umsatz, "Diagramm1");
    Choose("wb1|1", "Kopieren");
    EXPECT_EQ(SheetNames(umsatz),
              (std::vector<std::string>{"Januar", "Februar", "Diagramm1", "Januar (2)"}));

    Choose("wb1|2", "Kopieren in neue Mappe");
    EXPECT_EQ(excel.App()->Workbooks()->Count(), 3);
    EXPECT_EQ(SheetNames(excel.App()->ActiveWorkbook()), (std::vector<std::string>{"Februar"}));

    Choose("wb1|2", "Verschieben in neue Mappe");
    EXPECT_EQ(excel.App()->Workbooks()->Count(), 4);
    EXPECT_EQ(SheetNames(umsatz), (std::vector<std::string>{"Januar", "Diagramm1", "Januar (2)"}));
}

TEST_F(NodeMenuTest, SavingAskesForAPlaceOnlyTheFirstTime) {
    Choose("wb1", "Speichern");
    EXPECT_EQ(excel.User().CountAsked(embedded::QuestionKind::SaveAs), 0u);
    EXPECT_TRUE(excel.Saved(umsatz));

    // A new workbook: the host's save dialog, then the tree shows the file's name.
    excel.User().saveAsAnswers.push(std::string("C:\\Daten\\Plan.xlsx"));
    mappe->Activate();
    Choose("wb2", "Speichern");
    EXPECT_EQ(excel.User().CountAsked(embedded::QuestionKind::SaveAs), 1u);
    EXPECT_EQ(Row("wb2").text, "Plan.xlsx");
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
    EXPECT_EQ(ui.PendingAnswers(), 1u);
    EXPECT_GT(excel.TotalCalls(), callsBefore);  // tried, and failed quietly
    EXPECT_EQ(excel.App()->Workbooks()->Count(), 1);
}

TEST_F(NodeMenuTest, ProtectingAsksForAPasswordAndShowsItInTheNode) {
    auto& dialogs = platform.DialogUser();
    dialogs.Next("frmPwd").Type("txtPwd", "geheim").Press("mnuOk");
    Choose("wb1|1", "Blattschutz");
    EXPECT_EQ(Row("wb1|1").text, "Januar (******)");
    EXPECT_TRUE(umsatz->Worksheets()->Item(1)->ProtectContents());
    EXPECT_EQ(component.ActivePwdForm, nullptr);

    // Unprotecting asks the host's own password question.
    excel.User().passwordAnswers.push(std::string("geheim"));
    Choose("wb1|1", "Blattschutz aufheben");
    EXPECT_EQ(Row("wb1|1").text, "Januar");
    EXPECT_FALSE(umsatz->Worksheets()->Item(1)->ProtectContents());

    dialogs.Next("frmPwd").Press("mnuOk");  // empty: protected without password
    Choose("wb1|2", "Blattschutz");
    EXPECT_EQ(Row("wb1|2").text, "Februar (geschützt)");

    dialogs.Next("frmPwd").Type("txtPwd", "x").Press("mnuCancel");
    Choose("wb1|1", "Blattschutz");
    dialogs.Next("frmPwd").CloseBox();
    Choose("wb1|1", "Blattschutz");
    EXPECT_EQ(Row("wb1|1").text, "Januar");
    EXPECT_FALSE(umsatz->Worksheets()->Item(1)->ProtectContents());
    EXPECT_EQ(component.ActivePwdForm, nullptr);
    EXPECT_TRUE(dialogs.ScriptErrors().empty());
}

TEST_F(NodeMenuTest, TheTabColourPickerMarksTheCurrentColourAndSetsTheChosenOne) {
    auto& dialogs = platform.DialogUser();
    const SheetPtr januar = umsatz->Worksheets()->Item(1);
    dialogs.Next("frmColIndex").Click("picCol", 3).Press("mnuOk");
    Choose("wb1|1", "Registerfarbe");
    EXPECT_EQ(januar->Tab()->ColorIndex(), 3);
    EXPECT_EQ(dialogs.LastShowing().caption, "Januar");
    EXPECT_EQ(dialogs.LastShowing().Control("picCol", 3).borderStyle, 0);  // no colour yet: no mark

    dialogs.Next("frmColIndex").Press("mnuCancel");
    Choose("wb1|1", "Registerfarbe");
    EXPECT_EQ(dialogs.LastShowing().Control("picCol", 3).borderStyle, 1);
    EXPECT_EQ(januar->Tab()->ColorIndex(), 3);

    dialogs.Next("frmColIndex").Press("mnuRetour");
    Choose("wb1|1", "Registerfarbe");
    EXPECT_EQ(januar->Tab()->ColorIndex(), xl::kColorIndexNone);
    EXPECT_TRUE(dialogs.ScriptErrors().empty());
}

TEST_F(NodeMenuTest, InfoInThePaneMenuShowsTheAboutBox) {
    platform.DialogUser().Next("frmAbout").Press("mnuOk");
    Menu().ChooseNextByCaption("Info");
    Tree().PressAt(Tree().EmptyPoint(), vb::kRightButton);
    EXPECT_EQ(platform.DialogUser().LastShowing().caption, "Info zu Brackwell");
}

}  // namespace
}  // namespace brackwell::testing
