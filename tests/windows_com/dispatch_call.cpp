#include "tests/windows_com/dispatch_call.h"

#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/hresult_error.h"

namespace brackwell::win::test {

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
    if (result.hr != S_OK || result.value.Type() != VT_DISPATCH) return {};
    return ComPtr<IDispatch>(V_DISPATCH(&result.value.Get()));
}

Variant ByRef(Variant& target) {
    VARIANT reference;
    VariantInit(&reference);
    V_VT(&reference) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(&reference) = &target.Get();
    return Variant::Adopt(reference);
}

Variant BoolByRef(VARIANT_BOOL& target) { return Variant::BoolByRef(&target); }

std::string TakeErrorInfo() {
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.Receive()) != S_OK || !info) return {};
    Bstr description;
    info->GetDescription(description.Receive());
    return description.ToUtf8();
}

}  // namespace brackwell::win::test
