#include "adapters/windows/automation/late_bound.h"

#include <utility>

#include "adapters/windows/common/host_constants.h"
#include "adapters/windows/common/hresult_error.h"
#include "adapters/windows/common/variant_convert.h"
#include "host/automation_error.h"

namespace brackwell::win {

LateBound::LateBound(ComPtr<IDispatch> object, std::shared_ptr<DispIdRegistry> registry)
    : object_(std::move(object)), registry_(std::move(registry)) {}

Variant LateBound::Get(const wchar_t* name, std::vector<Variant> args) const {
    return Invoke(IdOf(name), DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, true);
}

Variant LateBound::GetById(DISPID id, std::vector<Variant> args) const {
    return Invoke(id, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, true);
}

void LateBound::Put(const wchar_t* name, Variant value) const {
    std::vector<Variant> args;
    args.push_back(std::move(value));
    Invoke(IdOf(name), DISPATCH_PROPERTYPUT, args, false);
}

void LateBound::Call(const wchar_t* name, std::vector<Variant> args) const {
    Invoke(IdOf(name), DISPATCH_METHOD, args, false);
}

LateBound LateBound::Child(const Variant& result) const {
    return LateBound(ToObject(result.Get()), registry_);
}

LateBound LateBound::GetChild(const wchar_t* name, std::vector<Variant> args) const {
    return Child(Get(name, std::move(args)));
}

DISPID LateBound::IdOf(const wchar_t* name) const {
    if (!object_) Raise(err::kObjectNotSet);
    if (!table_) table_ = registry_->TableFor(object_.Get());
    return table_->Resolve(object_.Get(), name);
}

Variant LateBound::Invoke(DISPID id, WORD flags, std::vector<Variant>& args, bool wantResult) const {
    if (!object_) Raise(err::kObjectNotSet);
    // Invoke takes the arguments last to first. The copies are shallow: the
    // Variants in `args` keep owning the values for the call's duration.
    std::vector<VARIANT> reversed(args.size());
    for (std::size_t i = 0; i < args.size(); ++i) reversed[args.size() - 1 - i] = args[i].Get();
    DISPID putId = DISPID_PROPERTYPUT;
    const bool put = (flags & DISPATCH_PROPERTYPUT) != 0;
    DISPPARAMS params{reversed.data(), put ? &putId : nullptr, static_cast<UINT>(reversed.size()),
                      put ? 1u : 0u};
    Variant result;
    ExcepInfo info;
    UINT argError = 0;
    const HRESULT hr = object_->Invoke(id, IID_NULL, kHostLocale, flags, &params,
                                       wantResult ? result.Receive() : nullptr, info.Receive(),
                                       &argError);
    if (hr == DISP_E_EXCEPTION) throw ErrorFromExcepInfo(info.Get());
    ThrowIfFailed(hr);
    return result;
}

}  // namespace brackwell::win
