#include "adapters/windows/common/variant_convert.h"

#include <oleauto.h>

#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/hresult_error.h"

namespace brackwell::win {

namespace {

constexpr LCID kLocale = 1033;  // VB's own conversions are always US English

bool IsScalar(VARTYPE type) noexcept {
    if (type & (VT_ARRAY | VT_VECTOR)) return false;
    switch (type & VT_TYPEMASK) {
    case VT_EMPTY: case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_INT:
    case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8: case VT_UINT:
    case VT_R4: case VT_R8: case VT_CY: case VT_DATE: case VT_DECIMAL:
    case VT_BOOL: case VT_BSTR:
        return true;
    default:
        return false;  // objects, Null, error values, records
    }
}

Variant Converted(const VARIANT& value, VARTYPE target) {
    Variant out;
    ThrowIfFailed(ConvertVariant(value, target, out));
    return out;
}

}  // namespace

HRESULT ConvertVariant(const VARIANT& value, VARTYPE target, Variant& out) noexcept {
    Variant source;
    if (FAILED(VariantCopyInd(source.Receive(), const_cast<VARIANT*>(&value)))) return DISP_E_TYPEMISMATCH;
    if (!IsScalar(source.Type())) return DISP_E_TYPEMISMATCH;
    // Booleans as text are "True"/"False" as CStr gives them, not "-1"/"0".
    const USHORT flags = target == VT_BSTR ? VARIANT_ALPHABOOL : 0;
    const HRESULT hr = VariantChangeTypeEx(out.Receive(), &source.Get(), kLocale, flags, target);
    if (SUCCEEDED(hr)) return S_OK;
    return hr == DISP_E_OVERFLOW || hr == E_OUTOFMEMORY ? hr : DISP_E_TYPEMISMATCH;
}

// Each read takes the value as it is when it already has the type asked for.

std::int32_t ToInt32(const VARIANT& value) {
    if (V_VT(&value) == VT_I4) return V_I4(&value);
    return V_I4(&Converted(value, VT_I4).Get());
}

bool ToBool(const VARIANT& value) {
    if (V_VT(&value) == VT_BOOL) return V_BOOL(&value) != VARIANT_FALSE;
    return V_BOOL(&Converted(value, VT_BOOL).Get()) != VARIANT_FALSE;
}

std::string ToUtf8(const VARIANT& value) {
    if (V_VT(&value) == VT_BSTR) return BstrToUtf8(V_BSTR(&value));
    return BstrToUtf8(V_BSTR(&Converted(value, VT_BSTR).Get()));
}

std::wstring ToWide(const VARIANT& value) {
    return std::wstring(BstrView(V_BSTR(&Converted(value, VT_BSTR).Get())));
}

ComPtr<IDispatch> ToObject(const VARIANT& value) {
    const VARIANT& v = Unwrapped(value);
    IUnknown* unknown = nullptr;
    switch (V_VT(&v)) {
    case VT_DISPATCH: return ComPtr<IDispatch>(V_DISPATCH(&v));
    case VT_DISPATCH | VT_BYREF:
        if (V_DISPATCHREF(&v) == nullptr) Raise(err::kTypeMismatch);
        return ComPtr<IDispatch>(*V_DISPATCHREF(&v));
    case VT_UNKNOWN: unknown = V_UNKNOWN(&v); break;
    case VT_UNKNOWN | VT_BYREF:
        if (V_UNKNOWNREF(&v) == nullptr) Raise(err::kTypeMismatch);
        unknown = *V_UNKNOWNREF(&v);
        break;
    default: Raise(err::kTypeMismatch);
    }
    if (unknown == nullptr) return {};
    auto object = ComPtr<IUnknown>(unknown).Query<IDispatch>();
    if (!object) Raise(err::kTypeMismatch);  // no late binding without IDispatch
    return object;
}

}  // namespace brackwell::win
