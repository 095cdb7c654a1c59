// The navigator follows the host: every application event rebuilds the tree,
// a deactivation that leaves at most one workbook empties it, rebuilds may
// nest, and the host binding records the version and detaches cleanly.

#include <gtest/gtest.h>

#include "tests/native/navigator_fixture.h"

namespace brackwell::testing {
namespace {

using ::testing::ElementsAre;

class HostEventsTest : public NavigatorTest {
protected:
    void SetUp() override {
        first = excel.CreateWorkbook("Mappe1", {"Tabelle1", "Tabelle2"});
        ShowPane();
    }
    WorkbookPtr first;
};

TEST_F(HostEventsTest, ActivatedSheetsNewAndOpenedWorkbooksAndNewSheetsShowAtOnce) {
    first->Worksheets()->Item(2)->Activate();
    EXPECT_TRUE(Row("wb1|2").selected);

    auto second = excel.App()->Workbooks()->Add();
    EXPECT_EQ(Row("wb2").text, second->Name());
    EXPECT_TRUE(Row("wb2").bold);
    EXPECT_FALSE(Row("wb1").bold);

    second->Worksheets()->Add();
    EXPECT_TRUE(Row("wb2|1").selected);  // added before the active sheet, and active
    EXPECT_EQ(Row("wb2|1").text, "Tabelle4");

    embedded::WorkbookContent content;
    content.sheets.push_back({});
    content.sheets.back().name = "Umsatz";
    excel.MemoryFiles().Put("C:\\Daten\\Bericht.xlsx", content);
    excel.App()->Workbooks()->Open("C:\\Daten\\Bericht.xlsx");
    EXPECT_THAT(Lines(), ElementsAre("wb1=Mappe1", "wb2=" + second->Name(), "wb3=Bericht.xlsx", "  wb3|1=Umsatz"));
}

TEST_F(HostEventsTest, SavingRebuildsBeforeTheSaveAndNeverCancelsIt) {
    first->Worksheets()->Item(1)->Protect(std::nullopt);  // changes no event: tree is stale
    ASSERT_EQ(Row("wb1|1").text, "Tabelle1");

    first->Save();

    EXPECT_EQ(Row("wb1|1").text, "Tabelle1 (geschützt)");
    EXPECT_TRUE(excel.Saved(first));
    EXPECT_EQ(Row("wb1").text, "Mappe1");  // the save named the file after the rebuild
}

TEST_F(HostEventsTest, ADeactivationRebuildsWhileTwoVisibleWorkbooksAreLeftElseEmpties) {
    auto hidden = excel.CreateWorkbook("PERSONAL.XLSB", {"Tabelle1"});
    excel.SetWindowVisible(hidden, false);
    auto second = excel.CreateWorkbook("Mappe2", {"Tabelle1"});
    nav->UpdateTree(true);
    // A deactivation queued by the host runs when the component lets pending events run.
    excel.PostEvent({embedded::EventKind::WorkbookDeactivate, first, nullptr});
    excel.RunPendingEvents();
    EXPECT_THAT(Keys(), ElementsAre("wb1", "wb1|1", "wb1|2", "wb3", "wb3|1"));
    excel.FailAlways("Workbooks.Enumerate", 1004, "kaputt");  // the count fails: nothing to show
    excel.PostEvent({embedded::EventKind::WorkbookDeactivate, first, nullptr});
    excel.RunPendingEvents();
    EXPECT_TRUE(Keys().empty());
    excel.ClearFaults();

    second->Close(false);
    EXPECT_THAT(Keys(), ElementsAre("wb1", "wb1|1", "wb1|2")) << "closing one of two rebuilds";
    excel.PostEvent({embedded::EventKind::WorkbookDeactivate, first, nullptr});
    excel.RunPendingEvents();
    EXPECT_TRUE(Keys().empty()) << "one visible workbook left: the tree is emptied";
    EXPECT_TRUE(Messages().empty());
}

TEST_F(HostEventsTest, EventsQueuedDuringARebuildNestAnotherRebuild) {
    auto second = excel.CreateWorkbook("Mappe2", {"Tabelle1"});
    excel.ActivateSilently(first);
    // The activation of Mappe2 is pending when the rebuild lets events run:
    // it starts a nested rebuild, after which the outer one builds again.
    excel.SetDeferEvents(true);
    second->Activate();
    excel.SetDeferEvents(false);
    ASSERT_TRUE(excel.HasPendingEvents());
    const auto paints = Tree().PaintCount();

    nav->UpdateTree();

    EXPECT_FALSE(excel.HasPendingEvents());
    EXPECT_THAT(Keys(), ElementsAre("wb1", "wb1|1", "wb1|2", "wb2", "wb2|1"));
    EXPECT_TRUE(Row("wb2").bold);
    EXPECT_EQ(Tree().PaintCount() - paints, 3);  // deactivate, activate, then the outer rebuild
    EXPECT_EQ(platform.HeadlessWindows().LockedWindow(), 0);
}

class HostBindingTest : public NavigatorTest {};

// The version's leading number as VB's Val reads it, through blanks, halves
// rounded to even ("9.5" is 10, above the 9 that tab colours need), or 0. Writing the host again moves the events.
TEST_F(HostBindingTest, RecordsTheVersionMovesTheEventsAndDetaches) {
    const std::pair<const char*, std::int32_t> versions[] = {
        {"9.0", 9}, {"9.5", 10}, {"10.5", 10}, {"11.6", 12}, {" 9.0 (SR-1)", 9}, {"1 6.0", 16}, {"16.0.1234", 16}, {"-2.5", -2},
        {"Excel", 0}, {"", 0}, {"77777777777777777777777777.0", 0}, {"-77777777777777777777777777", 0}};
    Attach();
    for (auto [text, major] : versions) {
        excel.SetVersion(text);
        nav->set_mExcel(excel.App());
        EXPECT_EQ(component.HostVersion, major) << text;
    }

    EXPECT_EQ(excel.AttachedSinkCount(), 1u);
    embedded::EmbeddedExcel other;
    nav->set_mExcel(other.App());
    EXPECT_EQ(excel.AttachedSinkCount(), 0u);
    EXPECT_EQ(other.AttachedSinkCount(), 1u);
    EXPECT_EQ(nav->mExcel(), other.App());
    nav->set_mExcel(nullptr);
    EXPECT_EQ(other.AttachedSinkCount(), 0u);

    nav->set_mExcel(excel.App());
    nav.reset();  // without a pane
    EXPECT_EQ(excel.AttachedSinkCount(), 0u);
    EXPECT_TRUE(Messages().empty());
    EXPECT_NO_THROW(excel.App()->Workbooks()->Add()) << "host events after that reach nobody";
}

}  // namespace
}  // namespace brackwell::testing
