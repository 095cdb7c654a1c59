// The call gate: counters by "Class.Method", injected failures, and what
// happens to held objects when the host goes away.

#include <stdexcept>

#include "tests/embedded/host_test_support.h"

namespace brackwell::embedded::testing {
namespace {

TEST_F(HostTest, TheGateCountsPortCallsOnlyAndFailsTheNthCallFromNowLeavingTheModelAlone) {
    auto wb = host.CreateWorkbook("Mappe1", {"Tabelle1", "Tabelle2"});
    host.AddName(wb, "Daten", "=Tabelle1!$A$1");
    EXPECT_EQ(host.TotalCalls(), 0) << "set-up is no call";
    auto sheets = app->Workbooks()->Item(1)->Worksheets();
    auto sheet = sheets->Item(1);
    sheet->Copy(nullptr, sheets->Item(2));  // renames, names and events inside are not calls
    EXPECT_EQ(host.TotalCalls(), 6);
    EXPECT_EQ(host.Calls("Sheets.Item"), 2);
    EXPECT_EQ(host.Calls("Sheet.Name"), 0);

    host.ResetCalls();
    sheet->Name();
    host.FailOn("Sheet.Name", 2, err::kHost, "Eingeschleuster Fehler");
    host.FailOn("Sheet.Name", 3, err::kObjectNotSet, "Zweiter Fehler");
    EXPECT_EQ(sheet->Name(), "Tabelle1");
    EXPECT_EQ(DescriptionOf([&] { sheet->Name(); }), "Eingeschleuster Fehler");
    EXPECT_EQ(ErrorOf([&] { sheet->Name(); }), err::kObjectNotSet);
    EXPECT_EQ(sheet->Name(), "Tabelle1");
    EXPECT_EQ(host.Calls("Sheet.Name"), 5) << "failed calls count too";
    host.FailOn("Sheet.SetName", 1, err::kHost, "nein");
    EXPECT_EQ(ErrorOf([&] { sheet->SetName("Umsatz"); }), err::kHost);
    EXPECT_EQ(sheet->Name(), "Tabelle1");
    EXPECT_THROW(host.FailOn("Sheet.Name", 0, err::kHost, ""), std::invalid_argument);

    host.FailAlways("Workbook.Name", err::kDisconnected, "Automatisierungsfehler");
    EXPECT_EQ(ErrorOf([&] { wb->Name(); }), err::kDisconnected);
    EXPECT_EQ(ErrorOf([&] { wb->Name(); }), err::kDisconnected);
    host.ClearFaults();
    EXPECT_EQ(wb->Name(), "Mappe1");
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
    }
    EXPECT_EQ(ErrorOf([&] { wb->Name(); }), err::kDisconnected);
    EXPECT_EQ(ErrorOf([&] { app->Workbooks(); }), err::kDisconnected);
    connection.reset();  // detaching from a host that is gone is harmless
}

}  // namespace
}  // namespace brackwell::embedded::testing
