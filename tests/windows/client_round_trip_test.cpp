// The host adapter driving the embedded host through the facade: every port
// call crosses IDispatch twice (client -> facade -> port) and must arrive with
// its values, and every failure must come back with its number and text.

#include <gtest/gtest.h>

#include "tests/windows/facade_fixture.h"

namespace brackwell::win::test {
namespace {

using ClientRoundTrip = FacadeTest;

std::vector<std::string> SheetOrder(embedded::EmbeddedExcel& host, const WorkbookPtr& book) {
    std::vector<std::string> order;
    for (const auto& sheet : host.Snapshot(book).sheets) order.push_back(sheet.name);
    return order;
}

TEST_F(ClientRoundTrip, ApplicationWorkbookAndUnicodeSheetValuesArrive) {
    host.SetHwnd(0x000A0B2C);
    EXPECT_EQ(client->Version(), "11.0");
    EXPECT_EQ(client->Hwnd(), 0x000A0B2C);
    EXPECT_EQ(client->ActiveWorkbook()->Name(), "Umsatz.xlsx");
    EXPECT_EQ(client->ActiveSheet()->Name(), "Übersicht");
    host.CreateWorkbook("Mappe1");
    host.SetWindowVisible(book, false);
    const WorkbooksPtr workbooks = client->Workbooks();
    EXPECT_EQ(workbooks->Count(), 2);
    const WorkbookPtr first = workbooks->Item(1);
    EXPECT_EQ(first->FullName() + "|" + first->Path(), "C:\\Daten\\Umsatz.xlsx|C:\\Daten");
    EXPECT_FALSE(first->IsAddin());
    EXPECT_EQ(first->Windows()->Count(), 1);
    EXPECT_FALSE(first->Windows()->Item(1)->Visible());
    EXPECT_EQ(workbooks->ItemByName("Mappe1")->Path(), "");
    std::vector<std::string> names;
    for (const WorkbookPtr& workbook : workbooks->Enumerate()) names.push_back(workbook->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"Umsatz.xlsx", "Mappe1"}));

    const SheetsPtr sheets = first->Worksheets();
    EXPECT_EQ(sheets->ItemByName("売上")->Name(), "売上");
    sheets->Item(2)->SetName("Prüfung 売上 ß");
    EXPECT_EQ(host.Snapshot(book).sheets[1].name, "Prüfung 売上 ß");
    EXPECT_EQ(first->Sheets()->Item(2)->Name(), "Prüfung 売上 ß");
}

TEST_F(ClientRoundTrip, SheetOperationsReachTheHostWithTheirValues) {
    host.AddChartSheet(book, "Diagramm1");
    const WorkbookPtr workbook = client->Workbooks()->ItemByName("Umsatz.xlsx");
    const SheetPtr overview = workbook->Worksheets()->Item(1);
    overview->Tab()->SetColorIndex(5);
    overview->Protect(std::string("geheim"));
    EXPECT_TRUE(overview->ProtectContents());
    EXPECT_EQ(host.Snapshot(book).sheets[0].password, "geheim");
    EXPECT_EQ(overview->Tab()->ColorIndex(), 5);
    overview->Unprotect(std::string("geheim"));
    EXPECT_FALSE(host.Snapshot(book).sheets[0].protectedContents);

    EXPECT_EQ(workbook->Sheets()->Count(), 4);  // the chart sheet counts among Sheets
    EXPECT_EQ(workbook->Worksheets()->Count(), 3);
    const SheetPtr added = workbook->Worksheets()->Add();
    added->Move(nullptr, workbook->Worksheets()->ItemByName("Daten"));
    workbook->Worksheets()->Item(2)->Activate();
    EXPECT_EQ(host.CurrentSelection().sheet, "売上");
    workbook->Worksheets()->ItemByName("Daten")->Delete();
    EXPECT_EQ(SheetOrder(host, book), (std::vector<std::string>{"Übersicht", "売上", added->Name(), "Diagramm1"}));

    // Copy without an anchor goes into a new workbook; a foreign anchor is refused.
    embedded::EmbeddedExcel other;
    const WorkbookPtr foreign = other.CreateWorkbook("Fremd");
    EXPECT_EQ(ErrorOf([&] { overview->Copy(foreign->Worksheets()->Item(1), nullptr); }).Number(),
              err::kTypeMismatch);
    EXPECT_EQ(ErrorOf([&] { overview->Copy(overview, overview); }).Number(), err::kInvalidCall);
    workbook->Worksheets()->Item(2)->Copy(nullptr, nullptr);
    EXPECT_EQ(client->Workbooks()->Count(), 2);
    EXPECT_EQ(client->ActiveWorkbook()->Worksheets()->Item(1)->Name(), "売上");
}

// A name's range goes back to the host through Goto, as the host's own
// object; a hidden name reads Visible False.
TEST_F(ClientRoundTrip, DefinedNamesArriveAndTheirRangesGoBackThroughGoto) {
    host.AddName(book, "Daten", "=Übersicht!$A$1:$B$9");
    host.AddName(book, "Lokal", "=売上!$C$3", book->Worksheets()->Item(2));
    const DefinedNamesPtr names = client->ActiveWorkbook()->Names();
    ASSERT_EQ(names->Count(), 2);
    EXPECT_EQ(names->Item(1)->RefersTo(), "=Übersicht!$A$1:$B$9");
    EXPECT_EQ(names->Item(2)->Name(), "売上!Lokal");
    client->Goto(names->Item(2)->RefersToRange());
    EXPECT_EQ(host.CurrentSelection().sheet + host.CurrentSelection().range, "売上$C$3");
    client->Goto("Übersicht!R2C2");
    EXPECT_EQ(host.CurrentSelection().sheet + host.CurrentSelection().range, "Übersicht$B$2");
    names->Item(1)->SetName("Umsätze");
    EXPECT_EQ(host.Snapshot(book).names[0].name, "Umsätze");
    names->Item(1)->Delete();
    EXPECT_EQ(host.Snapshot(book).names.size(), 1u);

    host.SetNameVisible(host.AddName(book, "_xlnm._FilterDatabase", "=#REF!", book->Worksheets()->Item(3)), false);
    EXPECT_EQ(names->Item(1)->Name(), "Daten!_FilterDatabase");
    EXPECT_FALSE(names->Item(1)->Visible());
    EXPECT_EQ(ErrorOf([&] { names->Item(1)->RefersToRange(); }).Number(), err::kHost);
}

TEST_F(ClientRoundTrip, OpenAddSaveAndCloseWithAndWithoutSaveChanges) {
    embedded::WorkbookContent plan;
    plan.sheets.push_back(embedded::SheetContent{});
    plan.sheets[0].name = "Jänner";
    host.MemoryFiles().Put("C:\\Daten\\Plan.xlsx", plan);
    EXPECT_EQ(client->Workbooks()->Open("C:\\Daten\\Plan.xlsx")->Worksheets()->Item(1)->Name(), "Jänner");
    const WorkbookPtr added = client->Workbooks()->Add();
    EXPECT_EQ(client->ActiveWorkbook()->Name(), added->Name());
    host.SetSaved(book, false);
    client->Workbooks()->Item(1)->Save();
    EXPECT_TRUE(host.Saved(book));

    host.SetSaved(book, false);
    host.User().closeAnswers.push(embedded::CloseAnswer::No);
    client->Workbooks()->ItemByName("Umsatz.xlsx")->Close(std::nullopt);  // the host asks
    EXPECT_EQ(host.User().CountAsked(embedded::QuestionKind::SaveChanges), 1u);
    client->Workbooks()->ItemByName("Plan.xlsx")->Close(false);
    added->Close(false);
    EXPECT_EQ(host.User().CountAsked(embedded::QuestionKind::SaveChanges), 1u);
    EXPECT_EQ(client->Workbooks()->Count(), 0);
    EXPECT_FALSE(client->ActiveWorkbook());
    EXPECT_FALSE(client->ActiveSheet());
}

TEST_F(ClientRoundTrip, CommandBarSettingsArrive) {
    const CommandBarPtr bar = client->CommandBars()->Add("BrackwellBar", xl::kBarLeft, false, true);
    bar->SetProtection(1);
    bar->SetVisible(true);
    const CommandBarButtonPtr button = bar->Controls()->Add(xl::kControlButton);
    button->SetCaption("Navigator");
    button->SetStyle(xl::kButtonIconAndWrapCaption);
    button->SetTooltipText("Navigator ein/aus");
    button->SetFaceId(5);
    button->SetEnabled(true);
    button->SetHeight(40);
    button->SetWidth(30);
    button->SetOnAction("UpdateNav");
    const auto view = host.FindCommandBar("BrackwellBar");
    ASSERT_TRUE(view);
    EXPECT_TRUE(view->visible);
    EXPECT_TRUE(view->temporary);
    EXPECT_EQ(view->protection, 1);
    ASSERT_EQ(view->buttons.size(), 1u);
    const auto& shown = view->buttons[0];
    EXPECT_EQ(shown.caption + "|" + shown.tooltip + "|" + shown.onAction, "Navigator|Navigator ein/aus|UpdateNav");
    EXPECT_EQ(std::vector<int>({shown.style, shown.faceId, shown.height, shown.width}), std::vector<int>({7, 5, 40, 30}));
    bar->Delete();
    EXPECT_FALSE(host.FindCommandBar("BrackwellBar"));
}

TEST_F(ClientRoundTrip, FailuresKeepTheirNumberAndDescription) {
    // The host's own refusals: each call once directly on the port, once through IDispatch.
    const ApplicationPtr direct = host.App();
    const std::vector<std::function<void(const ApplicationPtr&)>> refusals = {
        [](const ApplicationPtr& app) { app->ActiveWorkbook()->Worksheets()->Item(1)->SetName("a/b"); },
        [](const ApplicationPtr& app) { app->ActiveWorkbook()->Worksheets()->Item(1)->SetName("売上"); },
        [](const ApplicationPtr& app) { app->Workbooks()->Item(7); },
        [](const ApplicationPtr& app) { app->Workbooks()->ItemByName("Fehlt.xlsx"); },
        [](const ApplicationPtr& app) { app->Workbooks()->Open("C:\\Fehlt.xlsx"); },
        [](const ApplicationPtr& app) { app->Dialogs()->Item(1)->Show(); },
    };
    for (std::size_t i = 0; i < refusals.size(); ++i) {
        const AutomationError expected = ErrorOf([&] { refusals[i](direct); });
        const AutomationError seen = ErrorOf([&] { refusals[i](client); });
        ASSERT_NE(expected.Number(), 0) << i;
        EXPECT_EQ(seen.Number(), expected.Number()) << i;
        EXPECT_EQ(seen.Description(), expected.Description()) << i;
    }

    // Injected ones, with a Unicode text and a number that is an HRESULT.
    host.FailAlways("Sheet.Name", 1004, "Blattname für 売上 nicht lesbar");
    host.FailAlways("Workbooks.Count", err::kDisconnected, "Objekt getrennt");
    AutomationError error = ErrorOf([&] { client->ActiveSheet()->Name(); });
    EXPECT_EQ(error.Number(), 1004);
    EXPECT_EQ(error.Description(), "Blattname für 売上 nicht lesbar");
    error = ErrorOf([&] { client->Workbooks()->Count(); });
    EXPECT_EQ(error.Number(), err::kDisconnected);
    EXPECT_EQ(error.Description(), "Objekt getrennt");
}

TEST_F(ClientRoundTrip, EachPortCallIsOneHostCall) {
    const WorkbooksPtr workbooks = client->Workbooks();
    host.ResetCalls();
    workbooks->Count();
    workbooks->Item(1)->Name();
    EXPECT_EQ(host.Calls("Workbooks.Count"), 1);
    EXPECT_EQ(host.Calls("Workbooks.Item"), 1);
    EXPECT_EQ(host.Calls("Workbook.Name"), 1);
    EXPECT_EQ(host.TotalCalls(), 3);
}

}  // namespace
}  // namespace brackwell::win::test
