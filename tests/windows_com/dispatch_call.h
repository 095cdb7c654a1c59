#pragma once
// Late-bound calls as an automation client (VBA, VBScript) makes them: by
// name through GetIDsOfNames, then Invoke with the arguments last to first.
// Nothing is checked here; the caller asserts on what came back.

#include <windows.h>

#include <oaidl.h>

#include <string>
#include <vector>

#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/common/variant.h"

namespace brackwell::win::test {

struct CallResult {
    HRESULT hr = E_FAIL;
    Variant value;
    UINT argError = 0xFFFFFFFF;  // untouched unless the callee set it
    HRESULT scode = S_OK;        // from the EXCEPINFO
    std::wstring source;
    std::string description;
};

// DISPID_UNKNOWN when the object does not know the name.
DISPID IdOf(IDispatch* object, const wchar_t* name);

// Arguments in declaration order; a put passes its value as the named
// argument DISPID_PROPERTYPUT, as VB does.
CallResult InvokeId(IDispatch* object, DISPID id, WORD flags, std::vector<Variant> args = {});
CallResult Call(IDispatch* object, const wchar_t* name, std::vector<Variant> args = {});  // a statement
CallResult Get(IDispatch* object, const wchar_t* name, std::vector<Variant> args = {});   // in an expression
CallResult Put(IDispatch* object, const wchar_t* name, Variant value);     // Let
CallResult PutRef(IDispatch* object, const wchar_t* name, Variant value);  // Set

// The object a result holds (empty when it holds none).
ComPtr<IDispatch> ObjectOf(const CallResult& result);

// A by-reference Variant pointing at `target` (VT_VARIANT|VT_BYREF), as
// VBScript passes a variable.
Variant ByRef(Variant& target);
// A Boolean by reference (VT_BOOL|VT_BYREF), as VBA passes a Boolean variable.
Variant BoolByRef(VARIANT_BOOL& target);

// The description of this thread's IErrorInfo (taking it), or "".
std::string TakeErrorInfo();

}  // namespace brackwell::win::test
