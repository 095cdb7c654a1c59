#include "excel_standin/facade/dispatch_args.h"

#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/variant.h"
#include "adapters/windows/common/variant_convert.h"
#include "host/automation_error.h"

namespace brackwell::win {

bool DispArgs::Given(UINT position) const noexcept {
    return position < params_.cArgs && !IsMissing(At(position));
}

const VARIANT& DispArgs::At(UINT position) const noexcept {
    return Unwrapped(params_.rgvarg[params_.cArgs - 1 - position]);
}

void DispArgs::Fail(UINT position, HRESULT code) const { throw ArgumentError{position, code}; }

void DispArgs::RequireGiven(UINT position) const {
    if (!Given(position)) Fail(position, DISP_E_PARAMNOTOPTIONAL);
}

std::int32_t DispArgs::Int(UINT position) const {
    RequireGiven(position);
    if (V_VT(&At(position)) == VT_I4) return V_I4(&At(position));  // as it is, the usual case
    Variant out;
    if (const HRESULT hr = ConvertVariant(At(position), VT_I4, out); FAILED(hr)) Fail(position, hr);
    return V_I4(&out.Get());
}

std::optional<std::int32_t> DispArgs::OptionalInt(UINT position) const {
    if (!Given(position)) return std::nullopt;
    return Int(position);
}

bool DispArgs::Bool(UINT position) const {
    RequireGiven(position);
    Variant out;
    if (const HRESULT hr = ConvertVariant(At(position), VT_BOOL, out); FAILED(hr)) Fail(position, hr);
    return V_BOOL(&out.Get()) != VARIANT_FALSE;
}

std::optional<bool> DispArgs::OptionalBool(UINT position) const {
    if (!Given(position)) return std::nullopt;
    return Bool(position);
}

std::string DispArgs::Text(UINT position) const {
    RequireGiven(position);
    Variant out;
    if (const HRESULT hr = ConvertVariant(At(position), VT_BSTR, out); FAILED(hr)) Fail(position, hr);
    return BstrToUtf8(V_BSTR(&out.Get()));
}

std::optional<std::string> DispArgs::OptionalText(UINT position) const {
    if (!Given(position)) return std::nullopt;
    return Text(position);
}

ComPtr<IDispatch> DispArgs::Object(UINT position) const {
    RequireGiven(position);
    try {
        return ToObject(At(position));
    } catch (const AutomationError&) {
        Fail(position, DISP_E_TYPEMISMATCH);
    }
}

std::variant<std::int32_t, std::string> DispArgs::IndexOrName(UINT position) const {
    RequireGiven(position);
    if (V_VT(&At(position)) == VT_BSTR || V_VT(&At(position)) == (VT_BSTR | VT_BYREF)) return Text(position);
    return Int(position);
}

void DispArgs::RequireOmitted(UINT position) const {
    if (Given(position)) Raise(err::kInvalidCall);
}

void DispArgs::RequireOmittedFrom(UINT first) const {
    for (UINT position = first; position < params_.cArgs; ++position) RequireOmitted(position);
}

}  // namespace brackwell::win
