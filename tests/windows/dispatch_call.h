#pragma once
// Late-bound calls as an automation client (VBA, VBScript) makes them: by
// name through GetIDsOfNames, then Invoke with the arguments last to first.
// Shared by the adapter tests and the tests of the real brackwell.dll; every
// test program that links it runs in a single-threaded apartment.

#include <windows.h>

#include <oaidl.h>

#include <functional>
#include <string>
#include <vector>

#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/common/variant.h"
#include "host/automation_error.h"

namespace brackwell::win::test {

// What one Invoke gave back.
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
CallResult Put(IDispatch* object, const wchar_t* name, Variant value);                    // Let
CallResult PutRef(IDispatch* object, const wchar_t* name, Variant value);                 // Set

// The object a result holds; fails the test when the call failed or gave no object.
ComPtr<IDispatch> ObjectOf(const CallResult& result);

// A by-reference Variant pointing at `target`, as VBScript passes a variable.
Variant ByRef(Variant& target);
// A Variant of the given VARTYPE holding a small number (VT_I2, VT_R8 ...).
Variant Number(VARTYPE type, int value);

// The AutomationError a call raised; number 0 when it succeeded.
AutomationError ErrorOf(const std::function<void()>& call);
// The description of this thread's IErrorInfo (taking it), or "".
std::string TakeErrorInfo();
// The object's current reference count (an AddRef/Release probe).
ULONG ReferenceCount(IUnknown* object);

}  // namespace brackwell::win::test
