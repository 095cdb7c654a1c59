#include "adapters/windows/automation/late_bound.h"

#include <utility>

#include "adapters/windows/common/host_constants.h"
#include "adapters/windows/common/hresult_error.h"
#include "adapters/windows/common/variant_convert.h"
#include "host/automation_error.h"

namespace brackwell::win {

namespace {

constexpr WORD kGet = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

}  // namespace

LateBound::LateBound(ComPtr<IDispatch> object, std::shared_ptr<DispIdRegistry> registry)
    : object_(std::move(object)), registry_(std::move(registry)) {}

Variant LateBound::Get(const wchar_t* name, std::vector<Variant> args) const {
    return Invoke(IdOf(name), kGet, args, true);
}

Variant LateBound::Get(const wchar_t* name, const Variant& arg) const {
    return Invoke(IdOf(name), kGet, std::span<const Variant>(&arg, 1), true);
}

Variant LateBound::GetById(DISPID id, std::vector<Variant> args) const { return Invoke(id, kGet, args, true); }

void LateBound::Put(const wchar_t* name, Variant value) const {
    Invoke(IdOf(name), DISPATCH_PROPERTYPUT, std::span<const Variant>(&value, 1), false);
}

void LateBound::Call(const wchar_t* name, std::vector<Variant> args) const {
    Invoke(IdOf(name), DISPATCH_METHOD, args, false);
}

LateBound LateBound::Child(const Variant& result) const {
    return LateBound(ToObject(result.Get()), registry_);
}

LateBound LateBound::Adopt(Variant result) const {
    if (result.Type() != VT_DISPATCH) return Child(result);
    VARIANT& value = result.Get();
    auto object = ComPtr<IDispatch>::Adopt(V_DISPATCH(&value));
    V_VT(&value) = VT_EMPTY;  // the reference is the child's now
    return LateBound(std::move(object), registry_);
}

LateBound LateBound::GetChild(const wchar_t* name, std::vector<Variant> args) const {
    return Adopt(Get(name, std::move(args)));
}

LateBound LateBound::GetChild(const wchar_t* name, const Variant& arg) const { return Adopt(Get(name, arg)); }

DISPID LateBound::IdOf(const wchar_t* name) const {
    if (!object_) Raise(err::kObjectNotSet);
    if (!table_) {
        table_ = registry_->SharedTableFor(object_.Get());
        if (!table_) {
            ownTable_ = std::make_shared<DispIdTable>();
            table_ = ownTable_.get();
        }
    }
    return table_->Resolve(object_.Get(), name);
}

Variant LateBound::Invoke(DISPID id, WORD flags, std::span<const Variant> args, bool wantResult) const {
    if (!object_) Raise(err::kObjectNotSet);
    // Invoke takes the arguments last to first. The copies are shallow: the
    // Variants in `args` keep owning the values for the call's duration.
    constexpr std::size_t kOnStack = 8;
    VARIANT onStack[kOnStack];
    std::vector<VARIANT> onHeap;
    VARIANT* reversed = onStack;
    if (args.size() > kOnStack) {
        onHeap.resize(args.size());
        reversed = onHeap.data();
    }
    for (std::size_t i = 0; i < args.size(); ++i) reversed[args.size() - 1 - i] = args[i].Get();
    DISPID putId = DISPID_PROPERTYPUT;
    const bool put = (flags & DISPATCH_PROPERTYPUT) != 0;
    DISPPARAMS params{args.empty() ? nullptr : reversed, put ? &putId : nullptr, static_cast<UINT>(args.size()),
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
