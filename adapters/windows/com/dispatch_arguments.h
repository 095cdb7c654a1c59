#pragma once
// The arguments of one IDispatch::Invoke on the navigator, put in declaration
// order. Invoke passes positional arguments last to first and named ones
// (by parameter DISPID, which is the parameter's position) in front of them.
// VBScript passes a variable by reference (VT_VARIANT|VT_BYREF) and a literal
// by value; VBA passes what the type library declares. Both are read through.

#include <windows.h>

#include <oaidl.h>

#include <optional>
#include <vector>

#include "adapters/windows/common/com_ptr.h"

namespace brackwell::win {

// A refused call: the HRESULT Invoke returns and, for a bad value, the
// argument's index in rgvarg for puArgErr.
struct ArgumentFailure {
    HRESULT code;
    std::optional<UINT> rawIndex;
};

class DispatchArguments {
public:
    // Binds the arguments of a method with `declared` parameters of which the
    // first `required` must be given. Throws ArgumentFailure:
    // DISP_E_BADPARAMCOUNT for too many or too few, DISP_E_PARAMNOTFOUND for
    // a named argument that names no parameter.
    DispatchArguments(const DISPPARAMS& params, UINT declared, UINT required);

    // The value at `position`, read through by-reference Variants; nullptr
    // when omitted (not passed, or passed as VT_ERROR/DISP_E_PARAMNOTFOUND).
    const VARIANT* Given(UINT position) const noexcept;

    // An optional Boolean: False when omitted; anything VariantChangeType
    // turns into a Boolean. Throws ArgumentFailure (DISP_E_TYPEMISMATCH,
    // DISP_E_OVERFLOW) with the argument's index.
    bool OptionalBool(UINT position) const;
    // An object reference; Nothing gives an empty pointer. Anything that is
    // no object throws ArgumentFailure{DISP_E_TYPEMISMATCH}.
    ComPtr<IDispatch> Object(UINT position) const;

private:
    struct Slot {
        const VARIANT* value = nullptr;
        UINT rawIndex = 0;
    };
    [[noreturn]] void Fail(UINT position, HRESULT code) const;

    std::vector<Slot> slots_;
};

// The value of a property put (the named argument DISPID_PROPERTYPUT, or a
// lone positional one), as an object: Nothing gives an empty pointer. Throws
// ArgumentFailure: DISP_E_BADPARAMCOUNT, DISP_E_TYPEMISMATCH.
ComPtr<IDispatch> PutObject(const DISPPARAMS& params);

}  // namespace brackwell::win
