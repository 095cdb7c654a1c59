#pragma once
// The COM add-in of the real brackwell.dll as Excel 2016 drives it: the
// DLL registered for the user, "Brackwell.Connect" created by ProgID, the
// stand-in's automation facade as Application (version 16.0, a real
// top-level window per workbook) and the fake Office host's task panes and
// ribbon. Every test ends with the add-in disconnected and checks that
// nothing is left: no facade object held, DllCanUnloadNow S_OK, no window
// of the DLL's classes, and only the message boxes the test expected.

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "adapters/windows/ui/win_handles.h"
#include "excel_standin/embedded/embedded_excel.h"
#include "tests/windows/dispatch_call.h"
#include "tests/windows_addin/fake_office.h"
#include "tests/windows_com/message_box_watch.h"
#include "tests/windows_com/server_dll.h"

namespace brackwell::win::test {

class AddInTest : public ::testing::Test {
public:
    // `call` runs from this thread's message loop once Post() was called,
    // from any thread, as a posted message does.
    void OnPosted(std::function<void()> call) { posted_ = std::move(call); }
    void Post() const { PostMessageW(poster_.Get(), WM_APP, 0, 0); }

protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite() { server_.reset(); }
    AddInTest();
    ~AddInTest() override;  // the workbooks' windows go back for the next test
    void SetUp() override;
    void TearDown() override;

    // OnConnection(Application, after startup), then as Office goes on:
    // GetCustomUI, onLoad with the ribbon, CTPFactoryAvailable.
    HRESULT Connect(IDispatch* application);
    // A ribbon callback by name through the add-in's IRibbonExtensibility,
    // with the button's IRibbonControl first.
    CallResult Callback(const wchar_t* name, std::vector<Variant> more = {});
    bool Pressed() { return Callback(L"Brackwell_NavigatorPressed").value.Get().boolVal != VARIANT_FALSE; }

    // The control's window in the task pane of workbook window `host`.
    HWND Content(HWND host) const;
    HWND Tree() const;                         // the pane's tree, wherever it is
    std::vector<std::wstring> TreeItems() const;
    HWND WindowOf(const WorkbookPtr& wb) { return reinterpret_cast<HWND>(excel.WindowOf(wb)); }

    static inline std::unique_ptr<RegisteredServer> server_;
    std::int64_t liveBefore;
    std::size_t boxesExpected = 0;
    MessageBoxWatch boxes;
    embedded::EmbeddedExcel excel{"16.0"};
    std::vector<HWND> windows;  // the workbooks' own, while open
    WorkbookPtr umsatz, mappe;
    ComPtr<IDispatch> app;
    ComPtr<FakeOffice> office;
    ComPtr<IDTExtensibility2> addin;
    std::function<void()> posted_;
    WindowHandleOwner poster_;
};


}  // namespace brackwell::win::test
