#pragma once
// A navigator on the embedded host and the headless platform: the scene most
// native tests start from, and helpers that read the tree as a user sees it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "excel_standin/embedded/embedded_excel.h"
#include "adapters/headless/headless_platform.h"
#include "adapters/headless/memory_settings_store.h"
#include "core/component.h"
#include "core/wayfinder.h"

namespace brackwell::testing {

class NavigatorTest : public ::testing::Test {
protected:
    NavigatorTest() {
        // The component's DoEvents lets the host's queued events run.
        platform.HeadlessUi().SetDoEventsHook([this] { excel.RunPendingEvents(); });
    }

    // The host's main window with its left dock window ("EXCEL2").
    void CreateHostWindow(std::int32_t dockHeight = 700) {
        auto& windows = platform.HeadlessWindows();
        mainWindow = windows.NewWindow("XLMAIN", "Microsoft Excel", 0, 10, 20, 1200, dockHeight + 200);
        dockWindow = windows.NewWindow("EXCEL2", "", mainWindow, 0, 100, 240, dockHeight);
        excel.SetHwnd(mainWindow);
    }

    Wayfinder& Attach() {
        nav = std::make_unique<Wayfinder>(component);
        nav->set_mExcel(excel.App());
        return *nav;
    }

    // The usual start: host window, navigator attached, pane shown.
    Wayfinder& ShowPane(std::int32_t dockHeight = 700) {
        CreateHostWindow(dockHeight);
        Attach();
        nav->CreateNavBar();
        return *nav;
    }

    headless::HeadlessTree& Tree() {
        headless::HeadlessNavForm* form = platform.NavForm();
        if (!form) throw std::runtime_error("no pane form");
        return form->TreeControl();
    }

    // Every node in display order as "key=text", children indented by two blanks.
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        for (const auto& row : Tree().Rows())
            lines.push_back(std::string(2 * row.depth, ' ') + row.key + "=" + row.text);
        return lines;
    }

    std::vector<std::string> Keys() {
        std::vector<std::string> keys;
        for (const auto& node : Tree().Model().Collection()) keys.push_back(node->Key());
        return keys;
    }

    const headless::HeadlessTree::Row& Row(const std::string& key) {
        rows_ = Tree().Rows();
        for (const auto& row : rows_)
            if (row.key == key) return row;
        throw std::runtime_error("no row " + key);
    }

    std::vector<std::string> SheetNames(const WorkbookPtr& wb) {
        std::vector<std::string> names;
        const SheetsPtr sheets = wb->Sheets();
        for (int i = 1; i <= sheets->Count(); ++i) names.push_back(sheets->Item(i)->Name());
        return names;
    }

    headless::HeadlessPopupMenu& Menu() { return *platform.LastPopupMenu(); }
    headless::HeadlessToolbar& Bar() { return platform.NavForm()->BarControl(); }
    const std::vector<headless::MessageBoxShown>& Messages() { return platform.HeadlessUi().MessageBoxes(); }

    headless::MemorySettingsStore& Store() { return static_cast<headless::MemorySettingsStore&>(platform.Settings()); }
    void StoreSetting(const std::string& key, const std::string& value) {
        Store().SaveSetting("Brackwell", "Settings", key, value);
    }

    // Declared in the order they must outlive each other.
    headless::HeadlessPlatform platform;
    embedded::EmbeddedExcel excel{"11.0"};
    Component component{platform};
    std::unique_ptr<Wayfinder> nav;
    WindowHandle mainWindow = 0;
    WindowHandle dockWindow = 0;

private:
    std::vector<headless::HeadlessTree::Row> rows_;
};

}  // namespace brackwell::testing
