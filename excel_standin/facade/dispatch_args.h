#pragma once
// The arguments of one Invoke on a facade object, read in declaration order
// (Invoke passes them last to first). An argument is omitted when it is not
// passed at all or passed as VT_ERROR/DISP_E_PARAMNOTFOUND; by-reference
// arguments are read through, because VBScript passes variables that way.
// A value that does not convert throws ArgumentError, which Invoke reports
// with puArgErr.

#include <windows.h>

#include <oaidl.h>

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "adapters/windows/common/com_ptr.h"

namespace brackwell::win {

struct ArgumentError {
    UINT position;  // declaration order
    HRESULT code;   // DISP_E_TYPEMISMATCH, DISP_E_OVERFLOW or DISP_E_PARAMNOTOPTIONAL
};

class DispArgs {
public:
    explicit DispArgs(const DISPPARAMS& params) noexcept : params_(params) {}

    UINT Count() const noexcept { return params_.cArgs; }
    bool Given(UINT position) const noexcept;
    // The (dereferenced) argument; only for a position below Count().
    const VARIANT& At(UINT position) const noexcept;

    std::int32_t Int(UINT position) const;
    std::optional<std::int32_t> OptionalInt(UINT position) const;
    bool Bool(UINT position) const;
    std::optional<bool> OptionalBool(UINT position) const;
    std::string Text(UINT position) const;
    std::optional<std::string> OptionalText(UINT position) const;
    // An object reference; Nothing gives an empty pointer.
    ComPtr<IDispatch> Object(UINT position) const;
    // A collection index: a number is a position, a text a name.
    std::variant<std::int32_t, std::string> IndexOrName(UINT position) const;

    // The host takes more arguments than the port can carry: such an argument
    // is accepted only when omitted (error 5 otherwise).
    void RequireOmitted(UINT position) const;
    void RequireOmittedFrom(UINT first) const;

private:
    void RequireGiven(UINT position) const;
    [[noreturn]] void Fail(UINT position, HRESULT code) const;

    const DISPPARAMS& params_;
};

}  // namespace brackwell::win
