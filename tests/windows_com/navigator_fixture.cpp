#include "tests/windows_com/navigator_fixture.h"

#include <objbase.h>

#include "adapters/windows/common/utf.h"
#include "excel_standin/facade/application_facade.h"
#include "excel_standin/facade/live_objects.h"

namespace brackwell::win::test {

NavigatorTest::NavigatorTest() : liveBefore(LiveFacadeObjects()) {
    excel.SetHwnd(reinterpret_cast<WindowHandle>(window.Main()));
    app = MakeApplicationFacade(excel.App());
}

void NavigatorTest::TearDown() {
    PumpMessages();
    app.Reset();
    // Every navigator is gone: nothing may hold a facade object any more,
    // and the DLL may be unloaded.
    EXPECT_EQ(LiveFacadeObjects(), liveBefore);
    EXPECT_EQ(ServerDll::Get().DllCanUnloadNow(), S_OK);
    const auto seen = boxes.Seen();
    EXPECT_EQ(seen.size(), boxesExpected);
    if (seen.size() != boxesExpected) {
        for (const SeenMessageBox& box : seen)
            ADD_FAILURE() << "message box " << WideToUtf8(box.title) << ": " << WideToUtf8(box.text);
    }
}

ComPtr<IDispatch> NavigatorTest::CreateNavigator(HRESULT* hr) {
    CLSID clsid{};
    HRESULT result = CLSIDFromProgID(L"Brackwell.Wayfinder", &clsid);
    ComPtr<IDispatch> navigator;
    if (SUCCEEDED(result)) {
        result = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, navigator.ReceiveVoid());
    }
    if (hr) {
        *hr = result;
    } else {
        EXPECT_EQ(result, S_OK) << TakeErrorInfo();
    }
    return navigator;
}

void NavigatorTest::Attach(IDispatch* navigator, IDispatch* host) {
    const CallResult set = PutRef(navigator, L"mExcel", Variant::Object(ComPtr<IDispatch>(host)));
    EXPECT_EQ(set.hr, S_OK) << set.description;
}

ComPtr<IDispatch> NavigatorTest::DockedNavigator() {
    ComPtr<IDispatch> navigator = CreateNavigator();
    if (!navigator) return {};
    Attach(navigator.Get(), app.Get());
    EXPECT_EQ(Call(navigator.Get(), L"CreateNavBar").hr, S_OK);
    return navigator;
}

std::vector<std::wstring> NavigatorTest::Tree() {
    PumpMessages();
    return window.TreeItems();
}

ComPtr<IDispatch> NavigatorTest::Reach(std::initializer_list<const wchar_t*> path) {
    ComPtr<IDispatch> object = app;
    for (const wchar_t* member : path) {
        if (object) object = ObjectOf(Get(object.Get(), member));
    }
    return object;
}

}  // namespace brackwell::win::test
