// The navigator reached as the host-side module reaches it: by ProgID, then
// late through IDispatch, with VB's Set for mExcel and its error texts.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "adapters/windows/common/com_object.h"
#include "adapters/windows/common/hresult_error.h"
#include "adapters/windows/common/variant.h"
#include "apps/demo/navigator_client.h"
#include "host/automation_error.h"

namespace brackwell::demo {
namespace {

// A navigator stand-in that writes down each call: member, flags, arguments.
class RecordingNavigator final : public win::ComObject<IDispatch> {
public:
    struct Call {
        std::wstring member;
        WORD flags;
        UINT args;
        UINT named;
        DISPID firstNamed;
        IDispatch* object;
    };
    std::vector<Call> calls;
    bool failUpdateTree = false;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch)) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
        for (DISPID id = 0; id < static_cast<DISPID>(kMembers.size()); ++id) {
            if (kMembers[static_cast<std::size_t>(id)] == names[0]) {
                ids[0] = id + 1;
                return S_OK;
            }
        }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*,
                                     EXCEPINFO* exception, UINT*) override {
        const std::wstring member = kMembers[static_cast<std::size_t>(id - 1)];
        IDispatch* object = params->cArgs == 1 && V_VT(&params->rgvarg[0]) == VT_DISPATCH ? V_DISPATCH(&params->rgvarg[0])
                                                                                         : nullptr;
        calls.push_back({member, flags, params->cArgs, params->cNamedArgs,
                         params->cNamedArgs ? params->rgdispidNamedArgs[0] : 0, object});
        if (member == L"UpdateTree" && failUpdateTree) {
            win::FillExcepInfo(*exception, AutomationError(91, "Objektvariable nicht festgelegt"), L"Brackwell");
            return DISP_E_EXCEPTION;
        }
        return S_OK;
    }

private:
    inline static const std::vector<std::wstring> kMembers = {L"mExcel", L"CreateNavBar", L"UpdateTree"};
};

TEST(NavigatorClient, SetsTheHostByReferenceAndCallsMembersWithoutArguments) {
    auto recorder = win::MakeComObject<RecordingNavigator>();
    auto host = win::MakeComObject<RecordingNavigator>();  // any IDispatch will do as the host
    NavigatorClient nav{win::ComPtr<IDispatch>(recorder.Get())};

    nav.SetHost(host.Get());
    nav.Call(L"CreateNavBar");

    ASSERT_EQ(recorder->calls.size(), 2u);
    const auto& set = recorder->calls[0];
    EXPECT_EQ(set.member, L"mExcel");
    EXPECT_EQ(set.flags, DISPATCH_PROPERTYPUTREF);  // VB's Set, not Let
    EXPECT_EQ(set.args, 1u);
    EXPECT_EQ(set.named, 1u);
    EXPECT_EQ(set.firstNamed, DISPID_PROPERTYPUT);
    EXPECT_EQ(set.object, host.Get());
    const auto& call = recorder->calls[1];
    EXPECT_EQ(call.member, L"CreateNavBar");
    EXPECT_EQ(call.flags, DISPATCH_METHOD);
    EXPECT_EQ(call.args, 0u);
}

TEST(NavigatorClient, PassesOnTheNavigatorsErrorsAndUnknownMembers) {
    auto recorder = win::MakeComObject<RecordingNavigator>();
    recorder->failUpdateTree = true;
    NavigatorClient nav{win::ComPtr<IDispatch>(recorder.Get())};
    try {
        nav.Call(L"UpdateTree");
        FAIL() << "the failure did not arrive";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Number(), 91);
        EXPECT_EQ(e.Description(), "Objektvariable nicht festgelegt");
    }
    try {
        nav.Call(L"Unbekannt");
        FAIL() << "an unknown member was called";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Number(), err::kNotSupported);
    }
    nav.Release();
    EXPECT_FALSE(nav);
    try {
        nav.Call(L"CreateNavBar");
        FAIL() << "a released navigator was called";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Number(), err::kObjectNotSet);
    }
}

TEST(NavigatorClient, AnUnregisteredClassIsRefusedWithTheWayToRegisterIt) {
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    try {
        NavigatorClient::Create(L"Brackwell.NichtRegistriert");
        FAIL() << "an unregistered class was created";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Number(), 429);
        EXPECT_NE(e.Description().find("\"Brackwell.NichtRegistriert\""), std::string::npos);
        EXPECT_NE(e.Description().find("regsvr32 /n /i:user brackwell.dll"), std::string::npos);
    }
    ::OleUninitialize();
}

}  // namespace
}  // namespace brackwell::demo
