#pragma once
// Helpers for the embedded host's tests: a sink that writes down the events it
// hears, and short ways to read the host through the ports.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "excel_standin/embedded/embedded_excel.h"
#include "host/excel.h"
#include "tests/headless/error_of.h"

namespace brackwell::embedded::testing {

using test_support::DescriptionOf;
using test_support::ErrorOf;
using Names = std::vector<std::string>;

// Writes "Kind(workbook)" or "SheetActivate(sheet)"; the names are read when
// the event arrives, so a record shows what the handler could see.
class RecordingSink : public AppEvents {
public:
    std::vector<std::string> events;
    std::function<void(const std::string& kind, const WorkbookPtr&)> onWorkbookEvent;
    bool cancelSaves = false;
    bool recordWindows = false;  // the window events too

    void WorkbookDeactivate(const WorkbookPtr& wb) override { Workbook("WorkbookDeactivate", wb); }
    void WorkbookOpen(const WorkbookPtr& wb) override { Workbook("WorkbookOpen", wb); }
    void WorkbookActivate(const WorkbookPtr& wb) override { Workbook("WorkbookActivate", wb); }
    void NewWorkbook(const WorkbookPtr& wb) override { Workbook("NewWorkbook", wb); }
    void WorkbookNewSheet(const WorkbookPtr& wb, const SheetPtr& sh) override {
        events.push_back("WorkbookNewSheet(" + NameOf(wb) + "," + NameOf(sh) + ")");
    }
    void WorkbookBeforeSave(const WorkbookPtr& wb, bool saveAsUi, bool& cancel) override {
        events.push_back("WorkbookBeforeSave(" + NameOf(wb) + (saveAsUi ? ",ui)" : ")"));
        if (cancelSaves) cancel = true;
        if (onWorkbookEvent) onWorkbookEvent("WorkbookBeforeSave", wb);
    }
    void SheetActivate(const SheetPtr& sh) override { events.push_back("SheetActivate(" + NameOf(sh) + ")"); }
    void WindowActivate(const WorkbookPtr& wb, const WindowPtr&) override {
        if (recordWindows) Workbook("WindowActivate", wb);
    }
    void WindowDeactivate(const WorkbookPtr& wb, const WindowPtr&) override {
        if (recordWindows) Workbook("WindowDeactivate", wb);
    }

    template <typename T>
    static std::string NameOf(const std::shared_ptr<T>& object) {
        if (!object) return "-";
        try {
            return object->Name();
        } catch (const AutomationError&) {
            return "<getrennt>";
        }
    }

private:
    void Workbook(const std::string& kind, const WorkbookPtr& wb) {
        events.push_back(kind + "(" + NameOf(wb) + ")");
        if (onWorkbookEvent) onWorkbookEvent(kind, wb);
    }
};

inline SheetContent SheetOf(std::string name, SheetKind kind = SheetKind::Worksheet, bool visible = true) {
    SheetContent sheet;
    sheet.name = std::move(name);
    sheet.kind = kind;
    sheet.visible = visible;
    return sheet;
}

// The content of a file with these worksheets.
inline WorkbookContent FileWith(const std::vector<std::string>& sheets, bool windowVisible = true) {
    WorkbookContent content;
    for (const std::string& name : sheets) content.sheets.push_back(SheetOf(name));
    content.firstWindowVisible = windowVisible;
    return content;
}

// A host with the application port at hand.
class HostTest : public ::testing::Test {
protected:
    EmbeddedExcel host{"12.0"};
    ApplicationPtr app = host.App();

    std::vector<std::string> SheetNames(const WorkbookPtr& wb, bool worksheetsOnly = false) {
        auto sheets = worksheetsOnly ? wb->Worksheets() : wb->Sheets();
        std::vector<std::string> names;
        for (std::int32_t i = 1; i <= sheets->Count(); ++i) names.push_back(sheets->Item(i)->Name());
        return names;
    }

    // "Name (RefersTo)" for every defined name, in collection order.
    std::vector<std::string> NameList(const WorkbookPtr& wb) {
        auto names = wb->Names();
        std::vector<std::string> texts;
        for (std::int32_t i = 1; i <= names->Count(); ++i) {
            auto name = names->Item(i);
            texts.push_back(name->Name() + " " + name->RefersTo());
        }
        return texts;
    }

    std::string ActiveBookName() {
        auto wb = app->ActiveWorkbook();
        return wb ? wb->Name() : "-";
    }

    std::string ActiveSheetName() {
        auto sheet = app->ActiveSheet();
        return sheet ? sheet->Name() : "-";
    }
};

}  // namespace brackwell::embedded::testing
