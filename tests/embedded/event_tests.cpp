// The seven application events: when they fire and in which order.

#include "tests/embedded/host_test_support.h"

namespace brackwell::embedded::testing {
namespace {

using Events = std::vector<std::string>;

class EventTest : public HostTest {
protected:
    RecordingSink sink;
    std::unique_ptr<EventConnection> connection = app->Advise(sink);

    Events Take() {
        Events taken = std::move(sink.events);
        sink.events.clear();
        return taken;
    }
};

TEST_F(EventTest, AddOpenAndActivateAnnounceTheSwitchOfWorkbooks) {
    sink.recordWindows = true;
    auto first = app->Workbooks()->Add();
    EXPECT_EQ(Take(), (Events{"NewWorkbook(Mappe1)", "WorkbookActivate(Mappe1)", "WindowActivate(Mappe1)"}));
    auto second = app->Workbooks()->Add();
    EXPECT_EQ(Take(), (Events{"WindowDeactivate(Mappe1)", "WorkbookDeactivate(Mappe1)", "NewWorkbook(Mappe2)",
                              "WorkbookActivate(Mappe2)", "WindowActivate(Mappe2)"}));

    host.MemoryFiles().Put("C:\\Daten\\Umsatz.xlsx", FileWith({"Tabelle1"}));
    auto opened = app->Workbooks()->Open("C:\\Daten\\Umsatz.xlsx");
    EXPECT_EQ(Take(), (Events{"WindowDeactivate(Mappe2)", "WorkbookDeactivate(Mappe2)", "WorkbookOpen(Umsatz.xlsx)",
                              "WorkbookActivate(Umsatz.xlsx)", "WindowActivate(Umsatz.xlsx)"}));
    app->Workbooks()->Open("C:\\Daten\\Umsatz.xlsx");  // open already and active: nothing
    EXPECT_TRUE(Take().empty());

    first->Activate();
    EXPECT_EQ(Take(), (Events{"WindowDeactivate(Umsatz.xlsx)", "WorkbookDeactivate(Umsatz.xlsx)",
                              "WorkbookActivate(Mappe1)", "WindowActivate(Mappe1)"}));
    sink.recordWindows = false;
    first->Activate();
    EXPECT_TRUE(Take().empty());

    host.MemoryFiles().Put("C:\\XLSTART\\PERSONAL.XLSB", FileWith({"Tabelle1"}, false));
    app->Workbooks()->Open("C:\\XLSTART\\PERSONAL.XLSB");
    EXPECT_EQ(Take(), (Events{"WorkbookOpen(PERSONAL.XLSB)"}));
    EXPECT_EQ(ActiveBookName(), "Mappe1");
}

TEST_F(EventTest, SheetActivationFollowsAnyWorkbookSwitchAndIgnoresTheActiveSheet) {
    auto a = host.CreateWorkbook("A.xlsx", {"Tabelle1", "Tabelle2"}, "C:\\");
    auto b = host.CreateWorkbook("B.xlsx", {"Tabelle1", "Tabelle2"}, "C:\\");
    Events seenActive;  // what a handler finds active at each workbook event
    sink.onWorkbookEvent = [&](const std::string&, const WorkbookPtr&) { seenActive.push_back(ActiveBookName()); };
    a->Worksheets()->Item(2)->Activate();
    EXPECT_EQ(Take(), (Events{"WorkbookDeactivate(B.xlsx)", "WorkbookActivate(A.xlsx)", "SheetActivate(Tabelle2)"}));
    EXPECT_EQ(seenActive, (Events{"B.xlsx", "A.xlsx"}));
    a->Worksheets()->Item(2)->Activate();
    EXPECT_TRUE(Take().empty());
    // B's own active sheet: only the workbook switch is news.
    b->Worksheets()->Item(1)->Activate();
    EXPECT_EQ(Take(), (Events{"WorkbookDeactivate(A.xlsx)", "WorkbookActivate(B.xlsx)"}));
    EXPECT_EQ(ActiveSheetName(), "Tabelle1");
}

TEST_F(EventTest, NewSheetsAreActivatedOnlyInTheActiveWorkbookCopiesAndMovesWhereTheyLand) {
    auto c = host.CreateWorkbook("C.xlsx", {}, "C:\\");
    auto d = host.CreateWorkbook("D.xlsx", {}, "C:\\");
    d->Worksheets()->Add();
    EXPECT_EQ(Take(), (Events{"WorkbookNewSheet(D.xlsx,Tabelle4)", "SheetActivate(Tabelle4)"}));
    c->Worksheets()->Add();
    EXPECT_EQ(Take(), (Events{"WorkbookNewSheet(C.xlsx,Tabelle4)"}));

    auto a = host.CreateWorkbook("A.xlsx", {"Tabelle1", "Tabelle2"}, "C:\\");
    auto b = host.CreateWorkbook("B.xlsx", {"Tabelle1"}, "C:\\");
    b->Worksheets()->Item(1)->Copy(nullptr, b->Worksheets()->Item(1));
    EXPECT_EQ(Take(), (Events{"SheetActivate(Tabelle1 (2))"}));

    b->Worksheets()->Item(1)->Copy(nullptr, a->Worksheets()->Item(2));
    EXPECT_EQ(Take(), (Events{"WorkbookDeactivate(B.xlsx)", "WorkbookActivate(A.xlsx)", "SheetActivate(Tabelle1 (2))"}));

    a->Worksheets()->Item(2)->Move(nullptr, nullptr);
    EXPECT_EQ(Take(), (Events{"WorkbookDeactivate(A.xlsx)", "NewWorkbook(Mappe1)", "WorkbookActivate(Mappe1)",
                              "SheetActivate(Tabelle2)"}));
}

TEST_F(EventTest, ClosingTheActiveWorkbookHandsOverToTheMostRecentlyActiveOne) {
    auto a = host.CreateWorkbook("A.xlsx", {}, "C:\\");
    auto b = host.CreateWorkbook("B.xlsx", {}, "C:\\");
    auto c = host.CreateWorkbook("C.xlsx", {}, "C:\\");
    b->Activate();
    c->Activate();
    Take();

    std::int32_t countDuringDeactivate = 0;
    std::string activeDuringDeactivate;
    sink.onWorkbookEvent = [&](const std::string& kind, const WorkbookPtr&) {
        if (kind != "WorkbookDeactivate") return;
        countDuringDeactivate = app->Workbooks()->Count();
        activeDuringDeactivate = ActiveBookName();
    };
    c->Close(std::nullopt);
    EXPECT_EQ(Take(), (Events{"WorkbookDeactivate(C.xlsx)", "WorkbookActivate(B.xlsx)"}));
    EXPECT_EQ(countDuringDeactivate, 3);
    EXPECT_EQ(activeDuringDeactivate, "C.xlsx");

    a->Close(std::nullopt);  // not the active one: no event at all
    EXPECT_TRUE(Take().empty());
    b->Close(std::nullopt);
    EXPECT_EQ(Take(), (Events{"WorkbookDeactivate(B.xlsx)"}));
    EXPECT_EQ(app->ActiveWorkbook(), nullptr);
}

}  // namespace
}  // namespace brackwell::embedded::testing
