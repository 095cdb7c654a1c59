#include "adapters/windows/common/variant.h"

#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/hresult_error.h"

namespace brackwell::win {

namespace {

// A value that owns nothing (a number, a Boolean, Empty) needs no call into
// OLE to be cleared: a call a rebuild would make for every host call.
bool OwnsNothing(VARTYPE type) noexcept {
    switch (type) {
    case VT_EMPTY: case VT_NULL: case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_INT:
    case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8: case VT_UINT:
    case VT_R4: case VT_R8: case VT_CY: case VT_DATE: case VT_BOOL: case VT_ERROR:
        return true;
    default:
        return false;
    }
}

void Clear(VARIANT& value) noexcept {
    if (OwnsNothing(V_VT(&value))) {
        V_VT(&value) = VT_EMPTY;
    } else {
        VariantClear(&value);
    }
}

}  // namespace

Variant::Variant(const Variant& other) : Variant() {
    ThrowIfFailed(VariantCopy(&value_, const_cast<VARIANT*>(&other.value_)));  // reads only
}

Variant::Variant(Variant&& other) noexcept : value_(other.value_) { V_VT(&other.value_) = VT_EMPTY; }

Variant& Variant::operator=(Variant other) noexcept {
    swap(*this, other);
    return *this;
}

Variant::~Variant() { Clear(value_); }

Variant Variant::Bool(bool value) noexcept {
    Variant result;
    V_VT(&result.value_) = VT_BOOL;
    V_BOOL(&result.value_) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return result;
}

Variant Variant::Int32(std::int32_t value) noexcept {
    Variant result;
    V_VT(&result.value_) = VT_I4;
    V_I4(&result.value_) = value;
    return result;
}

Variant Variant::Text(std::string_view utf8) {
    Variant result;
    V_BSTR(&result.value_) = Bstr(utf8).Detach();
    V_VT(&result.value_) = VT_BSTR;
    return result;
}

Variant Variant::Text(std::wstring_view text) {
    Variant result;
    V_BSTR(&result.value_) = Bstr(text).Detach();
    V_VT(&result.value_) = VT_BSTR;
    return result;
}

Variant Variant::Object(const ComPtr<IDispatch>& object) noexcept {
    Variant result;
    V_DISPATCH(&result.value_) = ComPtr<IDispatch>(object).Detach();
    V_VT(&result.value_) = VT_DISPATCH;
    return result;
}

Variant Variant::Object(ComPtr<IDispatch>&& object) noexcept {
    Variant result;
    V_DISPATCH(&result.value_) = object.Detach();
    V_VT(&result.value_) = VT_DISPATCH;
    return result;
}

Variant Variant::Unknown(const ComPtr<IUnknown>& object) noexcept {
    Variant result;
    V_UNKNOWN(&result.value_) = ComPtr<IUnknown>(object).Detach();
    V_VT(&result.value_) = VT_UNKNOWN;
    return result;
}

Variant Variant::BoolByRef(VARIANT_BOOL* target) noexcept {
    Variant result;
    V_VT(&result.value_) = VT_BOOL | VT_BYREF;
    V_BOOLREF(&result.value_) = target;
    return result;
}

Variant Variant::Missing() noexcept {
    Variant result;
    V_VT(&result.value_) = VT_ERROR;
    V_ERROR(&result.value_) = DISP_E_PARAMNOTFOUND;
    return result;
}

Variant Variant::CopyOf(const VARIANT& value) {
    Variant result;
    ThrowIfFailed(VariantCopyInd(&result.value_, const_cast<VARIANT*>(&value)));  // reads only
    return result;
}

Variant Variant::Adopt(VARIANT& value) noexcept {
    Variant result;
    result.value_ = value;
    VariantInit(&value);
    return result;
}

VARIANT* Variant::Receive() noexcept {
    Clear(value_);
    return &value_;
}

void Variant::DetachTo(VARIANT* out) noexcept {
    *out = value_;
    V_VT(&value_) = VT_EMPTY;
}

bool IsMissing(const VARIANT& value) noexcept {
    const VARIANT& v = Unwrapped(value);
    return V_VT(&v) == VT_ERROR && V_ERROR(&v) == DISP_E_PARAMNOTFOUND;
}

const VARIANT& Unwrapped(const VARIANT& value) noexcept {
    const VARIANT* v = &value;
    // A by-reference Variant may point at another one; VB never nests deeper
    // than that, the loop just does not have to care.
    while (V_VT(v) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(v) != nullptr) v = V_VARIANTREF(v);
    return *v;
}

}  // namespace brackwell::win
