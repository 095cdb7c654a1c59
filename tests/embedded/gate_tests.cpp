// The call gate: counters by "Class.Method", injected failures, and what
// happens to held objects when the host goes away.

#include <stdexcept>

#include "tests/embedded/host_test_support.h"

namespace brackwell::embedded::testing {
namespace {

using GateTest = HostTest;

TEST_F(GateTest, CountsEveryPortCallButNeitherSetUpNorTheHostsOwnWork) {
    auto wb = host.CreateWorkbook("Mappe1", {"Tabelle1", "Tabelle2"});
    host.AddName(wb, "Daten", "=Tabelle1!$A$1");
    host.AddChartSheet(wb, "Diagramm1");
    EXPECT_EQ(host.TotalCalls(), 0);

    auto sheets = app->Workbooks()->Item(1)->Worksheets();
    const int before = host.TotalCalls();
    sheets->Item(1)->Copy(nullptr, sheets->Item(2));  // renames, names and events inside are not calls
    EXPECT_EQ(host.TotalCalls() - before, 3);
    EXPECT_EQ(host.Calls("Sheets.Item"), 2);
    EXPECT_EQ(host.Calls("Sheet.Copy"), 1);
    EXPECT_EQ(host.Calls("Sheet.Name"), 0);
    host.ResetCalls();
    EXPECT_EQ(host.TotalCalls(), 0);
}

TEST_F(GateTest, FailOnHitsOnlyTheNthCallFromNowAndLeavesTheModelAlone) {
    auto wb = host.CreateWorkbook("Mappe1", {"Tabelle1"});
    auto sheet = wb->Worksheets()->Item(1);
    sheet->Name();
    host.FailOn("Sheet.Name", 2, err::kHost, "Eingeschleuster Fehler");
    host.FailOn("Sheet.Name", 3, err::kObjectNotSet, "Zweiter Fehler");
    EXPECT_EQ(sheet->Name(), "Tabelle1");
    EXPECT_EQ(DescriptionOf([&] { sheet->Name(); }), "Eingeschleuster Fehler");
    EXPECT_EQ(ErrorOf([&] { sheet->Name(); }), err::kObjectNotSet);
    EXPECT_EQ(sheet->Name(), "Tabelle1");
    EXPECT_EQ(host.Calls("Sheet.Name"), 5);  // failed calls count too

    host.FailOn("Sheet.SetName", 1, err::kHost, "nein");
    EXPECT_EQ(ErrorOf([&] { sheet->SetName("Umsatz"); }), err::kHost);
    EXPECT_EQ(sheet->Name(), "Tabelle1");
    EXPECT_TRUE(host.Saved(wb));
    EXPECT_THROW(host.FailOn("Sheet.Name", 0, err::kHost, ""), std::invalid_argument);
}

TEST_F(GateTest, FailAlwaysHoldsUntilClearedAndReachesEveryObjectOfThatClass) {
    host.CreateWorkbook("A.xlsx", {}, "C:\\");
    host.CreateWorkbook("B.xlsx", {}, "C:\\");
    auto books = app->Workbooks();
    host.FailAlways("Workbook.Name", err::kDisconnected, "Automatisierungsfehler");
    EXPECT_EQ(ErrorOf([&] { books->Item(1)->Name(); }), err::kDisconnected);
    EXPECT_EQ(ErrorOf([&] { books->Item(2)->Name(); }), err::kDisconnected);
    EXPECT_EQ(books->Item(2)->FullName(), "C:\\B.xlsx");  // other members still work
    host.FailAlways("Application.Advise", err::kHost, "keine Ereignisse");
    RecordingSink sink;
    EXPECT_EQ(ErrorOf([&] { app->Advise(sink); }), err::kHost);
    host.ClearFaults();
    EXPECT_EQ(books->Item(1)->Name(), "A.xlsx");
}

TEST(EmbeddedHostLifetime, ObjectsOutlivingTheHostFailAsDisconnected) {
    WorkbookPtr wb;
    ApplicationPtr app;
    std::unique_ptr<EventConnection> connection;
    RecordingSink sink;
    {
        EmbeddedExcel host;
        app = host.App();
        wb = host.CreateWorkbook("Mappe1");
        connection = app->Advise(sink);
        EXPECT_EQ(app, host.App());
    }
    EXPECT_EQ(ErrorOf([&] { wb->Name(); }), err::kDisconnected);
    EXPECT_EQ(ErrorOf([&] { app->Workbooks(); }), err::kDisconnected);
    connection.reset();  // detaching from a host that is gone is harmless
}

}  // namespace
}  // namespace brackwell::embedded::testing
