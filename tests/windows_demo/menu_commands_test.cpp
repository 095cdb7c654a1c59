// The menu's commands on the embedded host: each asks the host what Excel's
// own command would, so the host's events and failures are what the user sees.

#include <gtest/gtest.h>

#include "excel_standin/embedded/embedded_excel.h"
#include "apps/demo/menu_commands.h"

namespace brackwell::demo {
namespace {

using Names = std::vector<std::string>;

class MenuCommands : public ::testing::Test {
protected:
    bool Run(int command) {
        return RunHostCommand(command, *app, [this](const AutomationError& e) { failures.push_back(e); });
    }

    Names WorkbookNames() {
        Names names;
        for (const auto& wb : app->Workbooks()->Enumerate()) names.push_back(wb->Name());
        return names;
    }

    // The one failure the user was shown: its number, and whether its text holds `part`.
    void ExpectOneFailure(std::int32_t number, const std::string& part = "") {
        ASSERT_EQ(failures.size(), 1u);
        EXPECT_EQ(failures[0].Number(), number);
        EXPECT_NE(failures[0].Description().find(part), std::string::npos) << failures[0].Description();
        failures.clear();
    }

    void PutFile(const std::string& path, const std::string& sheet, bool readOnly = false) {
        embedded::WorkbookContent content;
        content.sheets.emplace_back().name = sheet;
        excel.MemoryFiles().Put(path, content, readOnly);
    }

    embedded::EmbeddedExcel excel;
    ApplicationPtr app = excel.App();
    std::vector<AutomationError> failures;
};

TEST_F(MenuCommands, NewWorkbookAndNewSheetGoToTheActiveWorkbook) {
    excel.CreateWorkbook("Umsatz.xlsx", {"Januar"}, "C:\\Daten");
    EXPECT_TRUE(Run(kCommandNew));
    EXPECT_EQ(WorkbookNames(), (Names{"Umsatz.xlsx", "Mappe1"}));
    EXPECT_EQ(app->ActiveWorkbook()->Name(), "Mappe1");

    EXPECT_TRUE(Run(kCommandNewWorksheet));
    EXPECT_EQ(app->ActiveWorkbook()->Worksheets()->Count(), 4);
    EXPECT_EQ(app->Workbooks()->ItemByName("Umsatz.xlsx")->Worksheets()->Count(), 1);
    EXPECT_TRUE(failures.empty());
    EXPECT_FALSE(Run(kCommandExit));  // not the host's
}

TEST_F(MenuCommands, OpenTakesEveryChosenFileAndRefusesADamagedOneByName) {
    PutFile("C:\\Daten\\A.xlsx", "Eins");
    PutFile("C:\\Daten\\Kaputt.xlsx", "Zwei");
    excel.MemoryFiles().MakeUnreadable("C:\\Daten\\Kaputt.xlsx");
    PutFile("C:\\Daten\\B.xlsx", "Drei");
    excel.User().openFileAnswers.push(Names{"C:\\Daten\\A.xlsx", "C:\\Daten\\Kaputt.xlsx", "C:\\Daten\\B.xlsx"});

    EXPECT_TRUE(Run(kCommandOpen));
    EXPECT_EQ(WorkbookNames(), (Names{"A.xlsx", "B.xlsx"}));
    ExpectOneFailure(err::kHost, "Kaputt.xlsx");

    EXPECT_TRUE(Run(kCommandOpen));  // the user cancels: nothing changes, nothing to say
    EXPECT_EQ(WorkbookNames(), (Names{"A.xlsx", "B.xlsx"}));
    EXPECT_TRUE(failures.empty());
}

TEST_F(MenuCommands, SavingAReadOnlyWorkbookShowsTheHostsRefusalAndSaveAsWritesElsewhere) {
    PutFile("C:\\Daten\\Bericht.xlsx", "Tabelle1", /*readOnly=*/true);
    app->Workbooks()->Open("C:\\Daten\\Bericht.xlsx");

    EXPECT_TRUE(Run(kCommandSave));
    ExpectOneFailure(err::kHost, "'Bericht.xlsx' ist schreibgeschützt");
    EXPECT_EQ(excel.MemoryFiles().SaveCount(), 0);

    excel.User().saveAsAnswers.push("C:\\Daten\\Kopie.xlsx");
    EXPECT_TRUE(Run(kCommandSaveAs));
    EXPECT_EQ(app->ActiveWorkbook()->FullName(), "C:\\Daten\\Kopie.xlsx");
    EXPECT_TRUE(failures.empty());
}

TEST_F(MenuCommands, CloseAsksAndACancelKeepsTheWorkbookOpen) {
    excel.SetSaved(excel.CreateWorkbook("Umsatz.xlsx", {"Januar"}, "C:\\Daten"), false);
    excel.User().closeAnswers.push(embedded::CloseAnswer::Cancel);
    EXPECT_TRUE(Run(kCommandClose));
    EXPECT_EQ(WorkbookNames(), (Names{"Umsatz.xlsx"}));
    ExpectOneFailure(err::kHost);  // the host's refusal of Close

    excel.User().closeAnswers.push(embedded::CloseAnswer::No);
    EXPECT_TRUE(Run(kCommandClose));
    EXPECT_TRUE(WorkbookNames().empty());

    // Without a workbook the commands that need one say so instead of failing silently.
    for (int command : {kCommandSave, kCommandClose, kCommandNewWorksheet}) {
        EXPECT_TRUE(Run(command));
        ExpectOneFailure(err::kObjectNotSet);
    }
}

}  // namespace
}  // namespace brackwell::demo
