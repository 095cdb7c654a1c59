// The menu's commands on the embedded host: each asks the host what Excel's
// own command would, so the host's events and failures are what the user sees.

#include <gtest/gtest.h>

#include "adapters/embedded/embedded_excel.h"
#include "apps/demo/menu_commands.h"

namespace brackwell::demo {
namespace {

using Names = std::vector<std::string>;

class MenuCommands : public ::testing::Test {
protected:
    embedded::EmbeddedExcel excel;
    ApplicationPtr app = excel.App();
    std::vector<AutomationError> failures;

    bool Run(int command) {
        return RunHostCommand(command, *app, [this](const AutomationError& e) { failures.push_back(e); });
    }

    Names WorkbookNames() {
        Names names;
        for (const auto& wb : app->Workbooks()->Enumerate()) names.push_back(wb->Name());
        return names;
    }

    static embedded::WorkbookContent FileWith(const std::string& sheet) {
        embedded::WorkbookContent content;
        content.sheets.emplace_back();
        content.sheets.back().name = sheet;
        return content;
    }
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
    excel.MemoryFiles().Put("C:\\Daten\\A.xlsx", FileWith("Eins"));
    excel.MemoryFiles().Put("C:\\Daten\\Kaputt.xlsx", FileWith("Zwei"));
    excel.MemoryFiles().MakeUnreadable("C:\\Daten\\Kaputt.xlsx");
    excel.MemoryFiles().Put("C:\\Daten\\B.xlsx", FileWith("Drei"));
    excel.User().openFileAnswers.push(Names{"C:\\Daten\\A.xlsx", "C:\\Daten\\Kaputt.xlsx", "C:\\Daten\\B.xlsx"});

    EXPECT_TRUE(Run(kCommandOpen));

    EXPECT_EQ(WorkbookNames(), (Names{"A.xlsx", "B.xlsx"}));
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].Number(), err::kHost);
    EXPECT_NE(failures[0].Description().find("Kaputt.xlsx"), std::string::npos);

    failures.clear();
    EXPECT_TRUE(Run(kCommandOpen));  // the user cancels: nothing changes, nothing to say
    EXPECT_EQ(WorkbookNames(), (Names{"A.xlsx", "B.xlsx"}));
    EXPECT_TRUE(failures.empty());
}

TEST_F(MenuCommands, SavingAReadOnlyWorkbookShowsTheHostsRefusal) {
    excel.MemoryFiles().Put("C:\\Daten\\Bericht.xlsx", FileWith("Tabelle1"), /*readOnly=*/true);
    app->Workbooks()->Open("C:\\Daten\\Bericht.xlsx");

    EXPECT_TRUE(Run(kCommandSave));
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].Number(), err::kHost);
    EXPECT_NE(failures[0].Description().find("'Bericht.xlsx' ist schreibgeschützt"), std::string::npos);
    EXPECT_EQ(excel.MemoryFiles().SaveCount(), 0);

    // Speichern unter asks for a new name and writes there.
    excel.User().saveAsAnswers.push("C:\\Daten\\Kopie.xlsx");
    EXPECT_TRUE(Run(kCommandSaveAs));
    EXPECT_EQ(app->ActiveWorkbook()->FullName(), "C:\\Daten\\Kopie.xlsx");
    EXPECT_EQ(failures.size(), 1u);
}

TEST_F(MenuCommands, CloseAsksAndACancelKeepsTheWorkbookOpen) {
    auto wb = excel.CreateWorkbook("Umsatz.xlsx", {"Januar"}, "C:\\Daten");
    excel.SetSaved(wb, false);
    excel.User().closeAnswers.push(embedded::CloseAnswer::Cancel);
    EXPECT_TRUE(Run(kCommandClose));
    EXPECT_EQ(WorkbookNames(), (Names{"Umsatz.xlsx"}));
    ASSERT_EQ(failures.size(), 1u);  // the host's refusal of Close
    EXPECT_EQ(failures[0].Number(), err::kHost);

    excel.User().closeAnswers.push(embedded::CloseAnswer::No);
    EXPECT_TRUE(Run(kCommandClose));
    EXPECT_TRUE(WorkbookNames().empty());

    // Without a workbook the commands that need one say so instead of failing silently.
    failures.clear();
    for (int command : {kCommandSave, kCommandClose, kCommandNewWorksheet}) EXPECT_TRUE(Run(command));
    ASSERT_EQ(failures.size(), 3u);
    for (const AutomationError& e : failures) EXPECT_EQ(e.Number(), err::kObjectNotSet);
}

}  // namespace
}  // namespace brackwell::demo
