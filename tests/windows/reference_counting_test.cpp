// Facade objects live exactly as long as someone holds them: after a client
// lets go of everything, none is left, and the identity table hands out no
// object that is gone.

#include <gtest/gtest.h>

#include "tests/windows/facade_fixture.h"

namespace brackwell::win::testing {
namespace {

class Silent : public AppEvents {
public:
    int heard = 0;
    void WorkbookDeactivate(const WorkbookPtr&) override { ++heard; }
    void WorkbookOpen(const WorkbookPtr&) override { ++heard; }
    void WorkbookActivate(const WorkbookPtr&) override { ++heard; }
    void NewWorkbook(const WorkbookPtr&) override { ++heard; }
    void WorkbookNewSheet(const WorkbookPtr&, const SheetPtr&) override { ++heard; }
    void WorkbookBeforeSave(const WorkbookPtr&, bool, bool&) override { ++heard; }
    void SheetActivate(const SheetPtr&) override { ++heard; }
};

TEST(ReferenceCounting, NothingIsLeftAfterAClientLetsGoOfEverything) {
    const std::int64_t before = LiveFacadeObjects();
    {
        embedded::EmbeddedExcel host;
        host.CreateWorkbook("Umsatz.xlsx", {"Übersicht", "売上"});
        host.AddName(host.App()->ActiveWorkbook(), "Daten", "=Übersicht!$A$1");
        const ApplicationPtr client = WrapApplication(MakeApplicationFacade(host.App()).Get());
        Silent sink;
        auto connection = client->Advise(sink);
        // A walk like a tree rebuild, with events and failures on the way.
        for (const WorkbookPtr& workbook : client->Workbooks()->Enumerate()) {
            workbook->Windows()->Item(1)->Visible();
            const SheetsPtr sheets = workbook->Worksheets();
            for (std::int32_t i = 1; i <= sheets->Count(); ++i) {
                sheets->Item(i)->Tab()->ColorIndex();
                sheets->Item(i)->Activate();
            }
            workbook->Names()->Item(1)->RefersTo();
            ErrorOf([&] { workbook->Worksheets()->ItemByName("Fehlt"); });
        }
        client->Workbooks()->Add();
        client->CommandBars()->Add("BrackwellBar", xl::kBarLeft, false, true)->Controls()->Add(1)->SetCaption("x");
        EXPECT_GT(sink.heard, 0);
        EXPECT_GT(LiveFacadeObjects(), before);  // the application and the connection hold some
        connection.reset();
    }
    EXPECT_EQ(LiveFacadeObjects(), before);
}

using FacadeIdentity = FacadeTest;

TEST_F(FacadeIdentity, AReleasedFacadeIsMadeAfreshNotHandedOutAgain) {
    const std::int64_t withApplication = LiveFacadeObjects();
    auto first = ObjectOf(GetRaw(facade.Get(), L"ActiveSheet"));
    EXPECT_EQ(ReferenceCount(first.Get()), 1u);  // the identity table does not hold it
    first.Reset();
    EXPECT_EQ(LiveFacadeObjects(), withApplication);
    auto second = ObjectOf(GetRaw(facade.Get(), L"ActiveSheet"));
    EXPECT_EQ(ReferenceCount(second.Get()), 1u);
    EXPECT_EQ(LiveFacadeObjects(), withApplication + 1);
}

}  // namespace
}  // namespace brackwell::win::testing
