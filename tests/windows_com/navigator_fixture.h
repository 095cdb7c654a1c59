#pragma once
// A test against the real brackwell.dll, as the host side uses it: the DLL
// registered for the user, navigators created by ProgID and driven late-bound
// through IDispatch, and an embedded host behind its automation facade with a
// main window whose "EXCEL2" dock takes the pane.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "excel_standin/embedded/embedded_excel.h"
#include "adapters/windows/common/com_ptr.h"
#include "tests/windows/dispatch_call.h"
#include "tests/windows/message_pump.h"
#include "tests/windows_com/host_window.h"
#include "tests/windows_com/message_box_watch.h"
#include "tests/windows_com/server_dll.h"

namespace brackwell::win::test {

class NavigatorTest : public ::testing::Test {
protected:
    NavigatorTest();
    static void SetUpTestSuite() { server_ = std::make_unique<RegisteredServer>(); }
    static void TearDownTestSuite() { server_.reset(); }
    void SetUp() override { ASSERT_EQ(server_->registerResult, S_OK); }
    void TearDown() override;

    // CLSIDFromProgID("Brackwell.Wayfinder") and CoCreateInstance, as
    // CreateObject does; the HRESULT goes to `hr` when given.
    ComPtr<IDispatch> CreateNavigator(HRESULT* hr = nullptr);
    // Set nav.mExcel = host, expecting success.
    void Attach(IDispatch* navigator, IDispatch* host);
    // A navigator given the host, with its pane docked by CreateNavBar.
    ComPtr<IDispatch> DockedNavigator();
    // The pane tree's items after pending messages ran.
    std::vector<std::wstring> Tree();
    // A facade object reached by members from the application, e.g.
    // {L"Workbooks"} or {L"ActiveWorkbook", L"Worksheets"}.
    ComPtr<IDispatch> Reach(std::initializer_list<const wchar_t*> path);

    // The workbook's items as the tree shows them (sheets indented).
    static std::vector<std::wstring> UmsatzItems() {
        return {L"Umsatz.xlsx", L"  Übersicht", L"  売上", L"  Daten"};
    }

    static inline std::unique_ptr<RegisteredServer> server_;
    std::int64_t liveBefore;
    std::size_t boxesExpected = 0;  // message boxes the test expects the component to show
    MessageBoxWatch boxes;
    HostWindow window;
    embedded::EmbeddedExcel excel{"11.0"};
    WorkbookPtr book = excel.CreateWorkbook("Umsatz.xlsx", {"Übersicht", "売上", "Daten"}, "C:\\Daten");
    ComPtr<IDispatch> app;
};

}  // namespace brackwell::win::test
