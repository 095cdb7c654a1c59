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

TEST_F(MenuCommands, EachAsksTheHostAndShowsItsRefusalsOpenGoesOnPastADamagedFileAndSomeNeedAWorkbook) {
    PutFile("C:\\Daten\\A.xlsx", "Eins");
    PutFile("C:\\Daten\\Kaputt.xlsx", "Zwei");
    excel.MemoryFiles().MakeUnreadable("C:\\Daten\\Kaputt.xlsx");
    PutFile("C:\\Daten\\Bericht.xlsx", "Drei", /*readOnly=*/true);
    excel.User().openFileAnswers.push(Names{"C:\\Daten\\A.xlsx", "C:\\Daten\\Kaputt.xlsx", "C:\\Daten\\Bericht.xlsx"});
    EXPECT_TRUE(Run(kCommandOpen));
    EXPECT_EQ(WorkbookNames(), (Names{"A.xlsx", "Bericht.xlsx"}));
    ExpectOneFailure(err::kHost, "Kaputt.xlsx");

    EXPECT_TRUE(Run(kCommandSave));
    ExpectOneFailure(err::kHost, "'Bericht.xlsx' ist schreibgeschützt");
    excel.User().saveAsAnswers.push("C:\\Daten\\Kopie.xlsx");
    EXPECT_TRUE(Run(kCommandSaveAs));
    EXPECT_EQ(app->ActiveWorkbook()->FullName(), "C:\\Daten\\Kopie.xlsx");

    EXPECT_TRUE(Run(kCommandNewWorksheet));
    EXPECT_EQ(app->ActiveWorkbook()->Worksheets()->Count(), 2);
    excel.User().closeAnswers.push(embedded::CloseAnswer::Cancel);
    EXPECT_TRUE(Run(kCommandClose));
    ExpectOneFailure(err::kHost);  // the host's refusal of Close
    EXPECT_EQ(WorkbookNames(), (Names{"A.xlsx", "Kopie.xlsx"}));
    EXPECT_TRUE(Run(kCommandNew));
    EXPECT_EQ(app->ActiveWorkbook()->Name(), "Mappe1");
    EXPECT_FALSE(Run(kCommandExit));  // not the host's

    // Without a workbook the commands that need one say so instead of failing silently.
    for (const WorkbookPtr& wb : app->Workbooks()->Enumerate()) wb->Close(false);
    for (int command : {kCommandSave, kCommandClose, kCommandNewWorksheet}) {
        EXPECT_TRUE(Run(command));
        ExpectOneFailure(err::kObjectNotSet);
    }
    EXPECT_TRUE(failures.empty());
}

}  // namespace
}  // namespace brackwell::demo
