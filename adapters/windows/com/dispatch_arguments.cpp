#include "adapters/windows/com/dispatch_arguments.h"

#include "adapters/windows/common/variant.h"
#include "adapters/windows/common/variant_convert.h"
#include "host/automation_error.h"

namespace brackwell::win {
namespace {

// An object reference in `value`, or a failure code.
HRESULT ReadObject(const VARIANT& value, ComPtr<IDispatch>& object) {
    try {
        object = ToObject(value);
        return S_OK;
    } catch (const AutomationError&) {
        return DISP_E_TYPEMISMATCH;
    }
}

}  // namespace

DispatchArguments::DispatchArguments(const DISPPARAMS& params, UINT declared, UINT required)
    : slots_(declared) {
    if (params.cArgs > 0 && params.rgvarg == nullptr) throw ArgumentFailure{E_INVALIDARG, std::nullopt};
    if (params.cNamedArgs > params.cArgs || (params.cNamedArgs > 0 && params.rgdispidNamedArgs == nullptr))
        throw ArgumentFailure{E_INVALIDARG, std::nullopt};
    const UINT positional = params.cArgs - params.cNamedArgs;
    if (positional > declared) throw ArgumentFailure{DISP_E_BADPARAMCOUNT, std::nullopt};
    std::vector<bool> passed(declared, false);
    for (UINT position = 0; position < positional; ++position) {
        const UINT raw = params.cArgs - 1 - position;
        slots_[position] = Slot{&params.rgvarg[raw], raw};
        passed[position] = true;
    }
    for (UINT i = 0; i < params.cNamedArgs; ++i) {
        const DISPID named = params.rgdispidNamedArgs[i];
        if (named < 0 || static_cast<UINT>(named) >= declared || passed[named])
            throw ArgumentFailure{DISP_E_PARAMNOTFOUND, i};
        slots_[named] = Slot{&params.rgvarg[i], i};
        passed[named] = true;
    }
    for (UINT position = 0; position < required; ++position) {
        if (!passed[position]) throw ArgumentFailure{DISP_E_BADPARAMCOUNT, std::nullopt};
        if (Given(position) == nullptr) Fail(position, DISP_E_PARAMNOTOPTIONAL);
    }
}

const VARIANT* DispatchArguments::Given(UINT position) const noexcept {
    if (position >= slots_.size() || slots_[position].value == nullptr) return nullptr;
    if (IsMissing(*slots_[position].value)) return nullptr;
    return &Unwrapped(*slots_[position].value);
}

void DispatchArguments::Fail(UINT position, HRESULT code) const {
    throw ArgumentFailure{code, slots_[position].rawIndex};
}

bool DispatchArguments::OptionalBool(UINT position) const {
    const VARIANT* value = Given(position);
    if (value == nullptr) return false;
    Variant converted;
    if (const HRESULT hr = ConvertVariant(*value, VT_BOOL, converted); FAILED(hr)) Fail(position, hr);
    return V_BOOL(&converted.Get()) != VARIANT_FALSE;
}

ComPtr<IDispatch> DispatchArguments::Object(UINT position) const {
    const VARIANT* value = Given(position);
    if (value == nullptr) Fail(position, DISP_E_PARAMNOTOPTIONAL);
    ComPtr<IDispatch> object;
    if (const HRESULT hr = ReadObject(*value, object); FAILED(hr)) Fail(position, hr);
    return object;
}

ComPtr<IDispatch> PutObject(const DISPPARAMS& params) {
    if (params.cArgs != 1 || params.rgvarg == nullptr) throw ArgumentFailure{DISP_E_BADPARAMCOUNT, std::nullopt};
    // A put carries its value as the named argument DISPID_PROPERTYPUT; some
    // callers leave the name out, which means the same for a lone value.
    if (params.cNamedArgs > 1 ||
        (params.cNamedArgs == 1 &&
         (params.rgdispidNamedArgs == nullptr || params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)))
        throw ArgumentFailure{DISP_E_PARAMNOTFOUND, 0u};
    ComPtr<IDispatch> object;
    if (IsMissing(params.rgvarg[0])) throw ArgumentFailure{DISP_E_PARAMNOTOPTIONAL, 0u};
    if (const HRESULT hr = ReadObject(Unwrapped(params.rgvarg[0]), object); FAILED(hr))
        throw ArgumentFailure{hr, 0u};
    return object;
}

}  // namespace brackwell::win
