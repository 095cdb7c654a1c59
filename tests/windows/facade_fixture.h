#pragma once
// An embedded host with one open workbook, its automation facade, and the
// host adapter bound to that facade: the road client -> IDispatch -> facade
// -> embedded host that the round-trip tests drive.

#include <gtest/gtest.h>

#include "adapters/embedded/embedded_excel.h"
#include "adapters/windows/automation/wrap_application.h"
#include "adapters/windows/facade/application_facade.h"
#include "adapters/windows/facade/live_objects.h"
#include "tests/windows/com_test_support.h"

namespace brackwell::win::testing {

class FacadeTest : public ::testing::Test {
protected:
    void TearDown() override {
        client.reset();
        facade.Reset();
        // Nothing the test made may still hold a facade object.
        EXPECT_EQ(LiveFacadeObjects(), liveBefore);
    }

    // The workbook's first three sheets: a German and a Japanese name.
    ComPtr<IDispatch> FacadeSheets() {
        auto workbooks = ObjectOf(GetRaw(facade.Get(), L"Workbooks"));
        auto workbook = ObjectOf(GetRaw(workbooks.Get(), L"Item", Args(Variant::Int32(1))));
        return ObjectOf(GetRaw(workbook.Get(), L"Worksheets"));
    }

    const std::int64_t liveBefore = LiveFacadeObjects();
    embedded::EmbeddedExcel host{"11.0"};
    WorkbookPtr book = host.CreateWorkbook("Umsatz.xlsx", {"Übersicht", "売上", "Daten"}, "C:\\Daten");
    ComPtr<IDispatch> facade = MakeApplicationFacade(host.App());
    ApplicationPtr client = WrapApplication(facade.Get());
};

}  // namespace brackwell::win::testing
