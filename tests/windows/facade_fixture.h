#pragma once
// An embedded host with one open workbook, its automation facade, and the
// host adapter bound to that facade: the road client -> IDispatch -> facade
// -> embedded host that the round-trip tests drive. And a sink that writes
// down the application events it hears.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "excel_standin/embedded/embedded_excel.h"
#include "adapters/windows/automation/wrap_application.h"
#include "excel_standin/facade/application_facade.h"
#include "excel_standin/facade/live_objects.h"
#include "tests/windows/dispatch_call.h"

namespace brackwell::win::test {

// Writes down what it hears, as "Kind(name)"; names are read at once, so the
// record shows what a handler could see.
class RecordingSink : public AppEvents {
public:
    std::vector<std::string> events;
    std::optional<bool> setCancel;  // what BeforeSave writes to Cancel, if anything
    std::vector<bool> cancelSeen;   // Cancel as each BeforeSave arrived
    std::function<void()> onEvent;  // after each record: may detach or raise

    void WorkbookDeactivate(const WorkbookPtr& wb) override { Record("WorkbookDeactivate", NameOf(wb)); }
    void WorkbookOpen(const WorkbookPtr& wb) override { Record("WorkbookOpen", NameOf(wb)); }
    void WorkbookActivate(const WorkbookPtr& wb) override { Record("WorkbookActivate", NameOf(wb)); }
    void NewWorkbook(const WorkbookPtr& wb) override { Record("NewWorkbook", NameOf(wb)); }
    void WorkbookNewSheet(const WorkbookPtr& wb, const SheetPtr& sh) override {
        Record("WorkbookNewSheet", NameOf(wb) + "," + sh->Name());
    }
    void WorkbookBeforeSave(const WorkbookPtr& wb, bool saveAsUi, bool& cancel) override {
        cancelSeen.push_back(cancel);
        if (setCancel) cancel = *setCancel;
        Record("WorkbookBeforeSave", NameOf(wb) + (saveAsUi ? ",ui" : ""));
    }
    void SheetActivate(const SheetPtr& sh) override { Record("SheetActivate", sh->Name()); }
    // The window events go to the task panes; these tests follow the others.
    void WindowActivate(const WorkbookPtr&, const WindowPtr&) override {}
    void WindowDeactivate(const WorkbookPtr&, const WindowPtr&) override {}

private:
    static std::string NameOf(const WorkbookPtr& wb) { return wb ? wb->Name() : "Nothing"; }
    void Record(const std::string& kind, const std::string& what) {
        events.push_back(kind + "(" + what + ")");
        if (onEvent) onEvent();
    }
};

class FacadeTest : public ::testing::Test {
protected:
    void TearDown() override {
        client.reset();
        facade.Reset();
        // Nothing the test made may still hold a facade object.
        EXPECT_EQ(LiveFacadeObjects(), liveBefore);
    }

    const std::int64_t liveBefore = LiveFacadeObjects();
    embedded::EmbeddedExcel host{"11.0"};
    WorkbookPtr book = host.CreateWorkbook("Umsatz.xlsx", {"Übersicht", "売上", "Daten"}, "C:\\Daten");
    ComPtr<IDispatch> facade = MakeApplicationFacade(host.App());
    ApplicationPtr client = WrapApplication(facade.Get());
};

}  // namespace brackwell::win::test
