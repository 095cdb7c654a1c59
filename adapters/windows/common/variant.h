#pragma once
// Owner of one VARIANT: cleared once, copied with VariantCopy. Factories make
// the values the host's members take; reading typed values is in
// variant_convert.h.

#include <windows.h>

#include <oaidl.h>
#include <oleauto.h>

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "adapters/windows/common/com_ptr.h"

namespace brackwell::win {

class Variant {
public:
    Variant() noexcept { V_VT(&value_) = VT_EMPTY; }  // what VariantInit does
    Variant(const Variant& other);
    Variant(Variant&& other) noexcept;
    Variant& operator=(Variant other) noexcept;
    ~Variant();

    static Variant Bool(bool value) noexcept;
    static Variant Int32(std::int32_t value) noexcept;
    static Variant Text(std::string_view utf8);
    static Variant Text(std::wstring_view text);
    // An object reference; an empty pointer is Nothing (VT_DISPATCH, null).
    static Variant Object(const ComPtr<IDispatch>& object) noexcept;
    static Variant Object(ComPtr<IDispatch>&& object) noexcept;  // takes the reference over
    static Variant Unknown(const ComPtr<IUnknown>& object) noexcept;
    // A Boolean passed by reference (an event's Cancel); `target` must outlive
    // the Variant's use.
    static Variant BoolByRef(VARIANT_BOOL* target) noexcept;
    // An omitted optional argument, as VB passes it.
    static Variant Missing() noexcept;
    // A deep copy of a VARIANT we do not own (by-reference values included).
    static Variant CopyOf(const VARIANT& value);
    // Takes over `value`, which is left empty.
    static Variant Adopt(VARIANT& value) noexcept;

    const VARIANT& Get() const noexcept { return value_; }
    VARIANT& Get() noexcept { return value_; }
    VARTYPE Type() const noexcept { return V_VT(&value_); }
    // For an [out] VARIANT: clears the current value first.
    VARIANT* Receive() noexcept;
    // Moves the value into `out` (uninitialised or empty), leaving this empty.
    void DetachTo(VARIANT* out) noexcept;

    friend void swap(Variant& a, Variant& b) noexcept {
        VARIANT t = a.value_;
        a.value_ = b.value_;
        b.value_ = t;
    }

private:
    VARIANT value_;
};

// The argument list of one call, in declaration order.
template <class... Values>
std::vector<Variant> Args(Values&&... values) {
    std::vector<Variant> args;
    args.reserve(sizeof...(Values));
    (args.push_back(std::forward<Values>(values)), ...);
    return args;
}

// True for an omitted optional argument: VT_ERROR carrying DISP_E_PARAMNOTFOUND.
bool IsMissing(const VARIANT& value) noexcept;

// The value a by-reference VARIANT points to (VT_BYREF|VT_VARIANT), else
// `value` itself. Other by-reference types stay as they are.
const VARIANT& Unwrapped(const VARIANT& value) noexcept;

}  // namespace brackwell::win
