#pragma once
// Deliberate fakes for the stand-in Excel's own tests, not Brackwell's add-in:
// "Brackwell.FakeOfficeAddIn", a COM add-in (IDTExtensibility2,
// IRibbonExtensibility with its callbacks by IDispatch,
// ICustomTaskPaneConsumer) that writes down every call it gets, and
// "Brackwell.FakePaneControl", an ActiveX control for task panes that makes
// a window when activated in place and writes down the keys its
// TranslateAccelerator sees (it takes Tab and leaves the rest). Both are
// served by this process (CoRegisterClassObject) and found by ProgID
// through the classes FakeClasses writes.

#include <windows.h>

#include <oaidl.h>

#include <string>
#include <vector>

#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/office/office_interfaces.h"

namespace brackwell::office::test {

inline constexpr wchar_t kFakeAddInProgId[] = L"Brackwell.FakeOfficeAddIn";
inline constexpr wchar_t kFakeControlProgId[] = L"Brackwell.FakePaneControl";

// What the fake add-in does and what it heard; one per process.
struct FakeAddInLog {
    // Set by the test.
    std::wstring ribbonXml;
    HRESULT connectResult = S_OK;
    bool pressedAnswer = false;  // what getPressed ("GetPressed") answers

    // Written by the fake.
    std::vector<std::string> calls;  // "OnConnection 1", "GetCustomUI Microsoft.Excel.Workbook", ...
    win::ComPtr<IDispatch> application;
    win::ComPtr<IDispatch> comAddIn;
    VARIANT customFirst{};  // custom's element 1 as OnConnection got it
    win::ComPtr<IRibbonUI> ribbonUi;
    win::ComPtr<ICTPFactory> factory;
    struct Callback {
        std::string name;
        std::wstring controlId;
        std::wstring tag;
        win::ComPtr<IDispatch> context;
        VARTYPE pressedType = VT_EMPTY;  // of the second argument, when there is one
        bool pressed = false;
    };
    std::vector<Callback> callbacks;
    int alive = 0;  // fake add-in objects not yet destroyed

    void Reset();
};
FakeAddInLog& AddInLog();

// What the fake control saw; one per process.
struct FakeControlLog {
    std::vector<UINT> acceleratorKeys;  // wParam of each WM_KEYDOWN TranslateAccelerator got
    std::vector<UINT> windowKeys;       // WM_KEYDOWN its window got
    int alive = 0;
};
FakeControlLog& ControlLog();

// While alive: both classes served by this process, their ProgIDs in the
// user's and (for Wine) the machine's classes, and the fake add-in on the
// user's list of Excel add-ins with `loadBehavior`.
class FakeClasses {
public:
    explicit FakeClasses(DWORD loadBehavior = 3);
    ~FakeClasses();
    FakeClasses(const FakeClasses&) = delete;
    FakeClasses& operator=(const FakeClasses&) = delete;

private:
    DWORD addInCookie_ = 0;
    DWORD controlCookie_ = 0;
};

}  // namespace brackwell::office::test
