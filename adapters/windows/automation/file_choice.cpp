// What GetOpenFilename gives back: False when the user cancelled, a file
// name, or (with multiple selection) an array of names, lower bound 1.

#include "adapters/windows/automation/host_objects.h"
#include "adapters/windows/common/hresult_error.h"
#include "adapters/windows/common/variant_convert.h"

namespace brackwell::win {

namespace {

std::vector<std::string> NamesOf(SAFEARRAY* array, VARTYPE elementType) {
    if (array == nullptr || SafeArrayGetDim(array) != 1) Raise(err::kTypeMismatch);
    LONG lower = 0;
    LONG upper = -1;
    ThrowIfFailed(SafeArrayGetLBound(array, 1, &lower));
    ThrowIfFailed(SafeArrayGetUBound(array, 1, &upper));
    std::vector<std::string> names;
    for (LONG i = lower; i <= upper; ++i) {
        Variant element;
        if (elementType == VT_VARIANT) {
            ThrowIfFailed(SafeArrayGetElement(array, &i, element.Receive()));
        } else {  // an array of BSTR: the element is copied into a BSTR Variant
            BSTR text = nullptr;
            ThrowIfFailed(SafeArrayGetElement(array, &i, &text));
            V_VT(element.Receive()) = VT_BSTR;
            V_BSTR(&element.Get()) = text;
        }
        names.push_back(ToUtf8(element.Get()));
    }
    return names;
}

}  // namespace

FileChoice FileChoiceFromVariant(const VARIANT& value) {
    const VARIANT& v = Unwrapped(value);
    switch (V_VT(&v)) {
    case VT_BOOL:
        if (V_BOOL(&v) == VARIANT_FALSE) return false;
        break;  // True is no answer the host gives
    case VT_BSTR:
        return ToUtf8(v);
    case VT_ARRAY | VT_VARIANT:
        return NamesOf(V_ARRAY(&v), VT_VARIANT);
    case VT_ARRAY | VT_BSTR:
        return NamesOf(V_ARRAY(&v), VT_BSTR);
    default:
        break;
    }
    Raise(err::kTypeMismatch);
}

}  // namespace brackwell::win
