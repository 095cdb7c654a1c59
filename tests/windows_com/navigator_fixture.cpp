#include "tests/windows_com/navigator_fixture.h"

#include <objbase.h>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/facade/application_facade.h"
#include "adapters/windows/facade/live_objects.h"

namespace brackwell::win::test {
namespace {

// Every test runs in a single-threaded apartment, as the host's
// user-interface thread is.
struct Apartment {
    Apartment() { OleInitialize(nullptr); }
    ~Apartment() { OleUninitialize(); }
} apartment;

}  // namespace

std::unique_ptr<RegisteredServer> NavigatorTest::server_;

NavigatorTest::NavigatorTest()
    : liveBefore(LiveFacadeObjects()), pump([this] { excel.RunPendingEvents(); }) {
    book = excel.CreateWorkbook("Umsatz.xlsx", {"Übersicht", "売上", "Daten"}, "C:\\Daten");
    excel.SetHwnd(reinterpret_cast<WindowHandle>(window.Main()));
    excel.SetPendingEventNotifier(pump.Notifier());
    app = MakeApplicationFacade(excel.App());
}

void NavigatorTest::SetUpTestSuite() { server_ = std::make_unique<RegisteredServer>(); }

void NavigatorTest::TearDownTestSuite() { server_.reset(); }

void NavigatorTest::SetUp() { ASSERT_EQ(server_->registerResult, S_OK); }

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

std::vector<std::wstring> NavigatorTest::Tree() {
    PumpMessages();
    return window.TreeItems();
}

ComPtr<IDispatch> NavigatorTest::Reach(std::initializer_list<const wchar_t*> path) {
    ComPtr<IDispatch> object = app;
    for (const wchar_t* member : path) {
        object = ObjectOf(Get(object.Get(), member));
        if (!object) ADD_FAILURE() << "no object at a member of the path";
        if (!object) break;
    }
    return object;
}

std::vector<std::wstring> NavigatorTest::UmsatzItems() {
    return {L"Umsatz.xlsx", L"  Übersicht", L"  売上", L"  Daten"};
}

}  // namespace brackwell::win::test
