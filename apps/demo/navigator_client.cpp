#include "apps/demo/navigator_client.h"

#include "adapters/windows/common/hresult_error.h"
#include "adapters/windows/common/utf.h"
#include "adapters/windows/common/variant.h"
#include "host/automation_error.h"

namespace brackwell::demo {
namespace {

constexpr LCID kLocale = 1033;  // as VB calls

// VB's "ActiveX component can't create object".
constexpr std::int32_t kCannotCreateObject = 429;

}  // namespace

std::wstring RegistrationAdvice(const std::wstring& progId) {
    return L"Die Klasse \"" + progId + L"\" kann nicht erstellt werden: brackwell.dll ist für diesen Benutzer "
           L"nicht registriert.\nRegistrieren Sie sie zuerst mit\n    regsvr32 /n /i:user brackwell.dll";
}

NavigatorClient NavigatorClient::Create(const std::wstring& progId) {
    CLSID clsid{};
    HRESULT hr = ::CLSIDFromProgID(progId.c_str(), &clsid);
    win::ComPtr<IDispatch> object;
    if (SUCCEEDED(hr)) {
        hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.ReceiveVoid());
    }
    if (FAILED(hr) || !object) {
        const AutomationError cause = win::ErrorFromHresult(FAILED(hr) ? hr : E_NOINTERFACE);
        throw AutomationError(kCannotCreateObject,
                              win::WideToUtf8(RegistrationAdvice(progId)) + "\n(" + cause.Description() + ")");
    }
    return NavigatorClient(std::move(object));
}

void NavigatorClient::SetHost(IDispatch* application) const {
    win::Variant value = win::Variant::Object(win::ComPtr<IDispatch>(application));
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value.Get(), &named, 1, 1};
    Invoke(L"mExcel", DISPATCH_PROPERTYPUTREF, params);
}

void NavigatorClient::Call(const wchar_t* member) const {
    DISPPARAMS params{};
    Invoke(member, DISPATCH_METHOD, params);
}

void NavigatorClient::Invoke(const wchar_t* member, WORD flags, DISPPARAMS& params) const {
    if (!object_) Raise(err::kObjectNotSet);
    DISPID id = DISPID_UNKNOWN;
    auto* name = const_cast<LPOLESTR>(member);
    win::ThrowIfFailed(object_->GetIDsOfNames(IID_NULL, &name, 1, kLocale, &id));
    win::ExcepInfo exception;
    UINT argError = 0;
    const HRESULT hr = object_->Invoke(id, IID_NULL, kLocale, flags, &params, nullptr, exception.Receive(), &argError);
    if (hr == DISP_E_EXCEPTION) throw win::ErrorFromExcepInfo(exception.Get());
    win::ThrowIfFailed(hr);
}

}  // namespace brackwell::demo
