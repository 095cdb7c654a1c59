// The pane toolbar: its buttons and drop-down items act on the tree's
// selected node; closing all goes through every open workbook.

#include <gtest/gtest.h>

#include <functional>

#include "dialogs/frm_about.h"
#include "tests/native/navigator_fixture.h"

namespace brackwell::testing {
namespace {

class ToolbarCommandsTest : public NavigatorTest {
protected:
    void SetUp() override {
        bericht = excel.CreateWorkbook("Bericht.xlsx", {"Januar", "Februar"}, "C:\\Daten");
        excel.AddName(bericht, "Daten", "=Januar!$A$1");
        neu = excel.CreateWorkbook("Mappe2", {"Tabelle1"});
        excel.ActivateSilently(neu);
        StoreSetting("MapExpand", "True");
        ShowPane();
    }

    void Select(const std::string& key) { Tree().SetSelectedItem(Tree().Nodes().Item(key)); }
    int Count() { return excel.App()->Workbooks()->Count(); }
    // Closes all the way `key` says while the host's events wait in its
    // queue; returns how often the pane let pending events run meanwhile.
    int CloseAllWithEventsQueued(const std::string& key) {
        const int before = platform.HeadlessUi().DoEventsCount();
        excel.SetDeferEvents(true);
        Bar().ChooseMenuItem("mnuMapClose", key);
        excel.SetDeferEvents(false);
        return platform.HeadlessUi().DoEventsCount() - before;
    }

    WorkbookPtr bericht;
    WorkbookPtr neu;
};

TEST_F(ToolbarCommandsTest, WithoutSelectionOnlyTheGlobalCommandsAct) {
    // A rebuild selects the active sheet again: clear the selection before each click.
    const auto unselected = [&](const std::function<void()>& click) {
        Tree().SetSelectedItem(nullptr);
        click();
    };
    unselected([&] { Bar().Click("mnuSave"); });
    unselected([&] { Bar().Click("mnuMapClose"); });
    unselected([&] { Bar().Click("mnuTabDel"); });
    unselected([&] { Bar().ChooseMenuItem("mnuNew", "newTab"); });
    unselected([&] { Bar().Click("mnuNew"); });  // the button itself creates nothing
    for (const char* call : {"Workbook.Save", "Workbook.Close", "Sheet.Delete", "Sheets.Add"})
        EXPECT_EQ(excel.Calls(call), 0) << call;

    unselected([&] { Bar().ChooseMenuItem("mnuNew", "newMap"); });
    EXPECT_EQ(Count(), 3);
    unselected([&] { Bar().Click("mnuOpen"); });
    EXPECT_EQ(excel.User().CountAsked(embedded::QuestionKind::OpenFile), 1u);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ToolbarCommandsTest, SheetAndNameSelectionsActOnTheirWorkbook) {
    // Each click acts on the selection at that moment (a press selects; a rebuild
    // selects the active sheet), so each is preceded by its selection.
    excel.SetSheetProtection(bericht->Worksheets()->Item(1), true);  // no event: stale
    excel.FailOn("Workbook.Save", 1, 1004, "Speichern fehlgeschlagen");
    Select("wb1");
    Bar().Click("mnuSave");
    EXPECT_EQ(Row("wb1|1").text, "Januar (geschützt)") << "rebuilt, though the save failed";
    EXPECT_TRUE(Messages().empty());

    excel.SetSaved(bericht, false);
    Select("wb1|2");  // not the active workbook
    Bar().Click("mnuSave");
    EXPECT_TRUE(excel.Saved(bericht));
    Select("wb1|2");
    Bar().ChooseMenuItem("mnuNew", "newTab");
    EXPECT_EQ(bericht->Worksheets()->Count(), 3);

    Select("wb1#1");
    Bar().Click("mnuTabDel");  // a name is no sheet: nothing is deleted
    EXPECT_EQ(excel.Calls("Sheet.Delete"), 0);

    Select("wb1|3");
    Bar().Click("mnuTabDel");
    EXPECT_EQ(bericht->Worksheets()->Count(), 2);
    EXPECT_EQ(excel.User().CountAsked(embedded::QuestionKind::DeleteSheet), 1u);

    Select("wb1#1");
    Bar().Click("mnuMapClose");
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(excel.App()->Workbooks()->Item(1)->Name(), "Mappe2");
}

TEST_F(ToolbarCommandsTest, ASheetFoundByTypingIsTheOneTheToolbarActsOn) {
    Tree().Nodes().Item("wb1")->SetExpanded(false);
    Tree().TypeKeys(U"FEB", 0);
    EXPECT_EQ(excel.App()->ActiveSheet()->Name(), "Tabelle1") << "typing only selects";
    Bar().Click("mnuTabDel");
    EXPECT_EQ(SheetNames(bericht), std::vector<std::string>{"Januar"});
}

// Without saving: hidden workbooks too, no question, nothing written; the
// host's events wait until the command is over.
TEST_F(ToolbarCommandsTest, ClosingAllWithoutSavingTakesHiddenWorkbooksAndAsksNothing) {
    auto personal = excel.CreateWorkbook("PERSONAL.XLSB", {"Tabelle1"}, "C:\\Start");
    excel.SetWindowVisible(personal, false);
    excel.SetSaved(bericht, false);
    EXPECT_EQ(CloseAllWithEventsQueued("closeAllSaveNo"), 0);
    EXPECT_EQ(Count(), 0);
    EXPECT_TRUE(excel.User().asked.empty());
    EXPECT_FALSE(excel.Saved(bericht));
    EXPECT_EQ(excel.MemoryFiles().SaveCount(), 0);

    ASSERT_TRUE(excel.HasPendingEvents());
    excel.RunPendingEvents();
    EXPECT_TRUE(Keys().empty());
}

TEST_F(ToolbarCommandsTest, ClosingAllWithSavingSavesEachAndAsksWhereForTheNewOne) {
    excel.SetSaved(bericht, false);
    excel.SetSaved(neu, false);
    excel.User().saveAsAnswers.push(std::string("C:\\Daten\\Neu.xlsx"));
    EXPECT_EQ(CloseAllWithEventsQueued("closeAllSaveYes"), 0);
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(excel.User().CountAsked(embedded::QuestionKind::SaveAs), 1u);
    EXPECT_TRUE(excel.MemoryFiles().Exists("C:\\Daten\\Bericht.xlsx"));
    EXPECT_TRUE(excel.MemoryFiles().Exists("C:\\Daten\\Neu.xlsx"));
}

// Asking: the events of each close run before the next one.
TEST_F(ToolbarCommandsTest, ClosingAllWithQuestionsSkipsTheOneTheUserKeeps) {
    excel.SetSaved(bericht, false);
    excel.SetSaved(neu, false);
    auto dritte = excel.CreateWorkbook("Dritte.xlsx", {"Tabelle1"}, "C:\\Daten");
    excel.SetSaved(dritte, false);
    excel.User().closeAnswers.push(embedded::CloseAnswer::No);
    excel.User().closeAnswers.push(embedded::CloseAnswer::Cancel);  // Mappe2 stays open
    excel.User().closeAnswers.push(embedded::CloseAnswer::Yes);
    EXPECT_GE(CloseAllWithEventsQueued("closeAll"), 3);
    EXPECT_FALSE(excel.HasPendingEvents());
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(excel.App()->Workbooks()->Item(1)->Name(), "Mappe2");
    EXPECT_TRUE(excel.Saved(dritte));
    EXPECT_EQ(excel.User().CountAsked(embedded::QuestionKind::SaveChanges), 3u);
}

TEST_F(ToolbarCommandsTest, InfoHomepageAndOptions) {
    auto& dialogs = platform.DialogUser();
    dialogs.Next("frmAbout").Press("mnuOk");
    Bar().Click("mnuInfo");
    dialogs.Next("frmAbout").Press("mnuOk");
    Bar().ChooseMenuItem("mnuInfo", "mnuInfo");
    EXPECT_EQ(dialogs.Showings().size(), 2u);

    Bar().ChooseMenuItem("mnuInfo", "mnuLink");
    ASSERT_EQ(platform.System().ShellExecuteCalls().size(), 1u);
    EXPECT_EQ(platform.System().ShellExecuteCalls()[0].file, std::string("http://") + kHomepage);
    EXPECT_EQ(platform.System().ShellExecuteCalls()[0].window, 0);

    // Cancelled, the bar and the menus take the theme again, and the tree is
    // rebuilt (the stale protection shows).
    Bar().SetVisualStyle(2);
    ASSERT_FALSE(Menu().VisualStyle());
    excel.SetSheetProtection(neu->Worksheets()->Item(1), true);
    dialogs.Next("frmOptions").Click("optXP").Press("mnuCancel");
    Bar().ChooseMenuItem("mnuInfo", "mnuOpt");
    EXPECT_EQ(Bar().VisualStyle(), 3);
    EXPECT_EQ(Menu().VisualStyle(), 4);
    EXPECT_EQ(Row("wb2|1").text, "Tabelle1 (geschützt)");

    // A store that refuses OK's write: the dialog has closed, and the pane
    // takes the new values all the same, without a word; nothing is stored.
    Store().RefuseWrites(true);
    excel.SetSheetProtection(neu->Worksheets()->Item(1), false);
    dialogs.Next("frmOptions").Click("optXP").Press("mnuOk");
    Bar().ChooseMenuItem("mnuInfo", "mnuOpt");
    EXPECT_EQ(Bar().VisualStyle(), 2);
    EXPECT_EQ(Menu().VisualStyle(), 2);
    EXPECT_EQ(Row("wb2|1").text, "Tabelle1");
    EXPECT_EQ(Store().GetSetting("Brackwell", "Settings", "Theme", "nichts"), "nichts");
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(dialogs.ScriptErrors().empty());
}

}  // namespace
}  // namespace brackwell::testing
