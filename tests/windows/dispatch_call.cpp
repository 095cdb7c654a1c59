#include "tests/windows/dispatch_call.h"

#include <gtest/gtest.h>

#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/hresult_error.h"

namespace brackwell::win::test {
namespace {

// Every test runs in a single-threaded apartment, as the component does on
// the host's user-interface thread.
struct Apartment {
    Apartment() { OleInitialize(nullptr); }
    ~Apartment() { OleUninitialize(); }
} apartment;

}  // namespace

DISPID IdOf(IDispatch* object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, 1033, &id))) return DISPID_UNKNOWN;
    return id;
}

CallResult InvokeId(IDispatch* object, DISPID id, WORD flags, std::vector<Variant> args) {
    std::vector<VARIANT> reversed(args.size());
    for (std::size_t i = 0; i < args.size(); ++i) reversed[args.size() - 1 - i] = args[i].Get();
    DISPID putId = DISPID_PROPERTYPUT;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    DISPPARAMS params{reversed.data(), put ? &putId : nullptr, static_cast<UINT>(args.size()), put ? 1u : 0u};
    CallResult result;
    ExcepInfo exception;
    result.hr = object->Invoke(id, IID_NULL, 1033, flags, &params, result.value.Receive(), exception.Receive(),
                               &result.argError);
    if (result.hr == DISP_E_EXCEPTION) {
        result.scode = exception.Get().scode;
        result.source = std::wstring(BstrView(exception.Get().bstrSource));
        result.description = BstrToUtf8(exception.Get().bstrDescription);
    }
    return result;
}

CallResult Call(IDispatch* object, const wchar_t* name, std::vector<Variant> args) {
    return InvokeId(object, IdOf(object, name), DISPATCH_METHOD, std::move(args));
}

CallResult Get(IDispatch* object, const wchar_t* name, std::vector<Variant> args) {
    return InvokeId(object, IdOf(object, name), DISPATCH_METHOD | DISPATCH_PROPERTYGET, std::move(args));
}

CallResult Put(IDispatch* object, const wchar_t* name, Variant value) {
    return InvokeId(object, IdOf(object, name), DISPATCH_PROPERTYPUT, Args(std::move(value)));
}

CallResult PutRef(IDispatch* object, const wchar_t* name, Variant value) {
    return InvokeId(object, IdOf(object, name), DISPATCH_PROPERTYPUTREF, Args(std::move(value)));
}

ComPtr<IDispatch> ObjectOf(const CallResult& result) {
    EXPECT_EQ(result.hr, S_OK) << result.description;
    EXPECT_EQ(result.value.Type(), VT_DISPATCH);
    if (result.value.Type() != VT_DISPATCH) return {};
    return ComPtr<IDispatch>(V_DISPATCH(&result.value.Get()));
}

Variant ByRef(Variant& target) {
    VARIANT reference;
    VariantInit(&reference);
    V_VT(&reference) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(&reference) = &target.Get();
    return Variant::Adopt(reference);
}

Variant Number(VARTYPE type, int value) {
    Variant number = Variant::Int32(value);
    Variant converted;
    EXPECT_EQ(VariantChangeType(converted.Receive(), &number.Get(), 0, type), S_OK);
    return converted;
}

AutomationError ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const AutomationError& error) {
        return error;
    }
    return AutomationError(0, "");
}

std::string TakeErrorInfo() {
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.Receive()) != S_OK || !info) return {};
    Bstr description;
    info->GetDescription(description.Receive());
    return description.ToUtf8();
}

ULONG ReferenceCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

}  // namespace brackwell::win::test
