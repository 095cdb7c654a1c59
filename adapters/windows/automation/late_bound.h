#pragma once
// One host object reached through IDispatch: members by name, arguments in
// declaration order, results as Variants. Gets go out as
// DISPATCH_METHOD|DISPATCH_PROPERTYGET (hosts since Excel 97 want the
// property flag for collections), calls as DISPATCH_METHOD, puts as
// DISPATCH_PROPERTYPUT; all with locale 1033. A failed call throws
// AutomationError with the host's number and text.

#include <windows.h>

#include <oaidl.h>

#include <memory>
#include <span>
#include <vector>

#include "adapters/windows/automation/dispid_cache.h"
#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/common/variant.h"

namespace brackwell::win {

class LateBound {
public:
    LateBound(ComPtr<IDispatch> object, std::shared_ptr<DispIdRegistry> registry);

    Variant Get(const wchar_t* name, std::vector<Variant> args = {}) const;
    // A get with one argument (a collection's Item).
    Variant Get(const wchar_t* name, const Variant& arg) const;
    Variant GetById(DISPID id, std::vector<Variant> args = {}) const;
    void Put(const wchar_t* name, Variant value) const;
    void Call(const wchar_t* name, std::vector<Variant> args = {}) const;

    // The object a result refers to, bound the same way; IsNothing() when the
    // result is Nothing. A result that is no object is error 13.
    LateBound Child(const Variant& result) const;
    // Get for a member whose result is an object: Child of its result.
    LateBound GetChild(const wchar_t* name, std::vector<Variant> args = {}) const;
    LateBound GetChild(const wchar_t* name, const Variant& arg) const;

    bool IsNothing() const noexcept { return !object_; }
    IDispatch* Dispatch() const noexcept { return object_.Get(); }
    const std::shared_ptr<DispIdRegistry>& Registry() const noexcept { return registry_; }

private:
    DISPID IdOf(const wchar_t* name) const;
    Variant Invoke(DISPID id, WORD flags, std::span<const Variant> args, bool wantResult) const;
    // Child of a result this object owns: takes its reference over.
    LateBound Adopt(Variant result) const;

    ComPtr<IDispatch> object_;
    std::shared_ptr<DispIdRegistry> registry_;
    // Found on first use: the registry's for the object's type, or one of
    // the object's own (shared by copies of this binding).
    mutable DispIdTable* table_ = nullptr;
    mutable std::shared_ptr<DispIdTable> ownTable_;
};

}  // namespace brackwell::win
