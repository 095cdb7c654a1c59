// The navigator reached as the host-side module reaches it: by ProgID, then
// late through IDispatch, with its error texts. (The calls themselves are
// proven with the real DLL by the demo's smoke run.)

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "adapters/windows/common/com_object.h"
#include "adapters/windows/common/hresult_error.h"
#include "apps/demo/navigator_client.h"
#include "host/automation_error.h"

namespace brackwell::demo {
namespace {

// A navigator stand-in that knows two members, and UpdateTree fails.
class FailingNavigator final : public win::ComObject<IDispatch> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        const bool known = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch);
        *out = known ? static_cast<IDispatch*>(this) : nullptr;
        if (known) AddRef();
        return known ? S_OK : E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
        const auto found = std::find(kMembers.begin(), kMembers.end(), names[0]);
        ids[0] = found == kMembers.end() ? DISPID_UNKNOWN : static_cast<DISPID>(found - kMembers.begin()) + 1;
        return found == kMembers.end() ? DISP_E_UNKNOWNNAME : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO* exception,
                                     UINT*) override {
        if (kMembers[static_cast<std::size_t>(id - 1)] != L"UpdateTree") return S_OK;
        win::FillExcepInfo(*exception, AutomationError(91, "Objektvariable nicht festgelegt"), L"Brackwell");
        return DISP_E_EXCEPTION;
    }

private:
    inline static const std::vector<std::wstring> kMembers = {L"CreateNavBar", L"UpdateTree"};
};

// The AutomationError `call` raised; number 0 when it raised none.
AutomationError ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const AutomationError& e) {
        return e;
    }
    return AutomationError(0, "");
}

TEST(NavigatorClient, PassesOnTheNavigatorsErrorsAndUnknownMembers) {
    auto navigator = win::MakeComObject<FailingNavigator>();
    NavigatorClient nav{win::ComPtr<IDispatch>(navigator.Get())};

    const AutomationError failed = ErrorOf([&] { nav.Call(L"UpdateTree"); });
    EXPECT_EQ(failed.Number(), 91);
    EXPECT_EQ(failed.Description(), "Objektvariable nicht festgelegt");
    EXPECT_EQ(ErrorOf([&] { nav.Call(L"Unbekannt"); }).Number(), err::kNotSupported);
    nav.Release();
    EXPECT_FALSE(nav);
    EXPECT_EQ(ErrorOf([&] { nav.Call(L"CreateNavBar"); }).Number(), err::kObjectNotSet);
}

TEST(NavigatorClient, AnUnregisteredClassIsRefusedWithTheWayToRegisterIt) {
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    const AutomationError refused = ErrorOf([] { NavigatorClient::Create(L"Brackwell.NichtRegistriert"); });
    ::OleUninitialize();
    EXPECT_EQ(refused.Number(), 429);
    EXPECT_NE(refused.Description().find("\"Brackwell.NichtRegistriert\""), std::string::npos);
    EXPECT_NE(refused.Description().find("regsvr32 /n /i:user brackwell.dll"), std::string::npos);
}

}  // namespace
}  // namespace brackwell::demo
