#pragma once
// Typed reads of a VARIANT, the way VB assigns a value to a typed variable
// (locale 1033): numbers, Booleans and numeric text convert, Empty gives 0,
// False or "". Objects, Null, error values and arrays are a type mismatch
// (error 13); a number out of range is an overflow (error 6). By-reference
// values are read through.

#include <windows.h>

#include <oaidl.h>

#include <cstdint>
#include <string>

#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/common/variant.h"

namespace brackwell::win {

// The conversion without throwing: S_OK, DISP_E_TYPEMISMATCH or DISP_E_OVERFLOW.
HRESULT ConvertVariant(const VARIANT& value, VARTYPE target, Variant& out) noexcept;

std::int32_t ToInt32(const VARIANT& value);
bool ToBool(const VARIANT& value);
std::string ToUtf8(const VARIANT& value);
std::wstring ToWide(const VARIANT& value);

// An object reference: VT_DISPATCH (a null pointer is Nothing, an empty
// result) or VT_UNKNOWN that offers IDispatch. Anything else is error 13.
ComPtr<IDispatch> ToObject(const VARIANT& value);

}  // namespace brackwell::win
